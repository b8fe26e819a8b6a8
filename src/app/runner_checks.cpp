// What the runner settles before the first frame: that every output has a folder to go in,
// and the key maps --keys plays through (the built-in ones, or a configuration's controller
// entries).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/runner.h"
#include "core/globals.h"
#include "core/settings.h"
#include "files/files.h"
#include "session/config.h"
#include "session/pads.h"

// Every output is checked before any file is opened, so that a refused run leaves every
// existing file as it was: none may be the cartridge or another input, a folder, or in a
// missing folder. Worded as the failures of writing them later are.
bool CheckOutputs(const RunnerOptions& options) {
  const struct {
    const char* failure;
    const std::string& path;
    OutputTarget target;
  } outputs[] = {
      {"cannot write", options.PngPath, OutputTarget::WriteThrough},
      {"cannot write the WAV file", options.WavPath, OutputTarget::WriteThrough},
      {"cannot write the trace", options.TracePath, OutputTarget::WriteThrough},
      {"cannot write the log", options.LogPath, OutputTarget::WriteThrough},
      {"cannot save the state to", options.SaveStatePath, OutputTarget::RegularFile},
      {"cannot record to", options.RecordPath, OutputTarget::RegularFile},
  };
  for (const auto& output : outputs) {
    if (output.path.empty()) continue;
    const std::string problem = CheckOutputTarget(output.path, output.target);
    if (!problem.empty()) {
      std::fprintf(stderr, "halvoren-run: %s %s: %s\n", output.failure, output.path.c_str(),
                   problem.c_str());
      return false;
    }
  }
  return true;
}

bool SetUpRunnerConfiguration(const RunnerOptions& options) {
  ResetConfiguration();
  if (options.ConfigPath.empty()) {
    UseBuiltInConfiguration();
  } else {
    const ConfigRead read = ReadConfiguration(options.ConfigPath.c_str());
    if (read != ConfigRead::Read) {
      std::fprintf(stderr, "halvoren-run: cannot read the configuration %s: %s\n",
                   options.ConfigPath.c_str(), ConfigReadError.c_str());
      return false;
    }
    // Only the controllers come from the file: what the run emulates stays what the options
    // say, whatever configuration is at hand.
    ResetSettings();
    UseMainCore = ExactMode = 0;
  }
  FillKeyMaps();
  BuildKeyActionTables();
  ResetRapidFire();
  return true;
}

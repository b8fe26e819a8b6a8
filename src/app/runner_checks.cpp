// What the runner settles before the first frame: that every output has a folder to go in,
// and the key maps --keys plays through (the built-in ones, or a configuration's controller
// entries).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/runner.h"
#include "core/globals.h"
#include "host/settings.h"
#include "host/config.h"
#include "host/pads.h"

namespace {

// 0 when the folder that would hold `path` is there, else why not (an errno value).
int FolderProblem(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  const auto status = std::filesystem::status(folder, error);
  if (!std::filesystem::exists(status)) return ENOENT;
  return std::filesystem::is_directory(status) ? 0 : ENOTDIR;
}

}  // namespace

bool CheckOutputFolders(const RunnerOptions& options) {
  // Worded as the failures of writing them later are.
  const struct {
    const char* failure;
    const std::string& path;
  } outputs[] = {
      {"cannot write", options.PngPath},
      {"cannot write the WAV file", options.WavPath},
      {"cannot write the trace", options.TracePath},
      {"cannot write the log", options.LogPath},
      {"cannot save the state to", options.SaveStatePath},
      {"cannot record to", options.RecordPath},
  };
  for (const auto& output : outputs) {
    if (output.path.empty()) continue;
    if (const int problem = FolderProblem(output.path)) {
      std::fprintf(stderr, "halvoren-run: %s %s: %s\n", output.failure,
                   output.path.c_str(), std::strerror(problem));
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
                   options.ConfigPath.c_str(),
                   read == ConfigRead::Folder ? "is a folder" : "no such file or not readable");
      return false;
    }
    // Only the controllers come from the file: what the run emulates stays what the options
    // say, whatever configuration is at hand.
    ResetSettings();
    UseMainCore = 0;
    IrqAdjust = 0;
  }
  FillKeyMaps();
  BuildKeyActionTables();
  ResetRapidFire();
  return true;
}

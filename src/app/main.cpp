// halvoren: the desktop emulator. Plays the named cartridge, else the one the configuration
// file names, else the built-in demo.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/globals.h"
#include "core/halt_reason.h"
#include "core/machine.h"
#include "core/settings.h"
#include "files/files.h"
#include "log/log.h"
#include "sdl/sdl_host.h"
#include "session/config.h"
#include "session/config_path.h"
#include "session/main_loop.h"
#include "session/run_frame.h"
#include "session/startup.h"

namespace {

void PrintUsage(FILE* to) {
  std::fprintf(to,
               "usage: halvoren [ROM] [--config FILE] [--windowed]\n"
               "  ROM            an iNES cartridge image (default: the configuration's BOOT=,\n"
               "                 else the built-in demo)\n"
               "  --config FILE  the configuration file (default: Halvoren.CFG here, else\n"
               "                 ~/.config/halvoren/Halvoren.CFG)\n"
               "  --windowed     a resizable window instead of full screen (Alt+Enter toggles)\n");
}

bool ParsePositive(const char* text, uint32_t& value) {
  char* end = nullptr;
  const unsigned long parsed = std::strtoul(text, &end, 10);
  if (end == text || *end != 0 || parsed == 0 || parsed > 0xFFFFFFFFul) return false;
  value = static_cast<uint32_t>(parsed);
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "halvoren: %s\n", message.c_str());
  PrintUsage(stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  StartOptions options;
  bool configGiven = false;
  uint32_t quitAfterFrames = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintUsage(stdout);
      return 0;
    } else if (arg == "--windowed") {
      Windowed = 1;
    } else if (arg == "--config") {
      if (i + 1 >= argc) return Fail("--config needs a file name");
      options.ConfigPath = argv[++i];
      configGiven = true;
    } else if (arg == "--quit-after-frames") {  // test aid: closes the window after N frames
      if (i + 1 >= argc || !ParsePositive(argv[++i], quitAfterFrames))
        return Fail("--quit-after-frames needs a positive number");
    } else if (!arg.empty() && arg[0] == '-') {
      return Fail("unknown option '" + arg + "'");
    } else if (!options.RomPath) {
      options.RomPath = argv[i];
    } else {
      return Fail("more than one ROM given");
    }
  }
  if (configGiven) {
    std::vector<uint8_t> bytes;
    const std::string error = ReadWholeFile(options.ConfigPath, bytes, kLargestConfiguration);
    if (error == "is a folder")
      return Fail(std::string(options.ConfigPath) + " is a folder, not a configuration file");
    if (!error.empty())
      return Fail(std::string("cannot read the configuration file ") + options.ConfigPath + ": " +
                  error);
  }
  // A closed terminal ends the program as Ctrl+C does, battery RAM written; SDL turns
  // SIGTERM into closing the window.
  std::signal(SIGHUP, [](int) { kill(getpid(), SIGTERM); });
  SdlQuitAfterFrames(quitAfterFrames);
  const std::string defaultConfig = DefaultConfigurationPath();
  if (!configGiven) options.ConfigPath = defaultConfig.c_str();

  ResetSession();
  auto machine = std::make_unique<Machine>();
  if (!StartUp(*machine, options)) {
    SdlQuit();
    return 1;
  }
  MainLoop(*machine);
  SdlQuit();
  if (CpuHalted) {
    std::fprintf(stderr, "halvoren: %s (see %s)\n", HaltReason().c_str(), LogPath.c_str());
    return 1;
  }
  return BatterySaveLost ? 1 : 0;  // what went wrong is on standard error already
}

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/runner.h"

namespace {

// Parses a whole decimal (or 0x / $ hexadecimal) number in [low, high].
bool ParseNumber(const std::string& text, long low, long high, int& out) {
  std::string digits = text;
  int base = 10;
  if (digits.size() > 2 && (digits.compare(0, 2, "0x") == 0 || digits.compare(0, 2, "0X") == 0)) {
    digits = digits.substr(2), base = 16;
  } else if (digits.size() > 1 && digits[0] == '$') {
    digits = digits.substr(1), base = 16;
  }
  if (digits.empty() || digits[0] == '-' || digits[0] == '+') return false;
  char* end = nullptr;
  const long value = std::strtol(digits.c_str(), &end, base);
  if (*end != '\0' || value < low || value > high) return false;
  out = static_cast<int>(value);
  return true;
}

constexpr long kMaxFrames = 100000000;

// "--frames needs a number from 1 to 100000000": a refused number names what is allowed.
std::string FrameError(const std::string& option, const char* what) {
  return option + " needs " + what + " from 1 to " + std::to_string(kMaxFrames);
}

struct OptionRow {
  const char* name;
  const char* valueName;  // null for a flag
  const char* help;       // one line of --help
  // Applies the option; returns an error text, empty when the value is good.
  std::function<std::string(RunnerOptions&, const std::string&)> apply;
};

// An option that takes a file name into `field`.
template <std::string RunnerOptions::*field>
std::string SetPath(RunnerOptions& o, const std::string& v) {
  o.*field = v;
  return "";
}

const OptionRow kOptions[] = {
    {"--frames", "N", "run N frames (1 to 100000000, default 60)",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 1, kMaxFrames, o.Frames) ? "" : FrameError("--frames", "a number");
     }},
    {"--core", "main|alt|exact", "the CPU core to run (default alt; exact: the hardware's timing)",
     [](RunnerOptions& o, const std::string& v) -> std::string {
       if (v == "main")
         o.Core = 1;
       else if (v == "alt")
         o.Core = 0;
       else if (v == "exact")
         o.Core = 2;
       else
         return "--core takes main, alt or exact";
       return "";
     }},
    {"--png", "FILE", "write the picture of the last frame (or of --png-frame) as a PNG file",
     SetPath<&RunnerOptions::PngPath>},
    {"--png-frame", "K", "take the --png picture after frame K (1 to N)",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 1, kMaxFrames, o.PngFrame)
                  ? ""
                  : FrameError("--png-frame", "a frame number");
     }},
    {"--hash", nullptr, "put a hash of the final picture on the summary line",
     [](RunnerOptions& o, const std::string&) {
       o.Hash = true;
       return std::string();
     }},
    {"--bench", nullptr, "put the frames per second on the summary line",
     [](RunnerOptions& o, const std::string&) {
       o.Bench = true;
       return std::string();
     }},
    {"--skip-render", nullptr, "emulate every frame without drawing it (not with --png or --hash)",
     [](RunnerOptions& o, const std::string&) {
       o.SkipRender = true;
       return std::string();
     }},
    {"--no-idle-skip", nullptr, "interpret every pass of idle and counting loops",
     [](RunnerOptions& o, const std::string&) {
       o.IdleSkip = false;
       return std::string();
     }},
    {"--trace", "FILE", "write one line per executed instruction",
     SetPath<&RunnerOptions::TracePath>},
    {"--start-pc", "ADDR", "start at ADDR (0 to $FFFF) instead of the reset vector",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 0, 0xFFFF, o.StartPc) ? ""
                                                   : "--start-pc needs an address from 0 to $FFFF";
     }},
    {"--wav", "FILE", "write the sound as a WAV file", SetPath<&RunnerOptions::WavPath>},
    {"--keys", "FILE",
     "press keys: 'FRAME press|release KEYCODE' lines, to hot keys and the key map",
     SetPath<&RunnerOptions::KeysPath>},
    {"--config", "FILE", "take the players' keys from FILE's PLAYER, KEY and RAPIDFIRE entries",
     SetPath<&RunnerOptions::ConfigPath>},
    {"--log", "FILE", "write the log to FILE (default halvoren.tst)",
     SetPath<&RunnerOptions::LogPath>},
    {"--save-state", "FILE", "save the state after the last frame (or --state-frame)",
     SetPath<&RunnerOptions::SaveStatePath>},
    {"--state-frame", "K", "save the --save-state state after frame K (1 to N)",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 1, kMaxFrames, o.StateFrame)
                  ? ""
                  : FrameError("--state-frame", "a frame number");
     }},
    {"--load-state", "FILE", "start from a saved state", SetPath<&RunnerOptions::LoadStatePath>},
    {"--record", "FILE", "record the controllers' input", SetPath<&RunnerOptions::RecordPath>},
    {"--play", "FILE", "play back a recording", SetPath<&RunnerOptions::PlayPath>},
    {"--hold", "K-L:BUTTONS", "hold player 1's buttons over frames K to L, e.g. 60-65:start+a",
     [](RunnerOptions& o, const std::string& v) {
       RunnerOptions::Hold hold;
       std::string error = ParseHold(v, hold);
       if (error.empty()) o.Holds.push_back(hold);
       return error;
     }},
};

}  // namespace

void PrintRunnerUsage() {
  std::string usage = "usage: halvoren-run ROM";
  for (const auto& row : kOptions) {
    usage += std::string(" [") + row.name;
    if (row.valueName) usage += std::string(" ") + row.valueName;
    usage += "]";
  }
  std::fprintf(stderr, "%s\n", usage.c_str());
}

void PrintRunnerHelp() {
  std::printf(
      "usage: halvoren-run ROM [options]\n"
      "Runs the cartridge image ROM headless and ends with a key=value summary line.\n\n");
  for (const auto& row : kOptions) {
    std::string name = row.name;
    if (row.valueName) name += std::string(" ") + row.valueName;
    std::printf("  %-26s %s\n", name.c_str(), row.help);
  }
  std::printf("  %-26s %s\n", "--help", "print this help");
  std::printf(
      "\nExit status:\n"
      "  0      a normal run\n"
      "  1      a file that cannot be read or written (the message says which and why)\n"
      "  2      a bad option\n"
      "  3      the CPU halted on a bad opcode (after the summary line)\n"
      "  128+N  stopped by signal N (SIGINT, SIGTERM, SIGHUP) after the current frame\n");
}

bool ParseRunnerOptions(int argc, char** argv, RunnerOptions& options, std::string& error,
                        bool& helpWanted) {
  helpWanted = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      helpWanted = true;
      return true;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      const OptionRow* found = nullptr;
      for (const auto& row : kOptions)
        if (arg == row.name) found = &row;
      if (!found) {
        error = "unknown option '" + arg + "'";
        return false;
      }
      std::string value;
      if (found->valueName) {
        if (i + 1 >= argc) {
          error = arg + " needs a value (" + found->valueName + ")";
          return false;
        }
        value = argv[++i];
        // An empty name would be quietly ignored: the run would end as if all were written.
        if (value.empty() && std::string(found->valueName) == "FILE") {
          error = arg + " needs a file name, not an empty one";
          return false;
        }
      }
      error = found->apply(options, value);
      if (!error.empty()) return false;
    } else if (options.RomPath.empty()) {
      options.RomPath = arg;
    } else {
      error = "more than one ROM given";
      return false;
    }
  }
  if (options.RomPath.empty()) {
    error = "no ROM given";
    return false;
  }
  if (options.PngFrame > options.Frames) {
    error = "--png-frame " + std::to_string(options.PngFrame) + " is past the last frame (" +
            std::to_string(options.Frames) + ")";
    return false;
  }
  if (options.PngFrame && options.PngPath.empty()) {
    error = "--png-frame needs --png FILE";
    return false;
  }
  if (options.SkipRender && (!options.PngPath.empty() || options.Hash)) {
    error = "--skip-render draws no picture, so --png and --hash would show a blank one";
    return false;
  }
  error = CheckStateOptions(options);
  return error.empty();
}

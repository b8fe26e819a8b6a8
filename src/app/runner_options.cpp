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

struct OptionRow {
  const char* name;
  const char* valueName;  // null for a flag
  // Applies the option; returns an error text, empty when the value is good.
  std::function<std::string(RunnerOptions&, const std::string&)> apply;
};

const OptionRow kOptions[] = {
    {"--frames", "N",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 1, 100000000, o.Frames) ? "" : "--frames needs a number of at least 1";
     }},
    {"--core", "main|alt",
     [](RunnerOptions& o, const std::string& v) -> std::string {
       if (v == "main")
         o.Core = 1;
       else if (v == "alt")
         o.Core = 0;
       else
         return "--core takes main or alt";
       return "";
     }},
    {"--png", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.PngPath = v;
       return std::string();
     }},
    {"--png-frame", "K",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 1, 100000000, o.PngFrame)
                  ? ""
                  : "--png-frame needs a frame number of at least 1";
     }},
    {"--hash", nullptr,
     [](RunnerOptions& o, const std::string&) {
       o.Hash = true;
       return std::string();
     }},
    {"--bench", nullptr,
     [](RunnerOptions& o, const std::string&) {
       o.Bench = true;
       return std::string();
     }},
    {"--skip-render", nullptr,
     [](RunnerOptions& o, const std::string&) {
       o.SkipRender = true;
       return std::string();
     }},
    {"--no-idle-skip", nullptr,
     [](RunnerOptions& o, const std::string&) {
       o.IdleSkip = false;
       return std::string();
     }},
    {"--trace", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.TracePath = v;
       return std::string();
     }},
    {"--start-pc", "ADDR",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 0, 0xFFFF, o.StartPc) ? ""
                                                   : "--start-pc needs an address from 0 to $FFFF";
     }},
    {"--wav", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.WavPath = v;
       return std::string();
     }},
    {"--keys", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.KeysPath = v;
       return std::string();
     }},
    {"--log", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.LogPath = v;
       return std::string();
     }},
    {"--save-state", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.SaveStatePath = v;
       return std::string();
     }},
    {"--state-frame", "K",
     [](RunnerOptions& o, const std::string& v) {
       return ParseNumber(v, 1, 100000000, o.StateFrame)
                  ? ""
                  : "--state-frame needs a frame number of at least 1";
     }},
    {"--load-state", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.LoadStatePath = v;
       return std::string();
     }},
    {"--record", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.RecordPath = v;
       return std::string();
     }},
    {"--play", "FILE",
     [](RunnerOptions& o, const std::string& v) {
       o.PlayPath = v;
       return std::string();
     }},
    {"--hold", "K-L:BUTTONS",
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
  error = CheckStateOptions(options);
  return error.empty();
}

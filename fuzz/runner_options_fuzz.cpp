// The runner's command line: the input is its arguments, split at zero bytes, then a run as the
// options say. Runs are kept short (at most two frames) and inside the scratch folder: a '/'
// becomes '_', so every file the options name is a file of that folder, removed after the run.
#include <algorithm>
#include <string>
#include <vector>

#include "app/runner.h"
#include "fuzz/fuzz_support.h"

namespace {
constexpr size_t kMaxArguments = 24;
const std::vector<std::string> kKept = {"a.nes", "keys.txt"};

// The cartridge and key script every run may name; written again after each run, since the
// options may name them as outputs too.
void WriteKeptFiles() {
  static const std::vector<uint8_t> cartridge = SmallCartridge();
  WriteScratchFile(kKept[0], cartridge.data(), cartridge.size());
  const std::string keys = "1 press 205\n2 release 205\n";
  WriteScratchFile(kKept[1], reinterpret_cast<const uint8_t*>(keys.data()), keys.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchFolder("runner");
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();  // the summary lines
  WriteKeptFiles();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments = {"halvoren-run"};
  std::string current;
  for (size_t i = 0; i <= size && arguments.size() < kMaxArguments; ++i) {
    if (i == size || data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current += data[i] == '/' ? '_' : static_cast<char>(data[i]);
    }
  }
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  RunnerOptions options;
  std::string error;
  bool helpWanted = false;
  if (!ParseRunnerOptions(static_cast<int>(arguments.size()), argv.data(), options, error,
                          helpWanted) ||
      helpWanted)
    return 0;
  options.Frames = std::min(options.Frames, 2);
  options.PngFrame = std::min(options.PngFrame, options.Frames);
  RunRunner(options);
  ClearScratchFolder(kKept);
  WriteKeptFiles();
  return 0;
}

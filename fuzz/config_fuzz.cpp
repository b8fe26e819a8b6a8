// The configuration reader through the whole start-up and a few frames on the headless host.
// The cartridge is the one the file names: a small image kept in the scratch folder (BOOT=
// game.nes), the built-in demo, or a refusal. A '/' in the input becomes '_', so that ROMDIR
// and BOOT stay inside the scratch folder and never reach a device or a large file elsewhere.
#include <memory>
#include <string>

#include "core/globals.h"
#include "fuzz/fuzz_support.h"
#include "headless/headless.h"
#include "session/run_frame.h"
#include "session/startup.h"

namespace {
constexpr char kConfigName[] = "Halvoren.CFG";
constexpr char kCartridgeName[] = "game.nes";
constexpr int kFrames = 3;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchFolder("config");
  const std::vector<uint8_t> cartridge = SmallCartridge();
  WriteScratchFile(kCartridgeName, cartridge.data(), cartridge.size());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (char& c : text)
    if (c == '/') c = '_';
  WriteScratchFile(kConfigName, reinterpret_cast<const uint8_t*>(text.data()), text.size());

  Machine& m = FreshMachine();
  ResetSession();
  HeadlessReset();
  StartOptions options;
  options.ConfigPath = kConfigName;
  if (StartUp(m, options)) {
    // As the main loop starts: a reset, the pattern cache, then frames with a key or two.
    m.ResetCpu();
    m.RebuildPatternCache();
    for (uint8_t key : {uint8_t{205}, uint8_t{45}, uint8_t{28}}) HeadlessPushKey(key, true);
    for (int frame = 0; frame < kFrames && !CpuHalted; ++frame) RunFrame(m, 0);
  }
  ShutDown();
  return 0;
}

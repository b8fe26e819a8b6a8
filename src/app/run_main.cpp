// halvoren-run: loads a cartridge image headless and reports on one summary line.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "apu/sound_buffers.h"
#include "cart/loader.h"
#include "core/globals.h"
#include "core/machine.h"
#include "host/headless/headless_audio.h"
#include "host/settings.h"
#include "log/log.h"

namespace {

void PrintUsage() {
  std::fprintf(stderr, "usage: halvoren-run ROM [--log FILE] [--wav FILE]\n");
}

}  // namespace

int main(int argc, char** argv) {
  const char* romPath = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--log" && i + 1 < argc) {
      LogPath = argv[++i];
    } else if (arg == "--wav" && i + 1 < argc) {
      HeadlessWavPath = argv[++i];
    } else if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return 0;
    } else if (!arg.empty() && arg[0] == '-') {
      std::fprintf(stderr, "halvoren-run: unknown option '%s'\n", arg.c_str());
      PrintUsage();
      return 2;
    } else if (!romPath) {
      romPath = argv[i];
    } else {
      std::fprintf(stderr, "halvoren-run: more than one ROM given\n");
      PrintUsage();
      return 2;
    }
  }
  if (!romPath) {
    PrintUsage();
    return 2;
  }

  ResetGlobals();
  LogStart();
  // Sound runs as in the desktop program (the CPU can read the delta level back from $4011);
  // only --wav keeps what it plays.
  if (SoundOn && !OpenSound()) {
    LogText("Fail to initialize Direct Sound\n");
    std::fprintf(stderr, "halvoren-run: cannot write WAV file '%s'\n", HeadlessWavPath.c_str());
    return 1;
  }
  auto machine = std::make_unique<Machine>();
  const uint8_t code = machine->LoadCartridge(romPath);
  if (code != kLoadOk) {
    LogText("Error reading ROM\n");
    std::fprintf(stderr, "halvoren-run: %s: %s", romPath, LoadFailureText(code));
    if (code == kLoadUnsupportedMapper) std::fprintf(stderr, " %u", MapperNumber);
    std::fprintf(stderr, "\n");
    CloseSound();
    return 1;
  }
  std::printf("mapper=%u prg=%u chr=%u\n", MapperNumber, PrgBankCount, ChrBankCount);
  CloseSound();
  return 0;
}

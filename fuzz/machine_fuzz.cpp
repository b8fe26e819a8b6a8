// A console with a fuzzer-chosen header (any mapper number, unit counts up to and past what the
// stores hold) running a generated program from work RAM that reads and writes every register
// range: the PPU and APU ports, the expansion area, cartridge RAM and the mapper registers.
// Whatever the program does, nothing may run outside the machine's arrays.
#include <memory>
#include <vector>

#include "apu/expansion.h"
#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "fuzz/fuzz_support.h"
#include "headless/headless.h"
#include "log/log.h"
#include "session/run_frame.h"
#include "session/sound_output.h"

namespace {

constexpr uint16_t kProgramStart = 0x0200;
constexpr uint16_t kProgramEnd = 0x07F0;  // leaves room for the closing jump
constexpr int kFrames = 3;

// An address in one of the ranges the program hammers.
uint16_t RegisterAddress(uint8_t range, uint16_t offset) {
  switch (range % 6) {
    case 0:
      return 0x2000 + (offset & 7);  // PPU ports
    case 1:
      return 0x4000 + offset % 0x18;  // APU, sprite DMA, pads
    case 2:
      return 0x4018 + offset % 0x1FE8;  // expansion area
    case 3:
      return 0x6000 + (offset & 0x1FFF);  // cartridge RAM
    default:
      return 0x8000 + (offset & 0x7FFF);  // mapper registers
  }
}

// Turns the fuzz bytes into 6502 code: each five bytes make one short instruction group.
std::vector<uint8_t> GenerateProgram(FuzzBytes& in) {
  std::vector<uint8_t> code;
  while (!in.Empty() && code.size() + 8 < kProgramEnd - kProgramStart) {
    const uint8_t kind = in.Byte(), range = in.Byte(), value = in.Byte();
    const uint16_t address = RegisterAddress(range, in.Word());
    const uint8_t lo = address & 0xFF, hi = address >> 8;
    switch (kind % 8) {
      case 0:
        code.insert(code.end(), {0xA9, value, 0x8D, lo, hi});
        break;  // LDA #v, STA a
      case 1:
        code.insert(code.end(), {0xAD, lo, hi});
        break;  // LDA a
      case 2:
        code.insert(code.end(), {0xA2, value, 0x9D, lo, hi});
        break;  // LDX #v, STA a,X
      case 3:
        code.insert(code.end(), {0xBC, lo, hi});
        break;  // LDY a,X
      case 4:
        code.insert(code.end(), {0xA9, value, 0x8D, 0x14, 0x40});
        break;  // sprite DMA
      case 5:
        code.insert(code.end(), {0x58, 0xEE, lo, hi});
        break;  // CLI, INC a
      case 6:
        code.insert(code.end(), {value, lo, hi});
        break;  // any opcode
      default:
        code.insert(code.end(), {0xA0, value, 0x91, lo});
        break;  // LDY #v, STA (zp),Y
    }
  }
  // Then a loop on the spot: the vectors run the program again at each NMI and IRQ, so it
  // runs about once a frame instead of thousands of times (bank copies are costly).
  const uint16_t end = kProgramStart + code.size();
  code.insert(code.end(), {0x4C, static_cast<uint8_t>(end & 0xFF), static_cast<uint8_t>(end >> 8)});
  return code;
}

// The image the header describes: each 8 KB PRG bank filled with one byte and ending in
// vectors to the program; CHR filled with a pattern byte.
std::vector<uint8_t> BuildImage(FuzzBytes& in) {
  const uint8_t mapper = in.Byte();
  const uint8_t prgUnits = in.Byte() % 72, chrUnits = in.Byte() % 72;
  const uint8_t flags = in.Byte() & 0x0F, fill = in.Byte(), pattern = in.Byte();
  std::vector<uint8_t> image = {'N',
                                'E',
                                'S',
                                0x1A,
                                prgUnits,
                                chrUnits,
                                static_cast<uint8_t>((mapper << 4) | flags),
                                static_cast<uint8_t>(mapper & 0xF0),
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0};
  if (flags & 4) image.resize(image.size() + 512, fill);  // trainer
  if (prgUnits > 64 || chrUnits > 64) return image;       // refused from the header
  const size_t prgStart = image.size();
  image.resize(prgStart + prgUnits * size_t{0x4000}, fill);
  for (size_t bank = prgStart; bank < image.size(); bank += 0x2000)
    for (size_t v = 0x1FFA; v < 0x2000; v += 2)
      image[bank + v] = kProgramStart & 0xFF, image[bank + v + 1] = kProgramStart >> 8;
  image.resize(image.size() + chrUnits * size_t{0x2000}, pattern);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchFolder("machine");
  ResetSession();
  OpenSound();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzBytes in{data, size};
  const std::vector<uint8_t> image = BuildImage(in);
  const bool mainCore = in.Byte() & 1;
  const std::vector<uint8_t> program = GenerateProgram(in);

  Machine& m = FreshMachine();
  ResetSession();
  HeadlessReset();
  LogHold();  // in memory: a file per line would slow every run
  UseMainCore = mainCore;
  if (m.LoadCartridgeStream(MemoryFile(image.data(), image.size())) != 0) return 0;
  CloseSound();
  OpenSound();
  CreateExpansionChannels(m);
  m.ResetCpu();
  std::memcpy(m.CpuMemory + kProgramStart, program.data(), program.size());
  m.PC = kProgramStart;
  m.RebuildPatternCache();
  for (int frame = 0; frame < kFrames && !CpuHalted; ++frame) RunFrame(m, frame == 1);
  return 0;
}

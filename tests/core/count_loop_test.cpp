// The run's shortcuts must be invisible: counting loops charged in whole passes, and the idle
// check that skips passes which change nothing (no memory, no device) but leaves busy loops
// alone. Each loop runs from many budgets (running out before, inside and after it, across
// scanline runs) interpreted, traced and with the shortcuts on, on both cores, and the three
// consoles (registers, flags, memory, the carried budget) must come out the same.
#include <cstdio>
#include <cstring>

#include "core/trace.h"
#include "session/run_frame.h"
#include "support/cartridge_run.h"

namespace {

struct LoopCase {
  const char* name;
  std::vector<uint8_t> code;
  uint32_t registers;   // X, Y and the page-zero byte $10 before, as $XXYY10
  bool counted = true;  // passes charged at once with the shortcuts on
  bool idle = false;    // an idle pass skipped too
  uint8_t mapper = 0;
  uint16_t at = 0x8000;  // where the code goes; PC starts there
};

// clang-format off
const LoopCase kLoops[] = {
    {"DEY BNE", {0x88, 0xD0, 0xFD}, 0x003000}, {"DEY BNE from 0", {0x88, 0xD0, 0xFD}, 0},
    {"DEX BNE", {0xCA, 0xD0, 0xFD}, 0x070000}, {"INX BNE", {0xE8, 0xD0, 0xFD}, 0xC00000},
    {"INY BNE", {0xC8, 0xD0, 0xFD}, 0x00F000}, {"DEY BPL", {0x88, 0x10, 0xFD}, 0x002000},
    {"INX BMI", {0xE8, 0x30, 0xFD}, 0x900000}, {"DEX BMI from 0", {0xCA, 0x30, 0xFD}, 0},
    {"DEC zp BNE", {0xC6, 0x10, 0xD0, 0xFC}, 0x000012},
    {"INC zp BNE", {0xE6, 0x10, 0xD0, 0xFC}, 0x0000E0},
    {"DEC zp BPL", {0xC6, 0x10, 0x10, 0xFC}, 0x000025},
    {"across a page edge", {0x88, 0xD0, 0xFD}, 0x003000, true, false, 0, 0x80FF},
    // LDA #1 / JMP to the BNE; LDX #3 / LDY #0 / DEY / BNE / DEX / BNE.
    {"entered at its branch", {0xA9, 0x01, 0x4C, 0x06, 0x80, 0x88, 0xD0, 0xFD}, 0},
    {"nested", {0xA2, 0x03, 0xA0, 0x00, 0x88, 0xD0, 0xFD, 0xCA, 0xD0, 0xF8}, 0},
    {"branch past the fetch window", {0x88, 0xD0, 0xFD}, 0x003000, false, false, 0, 0xFFFD},
    {"in work RAM", {0x88, 0xD0, 0xFD}, 0x003000, false, false, 0, 0x0300},
    // TYA / BNE; LDA $11 / STA $12 / LDA #5 / STA $11 / JMP.
    {"not a counting step", {0x98, 0xD0, 0xFD}, 0x003000, false, true},
    {"idle once a value has gone round",
     {0xA5, 0x11, 0x85, 0x12, 0xA9, 0x05, 0x85, 0x11, 0x4C, 0x00, 0x80}, 0, false, true},
    // LDX #4 / DEX / NOP / BNE / LDA $10 / BEQ; LDA $10 / BEQ.
    {"idle wait around a busy loop",
     {0xA2, 0x04, 0xCA, 0xEA, 0xD0, 0xFC, 0xA5, 0x10, 0xF0, 0xF6}, 0, false, true},
    {"zero-page flag wait", {0xA5, 0x10, 0xF0, 0xFC}, 0, false, true},
    {"sprite 0 wait on $2002", {0x2C, 0x02, 0x20, 0x50, 0xFB}, 0, false, true},
    {"jump to itself", {0x4C, 0x00, 0x80}, 0, false, true},
    // JSR / JMP / RTS; LDA / JMP; LDA #1 / STA $8000 / JMP.
    {"subroutine in the loop", {0x20, 0x06, 0x80, 0x4C, 0x00, 0x80, 0x60}, 0, false, true},
    {"pad read", {0xAD, 0x16, 0x40, 0x4C, 0x00, 0x80}, 0, false},
    {"sprite RAM read", {0xAD, 0x04, 0x20, 0x4C, 0x00, 0x80}, 0, false},
    {"board shift register", {0xA9, 0x01, 0x8D, 0x00, 0x80, 0x4C, 0x00, 0x80}, 0, false, false, 1},
    // LDA $10 / EOR #1 / STA $10 / LDA #0 / BEQ; INC $0300 / JMP.
    {"store of a changing value",
     {0xA5, 0x10, 0x49, 0x01, 0x85, 0x10, 0xA9, 0x00, 0xF0, 0xF6}, 0, false},
    {"work RAM store of a changing value", {0xEE, 0x00, 0x03, 0x4C, 0x00, 0x80}, 0, false},
};
// clang-format on

// Every budget up to 24 meets each loop's passes (4 and 7 cycles) at every offset.
const int kBudgets[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,  13,  14,  15,
                        16, 17, 18, 19, 20, 21, 22, 23, 24, 37, 58, 113, 114, 200, 301};

enum class Way { Interpreted, Traced, Shortcuts };

class CountLoopTest : public CartridgeTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Scanline runs of the loop from a first budget of `budget` cycles.
  std::unique_ptr<Machine> RunLoop(const LoopCase& c, int budget, Way way, int lines = 3) {
    auto console = std::make_unique<Machine>();
    // Then INC $11 / JMP to it: burns the budget, never an idle pass.
    const auto tail = static_cast<uint16_t>(c.at + c.code.size());
    std::vector<uint8_t> code = c.code;
    code.insert(code.end(), {0xE6, 0x11, 0x4C, uint8_t(tail), uint8_t(tail >> 8)});
    for (uint16_t at = c.at; uint8_t byte : code) console->CpuMemory[at++] = byte;
    console->PC = c.at, console->S = 0xFD, console->P = 0x24, MapperNumber = c.mapper;
    console->X = uint8_t(c.registers >> 16), console->Y = uint8_t(c.registers >> 8);
    console->CpuMemory[0x10] = uint8_t(c.registers);
    // The main core's every run has the budget; the alternate core's first one.
    CycleAdjust = static_cast<int16_t>(GetParam() ? budget - 114 : 0);
    console->CycleCarry = static_cast<int16_t>(GetParam() ? 0 : budget - 114);
    // No loop start found busy by an earlier case.
    IdleSkip = way == Way::Shortcuts, BusyLoopHint = 0x10000;
    TraceFile = way == Way::Traced ? std::fopen("/dev/null", "w") : nullptr;
    for (int line = 0; line < lines; ++line)
      GetParam() ? console->RunCpuScanline() : console->RunCpuScanlineAlt();
    if (TraceFile) std::fclose(TraceFile), TraceFile = nullptr;
    return console;
  }
};

TEST_P(CountLoopTest, LoopsEndTheSameInterpretedTracedAndCharged) {
  for (const auto& c : kLoops) {
    const uint64_t counted = CountedPasses;
    for (int budget : kBudgets) {
      const auto interpreted = RunLoop(c, budget, Way::Interpreted);
      for (Way way : {Way::Traced, Way::Shortcuts})
        EXPECT_EQ(std::memcmp(interpreted.get(), RunLoop(c, budget, way).get(), sizeof(Machine)), 0)
            << c.name << " budget " << budget << (way == Way::Traced ? " traced" : " charged");
    }
    EXPECT_EQ(CountedPasses > counted, c.counted) << c.name;
    // An idle loop is found within the first run already, whatever its first passes changed.
    const uint64_t idle = IdlePassesSkipped;
    RunLoop(c, 114, Way::Shortcuts, 1);
    EXPECT_EQ(IdlePassesSkipped > idle, c.idle) << c.name;
  }
}

// Every test cartridge and the demo, drawn and skipped frames: the same console with the
// shortcuts on and off.
TEST_P(CountLoopTest, CartridgesRunTheSameWithAndWithoutTheShortcuts) {
  for (const char* rom :
       {"demo.nes", "mmc3_split.nes", "ppu_scroll.nes", "ppu_split.nes", "ppu_sprites.nes",
        "ppu_sprites16.nes", "ppu_vblank.nes", "bandai_split.nes", "latch_midline.nes",
        "vrc6_split.nes", "state_walk.nes"}) {
    std::unique_ptr<Machine> consoles[2];
    for (int skip = 0; skip < 2; ++skip) {
      machine = std::make_unique<Machine>(), StartOnCore(rom, GetParam()), IdleSkip = skip;
      for (int frame = 1; frame <= 300; ++frame) RunFrame(m(), frame % 3 == 0);
      consoles[skip] = std::move(machine);
    }
    EXPECT_EQ(std::memcmp(consoles[0].get(), consoles[1].get(), sizeof(Machine)), 0) << rom;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCores, CountLoopTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Main" : "Alt"; });

}  // namespace

// Counting loops charged in whole passes, and the idle check that leaves busy loops alone,
// must be invisible: each loop runs from many budgets (running out before, inside and after
// it, across scanline runs) interpreted, traced and with the shortcuts on, on both cores, and
// the three consoles (registers, flags, memory, the carried budget) must come out the same.
#include <cstdio>
#include <cstring>

#include "core/trace.h"
#include "support/fixture.h"

namespace {

struct LoopCase {
  const char* name;
  uint16_t at;  // where the code goes; PC starts there
  std::vector<uint8_t> code;
  uint8_t x, y, counter;  // X, Y and the page-zero byte $10 before
  bool counted;           // passes charged at once with the shortcuts on
  bool idle = false;      // an idle pass skipped too
};

// clang-format off
const LoopCase kLoops[] = {
    {"DEY BNE", 0x8000, {0x88, 0xD0, 0xFD}, 0, 0x30, 0, true},
    {"DEY BNE from zero", 0x8000, {0x88, 0xD0, 0xFD}, 0, 0x00, 0, true},
    {"DEX BNE", 0x8000, {0xCA, 0xD0, 0xFD}, 0x07, 0, 0, true},
    {"INX BNE", 0x8000, {0xE8, 0xD0, 0xFD}, 0xC0, 0, 0, true},
    {"INY BNE", 0x8000, {0xC8, 0xD0, 0xFD}, 0, 0xF0, 0, true},
    {"DEC zp BNE", 0x8000, {0xC6, 0x10, 0xD0, 0xFC}, 0, 0, 0x12, true},
    {"INC zp BNE", 0x8000, {0xE6, 0x10, 0xD0, 0xFC}, 0, 0, 0xE0, true},
    {"DEC zp BPL", 0x8000, {0xC6, 0x10, 0x10, 0xFC}, 0, 0, 0x25, true},
    {"DEY BPL", 0x8000, {0x88, 0x10, 0xFD}, 0, 0x20, 0, true},
    {"INX BMI", 0x8000, {0xE8, 0x30, 0xFD}, 0x90, 0, 0, true},
    {"DEX BMI from zero", 0x8000, {0xCA, 0x30, 0xFD}, 0x00, 0, 0, true},
    {"across a page edge", 0x80FF, {0x88, 0xD0, 0xFD}, 0, 0x30, 0, true},
    {"entered at its branch",                                  // LDA #1 / JMP to the BNE
     0x8000, {0xA9, 0x01, 0x4C, 0x06, 0x80, 0x88, 0xD0, 0xFD}, 0, 0x00, 0, true},
    {"nested",                                                 // LDX #3 / LDY #0 / DEY / BNE
     0x8000, {0xA2, 0x03, 0xA0, 0x00, 0x88, 0xD0, 0xFD, 0xCA, 0xD0, 0xF8}, 0, 0, 0, true},
    {"branch past the fetch window", 0xFFFD, {0x88, 0xD0, 0xFD}, 0, 0x30, 0, false},
    {"in work RAM", 0x0300, {0x88, 0xD0, 0xFD}, 0, 0x30, 0, false},
    {"not a counting step", 0x8000, {0x98, 0xD0, 0xFD}, 0, 0x30, 0, false, true},  // TYA / BNE
    {"idle once a value has gone round",                       // LDA $11 / STA $12 / LDA #5 /
     0x8000, {0xA5, 0x11, 0x85, 0x12, 0xA9, 0x05, 0x85, 0x11, 0x4C, 0x00, 0x80},  // STA $11 / JMP
     0, 0, 0, false, true},
    {"idle wait around a busy loop",                           // LDX #4 / DEX / NOP / BNE /
     0x8000, {0xA2, 0x04, 0xCA, 0xEA, 0xD0, 0xFC, 0xA5, 0x10, 0xF0, 0xF6},  // LDA $10 / BEQ
     0, 0, 0, false, true},
};
// clang-format on

// Every budget up to 24 meets each loop's passes (4 and 7 cycles) at every offset.
const int kBudgets[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,  13,  14,  15,
                        16, 17, 18, 19, 20, 21, 22, 23, 24, 37, 58, 113, 114, 200, 301};

enum class Way { Interpreted, Traced, Shortcuts };

class CountLoopTest : public MachineTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Scanline runs of the loop from a first budget of `budget` cycles.
  std::unique_ptr<Machine> RunLoop(const LoopCase& c, int budget, Way way, int lines = 3) {
    auto console = std::make_unique<Machine>();
    uint16_t at = c.at;
    for (uint8_t byte : c.code) console->CpuMemory[at++] = byte;
    const uint16_t tail = at;  // INC $11 / JMP tail: burns the budget, never an idle pass
    for (uint8_t byte : {uint8_t{0xE6}, uint8_t{0x11}, uint8_t{0x4C}, static_cast<uint8_t>(tail),
                         static_cast<uint8_t>(tail >> 8)})
      console->CpuMemory[at++] = byte;
    console->CpuMemory[0x10] = c.counter;
    console->PC = c.at;
    console->S = 0xFD;
    console->P = 0x24;
    console->X = c.x;
    console->Y = c.y;
    // The main core's every run has the budget; the alternate core's first one.
    CycleAdjust = static_cast<int16_t>(GetParam() ? budget - 114 : 0);
    console->CycleCarry = static_cast<int16_t>(GetParam() ? 0 : budget - 114);
    IdleSkip = way == Way::Shortcuts;
    BusyLoopHint = 0x10000;  // no loop start found busy by an earlier case
    TraceFile = way == Way::Traced ? std::fopen("/dev/null", "w") : nullptr;
    for (int line = 0; line < lines; ++line)
      GetParam() ? console->RunCpuScanline() : console->RunCpuScanlineAlt();
    if (TraceFile) std::fclose(TraceFile);
    TraceFile = nullptr;
    return console;
  }
};

TEST_P(CountLoopTest, LoopsEndTheSameInterpretedTracedAndCharged) {
  for (const auto& c : kLoops) {
    const uint64_t counted = CountedPasses;
    for (int budget : kBudgets) {
      auto interpreted = RunLoop(c, budget, Way::Interpreted);
      auto traced = RunLoop(c, budget, Way::Traced);
      auto charged = RunLoop(c, budget, Way::Shortcuts);
      EXPECT_EQ(std::memcmp(interpreted.get(), traced.get(), sizeof(Machine)), 0)
          << c.name << " budget " << budget;
      EXPECT_EQ(std::memcmp(interpreted.get(), charged.get(), sizeof(Machine)), 0)
          << c.name << " budget " << budget;
    }
    EXPECT_EQ(CountedPasses > counted, c.counted) << c.name;
    // An idle loop is found within the first run already, whatever its first passes changed.
    const uint64_t idle = IdlePassesSkipped;
    RunLoop(c, 114, Way::Shortcuts, 1);
    EXPECT_EQ(IdlePassesSkipped > idle, c.idle) << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCores, CountLoopTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Main" : "Alt"; });

}  // namespace

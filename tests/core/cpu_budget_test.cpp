// Scanline budgets, the vertical-blank shortcut, and the opcodes where the cores differ.
#include "core/cpu_fixture.h"

namespace {

using CpuBudgetTest = CpuCoreTest;

constexpr uint8_t kNop = 0xEA;

TEST_P(CpuBudgetTest, ARunOfNopsExecutes57) {
  std::memset(m().CpuMemory + 0x8000, kNop, 0x100);
  m().PC = 0x8000;
  RunLine();
  EXPECT_EQ(m().PC, 0x8000 + 57);
  if (!MainCore()) {
    EXPECT_EQ(CycleCarry, 0);
  }
}

// LDA zp and 55 NOPs leave 1 cycle; ASL abs,X (7) still runs, leaving -6.
TEST_P(CpuBudgetTest, LastInstructionCompletesAndOnlyTheAlternateCoreCarriesTheRest) {
  std::memset(m().CpuMemory + 0x8000, kNop, 0x200);
  Place(0x8000, {0xA5, 0x10});
  Place(0x8002 + 55, {0x1E, 0x00, 0x03});
  const uint16_t afterAsl = 0x8002 + 55 + 3;
  m().PC = 0x8000;
  RunLine();
  EXPECT_EQ(m().PC, afterAsl);
  if (!MainCore()) {
    EXPECT_EQ(CycleCarry, -6);
  }
  CycleAdjust = 4;  // the main core's adjustment; the alternate core ignores it
  RunLine();
  if (MainCore()) {
    EXPECT_EQ(m().PC, afterAsl + 59);
  } else {
    EXPECT_EQ(m().PC, afterAsl + 54);  // 114 - 6 = 108 cycles
    EXPECT_EQ(CycleCarry, 0);
  }
}

TEST_P(CpuBudgetTest, ZeroCycleNoOpsDoNotSpendTheBudget) {
  std::memset(m().CpuMemory + 0x8000, 0x03, 200);
  std::memset(m().CpuMemory + 0x8000 + 200, kNop, 100);
  m().PC = 0x8000;
  RunLine();
  EXPECT_EQ(m().PC, 0x8000 + 200 + 57);
}

TEST_P(CpuBudgetTest, WaitingForVblankEndsTheRunAtOnce) {
  Place(0x8000, {0xAD, 0x02, 0x20, 0x10, 0xFB});  // LDA $2002; BPL back onto it
  m().PC = 0x8000;
  EXPECT_EQ(RunLineCountingInstructions(), 2);
  EXPECT_EQ(m().PC, 0x8000);
  if (!MainCore()) {
    EXPECT_EQ(CycleCarry, -1);
    EXPECT_EQ(RunLineCountingInstructions(), 2);  // 113 cycles, same end
  }
}

TEST_P(CpuBudgetTest, ABranchBackOntoOtherCodeIsInterpreted) {
  Place(0x8000, {0xEE, 0x00, 0x03, 0x10, 0xFB});  // INC $0300; BPL back onto it
  m().PC = 0x8000;
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x300], 15);  // 8 cycles a turn
}

// Opcodes only one core knows, and what they do there (the opcode sweep shows the other core
// halting on them).
class CpuMainOnlyTest : public CpuCoreTest {};

TEST_P(CpuMainOnlyTest, PushYAndBranchAlways) {
  Program({0x5A, 0x80, 0x02, 0xA2, 0x01, 0xA0, 0x03});  // PHY; BRA +2; LDX #1; LDY #3
  m().Y = 0x77;
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x1FD], 0x77);
  EXPECT_EQ(m().S, 0xFC);
  EXPECT_EQ(m().X, 0);
  EXPECT_EQ(m().Y, 3);
}

TEST_P(CpuMainOnlyTest, SkippingNoOp) {
  Program({0xD4, 0xA2, 0xA0, 0x03});  // skips the LDX opcode, runs LDY #3
  RunLine();
  EXPECT_EQ(m().X, 0);
  EXPECT_EQ(m().Y, 3);
}

TEST_P(CpuBudgetTest, PushAndPullXInTheAlternateCore) {
  Program(MainCore() ? std::vector<uint8_t>{0xDA} : std::vector<uint8_t>{0xDA, 0xA2, 0x00, 0xFA});
  m().X = 0x90;
  m().P = 0;
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x1FD], 0x90);  // PHX in both
  if (!MainCore()) {
    EXPECT_EQ(m().X, 0x90);
    EXPECT_EQ(m().P, 0x80);
    EXPECT_EQ(m().S, 0xFD);
  }
}

HALVOREN_BOTH_CORES(CpuBudgetTest);
INSTANTIATE_TEST_SUITE_P(Cores, CpuMainOnlyTest, ::testing::Values(true), CoreName);

}  // namespace

// Where the cores differ: which opcodes each knows and what it charges, the halt on an unknown
// opcode, and how each forms its scanline budget.
#include <set>

#include "core/cpu_fixture.h"

namespace {

// Base cycles of each opcode, row $x0-$xF per string; '.' = unknown in both cores. The 6502's
// published counts plus the extra opcodes; never a page-crossing or branch penalty.
constexpr const char* kCycleGrid[16] = {
    "7600035.322..46.", "255.046.244..47.", "66..335.422.446.", "255.446.24...47.",
    "66...35.322.346.", "255..46.243..47.", "66...35.422.546.", "25...46.24...47.",
    "36..333.202.4440", "265.444.252005..", "262.333.2220444.", "255.444.242.444.",
    "26..335.222.446.", "255.046.243..47.", "26..335.222.446.", "25..046.244..47.",
};

const std::set<int> kUnknownInMainOnly = {0xFA};
const std::set<int> kUnknownInAltOnly = {0x02, 0x14, 0x5A, 0x80, 0x89,
                                         0x8F, 0x9B, 0x9C, 0xAB, 0xD4};

bool Knows(bool mainCore, int opcode) {
  if (kCycleGrid[opcode >> 4][opcode & 15] == '.') return false;
  return !(mainCore ? kUnknownInMainOnly : kUnknownInAltOnly).count(opcode);
}

using CpuCoresTest = CpuCoreTest;

constexpr uint8_t kNop = 0xEA;
// Memory is all $FF, unknown to both cores, and every operand is $FF, so wherever an
// instruction sends PC (jump, branch, vector, stack) the next fetch halts. A budget of exactly
// the instruction's cycles must end the run before that fetch; one cycle more must reach it.
TEST_P(CpuCoresTest, EachOpcodeIsKnownAndChargesItsBaseCycles) {
  for (int opcode = 0; opcode < 256; ++opcode) {
    SCOPED_TRACE(::testing::Message() << "opcode $" << std::hex << opcode);
    const bool known = Knows(MainCore(), opcode);
    const int cycles = kCycleGrid[opcode >> 4][opcode & 15] - '0';
    for (int extra : {0, 1}) {
      if (known && cycles == 0 && extra == 0) continue;  // a budget of 0 runs nothing
      std::memset(m().CpuMemory, 0xFF, sizeof m().CpuMemory);
      m().CpuMemory[0x8000] = static_cast<uint8_t>(opcode);
      m().PC = 0x8000;
      m().P = 0;  // I clear: the alternate core's BRK is taken
      m().S = 0xFD;
      m().A = m().X = m().Y = 0;
      CpuHalted = 0;
      SetBudget(known ? cycles + extra : 1);
      RunLine();
      if (!known) {
        EXPECT_EQ(CpuHalted, 1u);
        EXPECT_EQ(m().PC, 0x8001);
        break;
      }
      EXPECT_EQ(CpuHalted, static_cast<uint32_t>(extra)) << "charged other than " << cycles;
    }
  }
}

// What the extra opcodes of one core do (the sweep shows the other core halting on them).
TEST_P(CpuCoresTest, OpcodesOfOneCore) {
  if (MainCore()) {  // PHX; PHY; BRA +2; LDX #1; skip a byte; LDY #3
    Program({0xDA, 0x5A, 0x80, 0x02, 0xA2, 0x01, 0xD4, 0xA2, 0xA0, 0x03});
  } else {  // PHX; LDX #0; PLX
    Program({0xDA, 0xA2, 0x00, 0xFA});
  }
  m().X = 0x90;
  m().Y = 0x77;
  m().P = 0;
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x1FD], 0x90);
  EXPECT_EQ(m().CpuMemory[0x1FC], MainCore() ? 0x77 : 0x00);
  EXPECT_EQ(m().X, 0x90);
  EXPECT_EQ(m().Y, MainCore() ? 3 : 0x77);
  EXPECT_EQ(m().P, MainCore() ? 0x00 : 0x80);  // PLX sets N
  EXPECT_EQ(m().S, MainCore() ? 0xFB : 0xFD);
}

TEST_P(CpuCoresTest, UnknownOpcodeLogsFiveLinesAndHalts) {
  Program({0xA9, 0x11, 0xA2, 0x22, 0xA0, 0x33, 0x18, 0x07});  // LDA, LDX, LDY, CLC, bad
  Place(0xFFFA, {0x23, 0x81});
  Place(0xFFFE, {0xBC, 0x9A});
  FrameCount = 7;
  m().A = 1;
  m().P = 0x25;
  CycleCarry = -3;
  RunLine();
  EXPECT_EQ(ReadLog(), "Bad opcode:7\nAt:32775\nFrame:7\nNMI vector:33059\nIRQ vector:39612\n");
  EXPECT_EQ(CpuHalted, 1u);
  EXPECT_EQ(m().PC, 0x8008);
  EXPECT_EQ(m().A + m().X, 1);  // no write-back of the working registers
  // The main core's P is live (the CLC shows); the alternate core rebuilds nothing.
  EXPECT_EQ(m().P, MainCore() ? 0x24 : 0x25);
  EXPECT_EQ(CycleCarry, -3);
}

// 200 zero-cycle no-ops spend nothing; LDA zp and 55 NOPs leave 1 cycle; ASL abs,X (7) still
// runs, leaving -6, which only the alternate core carries into the next run.
TEST_P(CpuCoresTest, LastInstructionCompletesAndOnlyTheAlternateCoreCarriesTheRest) {
  std::memset(m().CpuMemory + 0x8000, kNop, 0x300);
  std::memset(m().CpuMemory + 0x8000, 0x03, 200);
  Place(0x8000 + 200, {0xA5, 0x10});
  Place(0x8000 + 202 + 55, {0x1E, 0x00, 0x03});
  const uint16_t afterAsl = 0x8000 + 202 + 55 + 3;
  m().PC = 0x8000;
  RunLine();
  EXPECT_EQ(m().PC, afterAsl);
  EXPECT_EQ(CycleCarry, MainCore() ? 0 : -6);
  CycleAdjust = 4;  // the main core's adjustment; the alternate core ignores it
  RunLine();
  EXPECT_EQ(m().PC, afterAsl + (MainCore() ? 59 : 54));  // alternate: 114 - 6 = 108 cycles
  EXPECT_EQ(CycleCarry, 0);
}

// The trace shows the two instructions, each line with the registers before it.
TEST_P(CpuCoresTest, WaitingForVblankEndsTheRunAtOnce) {
  Place(0x8000, {0xAD, 0x02, 0x20, 0x10, 0xFB});  // LDA $2002; BPL back onto it
  m().PC = 0x8000;
  m().A = 0x11;
  const std::string p = MainCore() ? "P:24" : "P:04";
  const std::string pAfterLda = MainCore() ? "P:26" : "P:06";
  EXPECT_EQ(RunLineTraced(), "8000  AD 02 20  A:11 X:00 Y:00 " + p + " SP:FD\n" +
                                 "8003  10 FB     A:00 X:00 Y:00 " + pAfterLda + " SP:FD\n");
  EXPECT_EQ(m().PC, 0x8000);
  EXPECT_EQ(CycleCarry, MainCore() ? 0 : -1);
  // A branch back onto other code is interpreted: INC $0300; BPL, 8 cycles a turn.
  Place(0x8000, {0xEE, 0x00, 0x03});
  CycleCarry = 0;
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x300], 15);
}

HALVOREN_BOTH_CORES(CpuCoresTest);

}  // namespace

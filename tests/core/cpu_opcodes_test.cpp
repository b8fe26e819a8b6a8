// Every opcode on both cores: whether the core knows it, and what it charges.
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

using CpuOpcodeTest = CpuCoreTest;

// Memory is all $FF, unknown to both cores, and every operand is $FF, so wherever an
// instruction sends PC (jump, branch, vector, stack) the next fetch halts. A budget of exactly
// the instruction's cycles must end the run before that fetch; one cycle more must reach it.
TEST_P(CpuOpcodeTest, EachOpcodeIsKnownAndChargesItsBaseCycles) {
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

TEST_P(CpuOpcodeTest, UnknownOpcodeLogsFiveLinesAndHalts) {
  Program({0xA9, 0x11, 0xA2, 0x22, 0xA0, 0x33, 0x18, 0x07});  // LDA, LDX, LDY, CLC, bad
  SetVector(0xFFFA, 0x8123);
  SetVector(0xFFFE, 0x9ABC);
  FrameCount = 7;
  m().A = 1;
  m().P = 0x25;
  CycleCarry = -3;
  RunLine();
  EXPECT_EQ(ReadLog(), "Bad opcode:7\nAt:32775\nFrame:7\nNMI vector:33059\nIRQ vector:39612\n");
  EXPECT_EQ(CpuHalted, 1u);
  EXPECT_EQ(m().PC, 0x8008);
  EXPECT_EQ(m().A, 1);  // no write-back of the working registers
  EXPECT_EQ(m().X, 0);
  if (MainCore()) {
    EXPECT_EQ(m().P, 0x24);  // the main core's P is live: the CLC shows
  } else {
    EXPECT_EQ(m().P, 0x25);  // not rebuilt
    EXPECT_EQ(CycleCarry, -3);
  }
}

HALVOREN_BOTH_CORES(CpuOpcodeTest);

// The table and the description's unknown list agree exactly.
TEST(CpuOpcodeTable, UnknownInBothCoresMatchesTheList) {
  const std::set<int> listed = {
      0x07, 0x0B, 0x0C, 0x0F, 0x13, 0x17, 0x1B, 0x1C, 0x1F, 0x22, 0x23, 0x27, 0x2B, 0x2F,
      0x33, 0x37, 0x3A, 0x3B, 0x3C, 0x3F, 0x42, 0x43, 0x44, 0x47, 0x4B, 0x4F, 0x53, 0x54,
      0x57, 0x5B, 0x5C, 0x5F, 0x62, 0x63, 0x64, 0x67, 0x6B, 0x6F, 0x72, 0x73, 0x74, 0x77,
      0x7A, 0x7B, 0x7C, 0x7F, 0x82, 0x83, 0x87, 0x8B, 0x93, 0x97, 0x9E, 0x9F, 0xA3, 0xA7,
      0xAF, 0xB3, 0xB7, 0xBB, 0xBF, 0xC2, 0xC3, 0xC7, 0xCB, 0xCF, 0xD3, 0xD7, 0xDB, 0xDC,
      0xDF, 0xE2, 0xE3, 0xE7, 0xEB, 0xEF, 0xF2, 0xF3, 0xF7, 0xFB, 0xFC, 0xFF};
  std::set<int> unknown;
  for (int opcode = 0; opcode < 256; ++opcode)
    if (kCycleGrid[opcode >> 4][opcode & 15] == '.') unknown.insert(opcode);
  EXPECT_EQ(unknown, listed);
}

}  // namespace

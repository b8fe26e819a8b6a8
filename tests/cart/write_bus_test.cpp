#include "cart/board_test.h"

using WriteBusTest = BoardTest;

// Mapper 0 stores low-range writes, $2002 and the $2008+ register mirrors included, without
// treating them as PPU writes; other boards keep only sound registers and save RAM. ROM is
// never written.
TEST_F(WriteBusTest, StatusMirrorsAndTheLowRange) {
  Run(0, {{2,
           1,
           {{0x2002, 0x12}, {0x2008, 0x34}, {0x8000, 0}, {0xBFFF, 0}, {0xFFFF, 0}},
           {{0x2002, 0x12}, {0x2008, 0x34}, {0x2000, 0}, {0x8000, P(0)}, {0xFFFF, P(3)}}}});
  Run(2, {{2,
           1,
           {{0x2002, 0x56}, {0x3FFF, 0x78}, {0x5000, 0x9A}, {0x4002, 0x44}, {0x6000, 0xBC}},
           {{0x2002, 0x10}, {0x3FFF, 0}, {0x5000, 0}, {0x4002, 0x44}, {0x6000, 0xBC}}}});
}

TEST_F(WriteBusTest, SpriteDmaCopiesAWholePageFromEntryZero) {
  for (int i = 0; i < 256; ++i) m().CpuMemory[0x0200 + i] = static_cast<uint8_t>(i ^ 0x5A);
  m().CpuMemory[kSpriteAddress] = 0x40;
  m().CpuWrite(0x4014, 0x02);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(m().SpriteRam[i], i ^ 0x5A);
  EXPECT_EQ(m().CpuMemory[kSpriteAddress], 0x40);
}

// A length load retriggers pulse 1 even with the value already there, pulse 2 only on a
// change, and forgets pulse 1's sweep write; pulse 2 keeps its own.
TEST_F(WriteBusTest, SoundChangeFlags) {
  for (uint16_t reg : {0x4001, 0x4003, 0x4005, 0x4007}) m().CpuWrite(reg, 0x88);
  m().Pulse1Changed = m().Pulse2Changed = 0;
  m().CpuWrite(0x4003, 0x88);
  m().CpuWrite(0x4007, 0x88);
  EXPECT_EQ(m().Pulse1Changed + 2 * m().Pulse2Changed, 1u);
  EXPECT_EQ(m().Pulse1SweepWritten + 2 * m().Pulse2SweepWritten, 2u);
  m().CpuWrite(0x4011, 0);
  EXPECT_EQ(m().CpuRead(0x4011), 0x80);
}

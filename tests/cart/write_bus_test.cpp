#include "apu/registers.h"
#include "cart/board_test.h"

using WriteBusTest = BoardTest;

TEST_F(WriteBusTest, StatusMirrorsAndTheLowRange) {
  LoadBoard(0, 2, 1);
  m().CpuWrite(0x2002, 0x12);  // mapper 0 stores it over the status image
  m().CpuWrite(0x2008, 0x34);
  EXPECT_EQ(m().CpuMemory[0x2002], 0x12);
  EXPECT_EQ(m().CpuMemory[0x2008], 0x34);
  EXPECT_EQ(m().CpuMemory[0x2000], 0);
  for (uint16_t a : {0x8000, 0xBFFF, 0xFFFF}) m().CpuWrite(a, 0x00);
  EXPECT_EQ(At(0x8000), P(0));  // ROM is never written
  EXPECT_EQ(At(0xFFFF), P(3));

  MapperNumber = 2;  // any other board drops them
  m().CpuWrite(0x2002, 0x56);
  m().CpuWrite(0x3FFF, 0x78);
  m().CpuWrite(0x5000, 0x9A);
  EXPECT_EQ(m().CpuMemory[0x2002], 0x12);
  EXPECT_EQ(m().CpuMemory[0x3FFF], 0);
  EXPECT_EQ(At(0x5000), 0);
  m().CpuWrite(0x4002, 0x44);  // but keeps sound registers and save RAM
  m().CpuWrite(0x6000, 0xBC);
  EXPECT_EQ(At(0x4002), 0x44);
  EXPECT_EQ(At(0x6000), 0xBC);
}

TEST_F(WriteBusTest, SpriteDmaCopiesAWholePageFromEntryZero) {
  for (int i = 0; i < 256; ++i) m().CpuMemory[0x0200 + i] = static_cast<uint8_t>(i ^ 0x5A);
  m().CpuMemory[kSpriteAddress] = 0x40;
  m().CpuWrite(0x4014, 0x02);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(m().SpriteRam[i], i ^ 0x5A);
  EXPECT_EQ(m().CpuMemory[kSpriteAddress], 0x40);
}

TEST_F(WriteBusTest, SoundChangeFlags) {
  m().CpuWrite(0x4003, 0x08);
  Pulse1Changed = 0;
  m().CpuWrite(0x4003, 0x08);  // the same value still retriggers pulse 1...
  EXPECT_EQ(Pulse1Changed, 1u);
  m().CpuWrite(0x4007, 0x08);
  Pulse2Changed = 0;
  m().CpuWrite(0x4007, 0x08);  // ...but not pulse 2
  EXPECT_EQ(Pulse2Changed, 0u);
  NoiseChanged = DmcChanged = 0;
  m().CpuWrite(0x400C, 0);  // unchanged value
  EXPECT_EQ(NoiseChanged, 0u);
  m().CpuWrite(0x400F, 0xF8);
  EXPECT_EQ(NoiseChanged, 1u);
  EXPECT_EQ(NoiseLength, 35u);
  m().CpuWrite(0x4011, 0);
  EXPECT_EQ(DmcChanged, 1u);
  EXPECT_EQ(m().CpuRead(0x4011), 0x80);
}

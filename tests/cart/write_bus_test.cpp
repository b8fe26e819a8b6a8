#include "apu/registers.h"
#include "support/fixture.h"

using WriteBusTest = MachineTest;

TEST_F(WriteBusTest, StatusAndRegisterMirrorsAreNotPpuWrites) {
  MapperNumber = 0;
  m().CpuWrite(0x2002, 0x12);  // mapper 0 stores it over the status image
  m().CpuWrite(0x2008, 0x34);
  EXPECT_EQ(m().CpuMemory[0x2002], 0x12);
  EXPECT_EQ(m().CpuMemory[0x2008], 0x34);
  EXPECT_EQ(m().CpuMemory[0x2000], 0);

  MapperNumber = 2;  // any other board drops them
  m().CpuWrite(0x2002, 0x56);
  m().CpuWrite(0x3FFF, 0x78);
  m().CpuWrite(0x5000, 0x9A);
  EXPECT_EQ(m().CpuMemory[0x2002], 0x12);
  EXPECT_EQ(m().CpuMemory[0x3FFF], 0);
  EXPECT_EQ(m().CpuMemory[0x5000], 0);
  m().CpuWrite(0x6000, 0xBC);
  m().CpuWrite(0x7FFF, 0xDE);
  EXPECT_EQ(m().CpuMemory[0x6000], 0xBC);
  EXPECT_EQ(m().CpuMemory[0x7FFF], 0xDE);
}

TEST_F(WriteBusTest, Mapper0NeverChangesRom) {
  InesImage image;
  ASSERT_EQ(Load(image), kLoadOk);
  for (uint32_t a = 0x8000; a <= 0xFFFF; a += 0x1234) m().CpuWrite(static_cast<uint16_t>(a), 0x00);
  m().CpuWrite(0xFFFF, 0);
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(0));
  EXPECT_EQ(m().CpuMemory[0xFFFF], PrgTag(3));
}

TEST_F(WriteBusTest, SpriteDmaCopiesAWholePageFromEntryZero) {
  for (int i = 0; i < 256; ++i) m().CpuMemory[0x0200 + i] = static_cast<uint8_t>(i ^ 0x5A);
  m().CpuMemory[kSpriteAddress] = 0x40;
  m().CpuWrite(0x4014, 0x02);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(m().SpriteRam[i], i ^ 0x5A);
  EXPECT_EQ(m().CpuMemory[kSpriteAddress], 0x40);
}

TEST_F(WriteBusTest, PulseChangeFlagsAreAsymmetric) {
  m().CpuWrite(0x4003, 0x08);
  EXPECT_EQ(Pulse1Changed, 1u);
  Pulse1Changed = 0;
  m().CpuWrite(0x4003, 0x08);  // same value still retriggers pulse 1
  EXPECT_EQ(Pulse1Changed, 1u);

  m().CpuWrite(0x4007, 0x08);
  EXPECT_EQ(Pulse2Changed, 1u);
  Pulse2Changed = 0;
  m().CpuWrite(0x4007, 0x08);  // but not pulse 2
  EXPECT_EQ(Pulse2Changed, 0u);

  m().CpuWrite(0x4001, 0x88);
  EXPECT_EQ(Pulse1SweepWritten, 1u);
  m().CpuWrite(0x4003, 0x10);
  EXPECT_EQ(Pulse1SweepWritten, 0u);
  m().CpuWrite(0x4005, 0x88);
  m().CpuWrite(0x4007, 0x10);
  EXPECT_EQ(Pulse2SweepWritten, 1u);
}

TEST_F(WriteBusTest, NoiseTriangleAndDeltaFlags) {
  NoiseChanged = TriangleChanged = DmcChanged = 0;
  m().CpuWrite(0x400C, 0);  // unchanged value
  EXPECT_EQ(NoiseChanged, 0u);
  m().CpuWrite(0x400F, 0xF8);
  EXPECT_EQ(NoiseChanged, 1u);
  EXPECT_EQ(NoiseLength, 35u);
  m().CpuWrite(0x4008, 0);
  EXPECT_EQ(TriangleChanged, 1u);
  m().CpuWrite(0x4011, 0);
  EXPECT_EQ(DmcChanged, 1u);
  EXPECT_EQ(m().CpuRead(0x4011), 0x80);
  m().CpuWrite(0x4015, 0x1F);
  m().CpuWrite(0x4017, 0x40);
  EXPECT_EQ(m().CpuRead(0x4015), 0x1F);
  EXPECT_EQ(m().CpuMemory[0x4017], 0x40);
}

TEST_F(WriteBusTest, SoundRegistersAlsoReachTheLowRangeRule) {
  m().CpuWrite(0x4000, 0x3F);
  EXPECT_EQ(m().CpuMemory[0x4000], 0x3F);
  MapperNumber = 1;
  m().CpuWrite(0x4002, 0x44);
  EXPECT_EQ(m().CpuMemory[0x4002], 0x44);
}

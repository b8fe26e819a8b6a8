#include "support/fixture.h"

using ReadBusTest = MachineTest;

TEST_F(ReadBusTest, WorkRamIsMirroredFourTimes) {
  m().CpuWrite(0x0000, 0x11);
  m().CpuWrite(0x1FFF, 0x22);  // lands at $07FF
  for (uint16_t mirror : {0x0000, 0x0800, 0x1000, 0x1800}) EXPECT_EQ(m().CpuRead(mirror), 0x11);
  EXPECT_EQ(m().CpuMemory[0x07FF], 0x22);
  EXPECT_EQ(m().CpuRead(0x10000 + 0x0800), 0x11);  // only the low 16 bits count
}

TEST_F(ReadBusTest, StatusReadClearsVblankAndToggle) {
  m().CpuMemory[kPpuStatus] = 0xE0;
  m().WriteToggle = 1;
  EXPECT_EQ(m().CpuRead(0x2002), 0xE0);
  EXPECT_EQ(m().WriteToggle, 0);
  EXPECT_EQ(m().CpuRead(0x2002), 0x60);  // bits 6 and 5 stay
  m().WriteToggle = 1;
  m().CpuRead(0x2002);
  EXPECT_EQ(m().WriteToggle, 0);
}

TEST_F(ReadBusTest, RegisterMirrorsAndUnmappedAreasReadStoredBytes) {
  m().CpuMemory[0x200A] = 0x77;
  m().CpuMemory[0x2002] = 0x80;
  EXPECT_EQ(m().CpuRead(0x200A), 0x77);
  EXPECT_EQ(m().CpuRead(0x200A), 0x77);
  EXPECT_EQ(m().CpuMemory[0x2002], 0x80);  // not touched
  m().CpuMemory[0x5123] = 0x12;
  m().CpuMemory[0x5FFF] = 0x34;
  m().CpuMemory[0x6000] = 0x56;
  m().CpuMemory[0x4015] = 0x1F;
  EXPECT_EQ(m().CpuRead(0x5123), 0x12);
  EXPECT_EQ(m().CpuRead(0x5FFF), 0x34);
  EXPECT_EQ(m().CpuRead(0x6000), 0x56);
  EXPECT_EQ(m().CpuRead(0x4015), 0x1F);
}

TEST_F(ReadBusTest, SpriteRamReadAdvancesAndWraps) {
  m().SpriteRam[255] = 0xAB;
  m().SpriteRam[0] = 0xCD;
  m().CpuMemory[kSpriteAddress] = 0xFF;
  EXPECT_EQ(m().CpuRead(0x2004), 0xAB);
  EXPECT_EQ(m().CpuMemory[kSpriteAddress], 0x00);
  EXPECT_EQ(m().CpuRead(0x2004), 0xCD);
}

TEST_F(ReadBusTest, Mapper19ReadsCounterAndSoundRam) {
  m().IrqCounter = 0xBEEF;
  m().NamcoSoundRam[0x12] = 0x99;
  m().NamcoSoundAddress = 0x12;
  m().CpuMemory[0x5123] = 1;
  m().CpuMemory[0x5FFF] = 2;
  MapperNumber = 19;
  EXPECT_EQ(m().CpuRead(0x5123), 0xEF);
  EXPECT_EQ(m().CpuRead(0x5FFF), 0xBE);
  EXPECT_EQ(m().CpuRead(0x4800), 0x99);
  EXPECT_EQ(m().NamcoSoundAddress, 0x12);  // not advanced by the read
  MapperNumber = 4;
  EXPECT_EQ(m().CpuRead(0x5123), 1);
  EXPECT_EQ(m().CpuRead(0x5FFF), 2);
}

TEST_F(ReadBusTest, Mapper48ReportsSpriteZeroHit) {
  MapperNumber = 48;
  m().CpuMemory[0x5204] = 0x33;
  EXPECT_EQ(m().CpuRead(0x5204), 0x00);
  m().CpuMemory[kPpuStatus] = 0x40;
  EXPECT_EQ(m().CpuRead(0x5204), 0x80);
  MapperNumber = 0;
  EXPECT_EQ(m().CpuRead(0x5204), 0x33);
}

TEST_F(ReadBusTest, CartridgeSpaceIsACopyNotAView) {
  InesImage image;
  image.Mapper = 2;
  image.PrgUnits = 4;
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(m().CpuRead(0x8000), PrgTag(0));
  m().PrgRom[0] = 0x42;
  EXPECT_EQ(m().CpuRead(0x8000), PrgTag(0));
}

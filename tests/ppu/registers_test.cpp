#include "support/fixture.h"

using PpuRegistersTest = MachineTest;

TEST_F(PpuRegistersTest, ControlWriteSetsNameTableBitsOfTheLatch) {
  m().TempAddress = 0x7FFF;
  m().CpuWrite(0x2000, 0x02);
  EXPECT_EQ(m().TempAddress, 0x7BFF);
  EXPECT_EQ(m().CpuRead(0x2000), 0x02);
}

TEST_F(PpuRegistersTest, ScrollWritesInsideAndOutsideVblank) {
  m().VblankPeriod = 1;
  m().CpuWrite(0x2005, 0x7D);  // coarse X 15, fine X 5
  m().CpuWrite(0x2005, 0x5E);  // coarse Y 11, fine Y 6
  EXPECT_EQ(m().FineX, 5);
  EXPECT_EQ(m().FineY, 6);
  EXPECT_EQ(m().TempAddress, (11 << 5) | 15);
  EXPECT_EQ(m().WriteToggle, 0);

  m().VblankPeriod = 0;  // scanline 100
  m().CpuWrite(0x2005, 0x00);
  m().CpuWrite(0x2005, 0xFF);
  EXPECT_EQ(m().FineY, 6);
  EXPECT_EQ(m().TempAddress, 0);  // coarse X from the first write, coarse Y cleared
}

TEST_F(PpuRegistersTest, AddressWritesDuringVblankGoStraightToTheAddress) {
  m().VblankPeriod = 1;
  m().TempAddress = 0x1234;
  m().CpuWrite(0x2006, 0x3F);
  m().CpuWrite(0x2006, 0x00);
  EXPECT_EQ(m().VramAddress, 0x3F00);
  EXPECT_EQ(m().TempAddress, 0x1234);
  EXPECT_EQ(m().AddressJustSet, 1);
  m().CpuWrite(0x2007, 0x0F);
  for (int entry = 0; entry < 32; entry += 4) EXPECT_EQ(m().RenderPalette[entry], 0x0F);
  EXPECT_EQ(m().PpuMemory[0x3F10], 0x0F);
}

TEST_F(PpuRegistersTest, AddressWritesOutsideVblankGoThroughTheLatch) {
  m().VblankPeriod = 0;
  m().FineY = 5;
  m().CpuWrite(0x2006, 0xE1);  // only 6 bits count
  EXPECT_EQ(m().FineY, 0);
  EXPECT_EQ(m().VramAddress, 0);
  m().CpuWrite(0x2006, 0x23);
  EXPECT_EQ(m().TempAddress, 0x2123);
  EXPECT_EQ(m().VramAddress, 0x2123);
}

TEST_F(PpuRegistersTest, DataPortReadsWithoutABuffer) {
  m().VblankPeriod = 1;
  m().PpuMemory[0x2000] = 0xA0;
  m().PpuMemory[0x2001] = 0xA1;
  m().CpuWrite(0x2006, 0x20);
  m().CpuWrite(0x2006, 0x00);
  EXPECT_EQ(m().CpuRead(0x2007), 0xA0);
  EXPECT_EQ(m().CpuRead(0x2007), 0xA0);
  EXPECT_EQ(m().CpuRead(0x2007), 0xA1);
  EXPECT_EQ(m().VramAddress, 0x2002);
}

TEST_F(PpuRegistersTest, DataPortStepsBy32AndWrapsAt14Bits) {
  m().CpuWrite(0x2000, 0x04);
  m().VramAddress = 0x3FF0;
  m().CpuWrite(0x2007, 0x01);
  EXPECT_EQ(m().VramAddress, 0x0010);
  m().AddressJustSet = 0;
  m().CpuRead(0x2007);
  EXPECT_EQ(m().VramAddress, 0x0030);
}

TEST_F(PpuRegistersTest, WritesKeepAddressJustSet) {
  m().VblankPeriod = 1;
  m().CpuWrite(0x2006, 0x20);
  m().CpuWrite(0x2006, 0x00);
  m().CpuWrite(0x2007, 0x11);
  m().CpuWrite(0x2007, 0x22);
  EXPECT_EQ(m().CpuRead(0x2007), 0x00);  // $2002, without moving
  EXPECT_EQ(m().VramAddress, 0x2002);
}

TEST_F(PpuRegistersTest, SpriteRamWritesAdvanceAndWrap) {
  m().CpuWrite(0x2003, 0xFE);
  m().CpuWrite(0x2004, 1);
  m().CpuWrite(0x2004, 2);
  m().CpuWrite(0x2004, 3);
  EXPECT_EQ(m().SpriteRam[0xFE], 1);
  EXPECT_EQ(m().SpriteRam[0xFF], 2);
  EXPECT_EQ(m().SpriteRam[0x00], 3);
  EXPECT_EQ(m().CpuMemory[kSpriteAddress], 1);
}

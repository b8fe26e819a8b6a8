// The PPU registers as the CPU writes them. $2005 and $2006 act differently inside vertical
// blank (straight to the latches and the address) and outside it (a mid-frame split); the
// scroll and split cartridges show the rest of $2000 and $2005.
#include <tuple>

#include "support/fixture.h"

using PpuRegistersTest = MachineTest;

// Mid-frame, the second $2005 write clears coarse Y and leaves fine Y.
TEST_F(PpuRegistersTest, SecondScrollWriteOutsideVblank) {
  m().FineY = 6;
  m().TempAddress = 11 << 5;   // coarse Y 11
  m().CpuWrite(0x2005, 0xF8);  // coarse X 31
  m().CpuWrite(0x2005, 0xFF);
  EXPECT_EQ(std::tuple(m().FineY, m().TempAddress), std::tuple(6, 31));
}

// $2000's two low bits pick the name table in the latch: bit 0 across, bit 1 down.
TEST_F(PpuRegistersTest, ControlPicksTheNameTable) {
  for (uint8_t table = 0; table < 4; ++table) {
    m().TempAddress = 0x7FFF;
    m().CpuWrite(0x2000, table);
    EXPECT_EQ(m().TempAddress, 0x73FF | table << 10) << int{table};
  }
}

TEST_F(PpuRegistersTest, AddressWritesInsideAndOutsideVblank) {
  m().VblankPeriod = 1;
  m().TempAddress = 0x1234;
  m().CpuWrite(0x2006, 0x3F);
  m().CpuWrite(0x2006, 0x00);
  EXPECT_EQ(m().VramAddress, 0x3F00);
  EXPECT_EQ(m().TempAddress, 0x1234);  // the latch is left alone

  m().VblankPeriod = 0;
  m().FineY = 5;
  m().CpuWrite(0x2006, 0xE1);  // only 6 bits count
  EXPECT_EQ(m().FineY, 0);
  EXPECT_EQ(m().VramAddress, 0x3F00);  // the first write only loads the latch
  m().CpuWrite(0x2006, 0x23);
  EXPECT_EQ(m().TempAddress, 0x2123);
  EXPECT_EQ(m().VramAddress, 0x2123);
}

// One case per quirk: the first read after setting the address does not move it (no read
// buffer); steps of 32 wrap at 14 bits.
TEST_F(PpuRegistersTest, DataPortQuirks) {
  m().VblankPeriod = 1;
  m().PpuMemory[0x2000] = 0xA0;
  m().PpuMemory[0x2001] = 0xA1;
  m().CpuWrite(0x2006, 0x20);
  m().CpuWrite(0x2006, 0x00);
  for (uint8_t expected : {0xA0, 0xA0, 0xA1}) EXPECT_EQ(m().CpuRead(0x2007), expected);
  m().CpuWrite(0x2000, 0x04);
  m().VramAddress = 0x3FF0;
  m().CpuWrite(0x2007, 0x01);
  EXPECT_EQ(m().VramAddress, 0x0010);
}

TEST_F(PpuRegistersTest, SpriteRamWritesAdvanceAndWrap) {
  m().CpuWrite(0x2003, 0xFE);
  for (uint8_t value : {1, 2, 3}) m().CpuWrite(0x2004, value);
  EXPECT_EQ(std::tuple(m().SpriteRam[0xFE], m().SpriteRam[0xFF], m().SpriteRam[0],
                       m().CpuMemory[kSpriteAddress]),
            std::tuple(1, 2, 3, 1));
}

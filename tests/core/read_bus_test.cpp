#include <tuple>

#include "cart/board_table.h"
#include "support/fixture.h"

using ReadBusTest = MachineTest;

// Work RAM is mirrored four times; PPU register mirrors and the other areas below $8000 are
// not decoded: each reads its own stored byte.
TEST_F(ReadBusTest, PlainReads) {
  m().CpuWrite(0x0000, 0x11);
  for (uint16_t mirror : {0x0000, 0x0800, 0x1000, 0x1800}) EXPECT_EQ(m().CpuRead(mirror), 0x11);
  EXPECT_EQ(m().CpuRead(0x10000 + 0x0800), 0x11);  // only the low 16 bits count
  m().CpuMemory[0x2002] = 0x80;
  for (uint16_t address : {0x200A, 0x4015, 0x5123, 0x5204, 0x6000}) {
    m().CpuMemory[address] = static_cast<uint8_t>(address);
    EXPECT_EQ(m().CpuRead(address), static_cast<uint8_t>(address));
  }
  EXPECT_EQ(m().CpuMemory[0x2002], 0x80);  // the $200A mirror left the status alone
}

TEST_F(ReadBusTest, StatusAndSpriteRamReadsHaveSideEffects) {
  m().CpuMemory[kPpuStatus] = 0xE0;
  m().WriteToggle = 1;
  EXPECT_EQ(m().CpuRead(0x2002), 0xE0);
  EXPECT_EQ(m().WriteToggle, 0);
  EXPECT_EQ(m().CpuRead(0x2002), 0x60);  // bits 6 and 5 stay
  m().SpriteRam[255] = 0xAB;
  m().SpriteRam[0] = 0xCD;
  m().CpuMemory[kSpriteAddress] = 0xFF;
  EXPECT_EQ(m().CpuRead(0x2004), 0xAB);
  EXPECT_EQ(m().CpuRead(0x2004), 0xCD) << "the address steps and wraps";
}

// The other boards read the stored bytes (above).
TEST_F(ReadBusTest, Mapper19And48Registers) {
  SelectBoard(m(), 19);
  m().IrqCounter = 0xBEEF;
  m().NamcoSoundRam[0x12] = 0x99;
  m().NamcoSoundAddress = 0x12;
  EXPECT_EQ(std::tuple(m().CpuRead(0x5123), m().CpuRead(0x5FFF), m().CpuRead(0x4800)),
            std::tuple(0xEF, 0xBE, 0x99));
  EXPECT_EQ(m().NamcoSoundAddress, 0x12);  // not advanced by the read
  // Mapper 48: the sprite 0 hit, not the stored byte.
  SelectBoard(m(), 48);
  m().CpuMemory[0x5204] = 0x33;
  EXPECT_EQ(m().CpuRead(0x5204), 0x00);
  m().CpuMemory[kPpuStatus] = 0x40;
  EXPECT_EQ(m().CpuRead(0x5204), 0x80);
}

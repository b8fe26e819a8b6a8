
#include "cart/name_tables.h"
#include "support/fixture.h"

class Mmc1Test : public MachineTest {
 protected:
  void LoadMmc1(uint8_t prgUnits = 8, uint8_t chrUnits = 4) {
    InesImage image;
    image.Mapper = 1;
    image.PrgUnits = prgUnits;
    image.ChrUnits = chrUnits;
    ASSERT_EQ(Load(image), kLoadOk);
  }
  // Five serial writes, low bit first; only the last one's address picks the register.
  void Serial(uint16_t address, uint8_t value, uint16_t firstFour = 0x8000) {
    for (int bit = 0; bit < 4; ++bit) m().CpuWrite(firstFour, (value >> bit) & 1);
    m().CpuWrite(address, (value >> 4) & 1);
  }
  uint8_t Cpu(uint16_t address) { return m().CpuMemory[address]; }
  uint8_t Ppu(uint16_t address) { return m().PpuMemory[address]; }
};

TEST_F(Mmc1Test, FifthWriteAddressPicksTheRegister) {
  LoadMmc1();
  Serial(0x8000, 0x0C);  // 16 KB mode, $8000 switchable
  Serial(0xE000, 0x01, 0xA000);
  EXPECT_EQ(Cpu(0x8000), PrgTag(2));
  EXPECT_EQ(Cpu(0xC000), PrgTag(14));
  EXPECT_EQ(m().Mmc1Regs[1], 0);  // the first four writes went to $A000 but counted for $E000
  EXPECT_EQ(m().ShiftCount, 0);
}

TEST_F(Mmc1Test, ResetBitDiscardsCollectedBits) {
  LoadMmc1();
  Serial(0x8000, 0x0C);
  m().Mmc1Regs[3] = 9;
  m().CpuWrite(0xE000, 1);
  m().CpuWrite(0xE000, 1);
  m().CpuWrite(0xE000, 0x80);
  EXPECT_EQ(m().Mmc1Regs[3], 0);
  EXPECT_EQ(m().ShiftCount, 0);
  EXPECT_EQ(m().ShiftValue, 0);
  EXPECT_EQ(Cpu(0x8000), PrgTag(0));  // no bank change on reset
  Serial(0xE000, 0x02);
  EXPECT_EQ(Cpu(0x8000), PrgTag(4));
}

TEST_F(Mmc1Test, PrgModesAndBankCompare) {
  LoadMmc1();
  Serial(0x8000, 0x08);  // 16 KB mode, $C000 switchable
  Serial(0xE000, 3);
  EXPECT_EQ(Cpu(0x8000), PrgTag(0));
  EXPECT_EQ(Cpu(0xC000), PrgTag(6));
  Serial(0x8000, 0x0C);  // the switched bank moves to $8000, the last unit to $C000
  EXPECT_EQ(Cpu(0x8000), PrgTag(6));
  EXPECT_EQ(Cpu(0xC000), PrgTag(14));

  Serial(0x8000, 0x00);  // 32 KB mode from unit 3 AND $0E
  EXPECT_EQ(Cpu(0x8000), PrgTag(4));
  EXPECT_EQ(Cpu(0xC000), PrgTag(6));
  Serial(0xE000, 5);  // odd: the 32 KB from unit 4
  EXPECT_EQ(Cpu(0x8000), PrgTag(8));
  m().CpuMemory[0x8000] = 0x55;
  Serial(0xE000, 5);  // raw 5 against masked 4: copies again
  EXPECT_EQ(Cpu(0x8000), PrgTag(8));
  Serial(0xE000, 4);
  m().CpuMemory[0x8000] = 0x55;
  Serial(0xE000, 4);  // even: the same bank is not copied again
  EXPECT_EQ(Cpu(0x8000), 0x55);
}

TEST_F(Mmc1Test, LargeImagesKeepTheirPrgLayout) {
  LoadMmc1(32, 1);
  Serial(0x8000, 0x0C);
  Serial(0xE000, 3);
  EXPECT_EQ(Cpu(0x8000), PrgTag(0));
  EXPECT_EQ(Cpu(0xC000), PrgTag(62));
}

TEST_F(Mmc1Test, ChrBanksIn4kUnits) {
  LoadMmc1();
  Serial(0x8000, 0x10);  // 4 KB CHR mode
  Serial(0xA000, 5);
  Serial(0xC000, 2);
  EXPECT_EQ(Ppu(0x0000), ChrTag(20));
  EXPECT_EQ(Ppu(0x1000), ChrTag(8));
  EXPECT_NE(m().PatternCache[0x0000 * 4 + 7] | m().PatternCache[0x1000 * 4 + 3], 0);

  Serial(0x8000, 0x00);  // 8 KB mode: bank 0 alone fills both halves, from an odd 4 KB bank
  Serial(0xA000, 3);
  EXPECT_EQ(Ppu(0x0000), ChrTag(12));
  EXPECT_EQ(Ppu(0x1000), ChrTag(16));
  Serial(0xC000, 6);  // CHR bank 1 does nothing in 8 KB mode
  EXPECT_EQ(Ppu(0x1000), ChrTag(16));
}

TEST_F(Mmc1Test, ChrRamIsNotOverwrittenByBankWrites) {
  LoadMmc1(8, 0);
  m().PpuMemory[0x0000] = 0x11;
  m().PpuMemory[0x1000] = 0x22;
  Serial(0x8000, 0x10);
  Serial(0xA000, 1);
  Serial(0xC000, 1);
  Serial(0x8000, 0x00);
  Serial(0xA000, 0);
  EXPECT_EQ(Ppu(0x0000), 0x11);
  EXPECT_EQ(Ppu(0x1000), 0x22);
}

TEST_F(Mmc1Test, ControlMirroring) {
  LoadMmc1();
  FillTables(m(), {'A', 'A', 'B', 'B'});
  Serial(0x8000, 0x02);  // vertical
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'B', 'A', 'B'}));
  EXPECT_EQ(VerticalMirroring, 1u);
  Serial(0x8000, 0x03);  // horizontal
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'A', 'B', 'B'}));
  EXPECT_EQ(VerticalMirroring, 0u);
  Serial(0x8000, 0x01);  // one-screen, bit 0 set: still page A
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'A', 'A', 'A'}));
  EXPECT_EQ(m().OneScreenLow, 1);
  Serial(0x8000, 0x00);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'A', 'A', 'A'}));
  EXPECT_EQ(m().NameTableScratch[0], 'B');
  Serial(0x8000, 0x02);  // back to two screens: page B returns where it belongs
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'B', 'A', 'B'}));
  EXPECT_EQ(m().OneScreenLow, 0);
  m().PpuMemoryWrite(0x2000, 'x');
  EXPECT_EQ(m().PpuMemory[0x2800], 'x');
  EXPECT_EQ(m().PpuMemory[0x2400], 'B');
}

#include <vector>

#include "cart/name_tables.h"
#include "support/fixture.h"

class Mmc3Test : public MachineTest {
 protected:
  // 8 PRG units (16 banks of 8 KB), 4 CHR units (32 pages of 1 KB) unless told.
  void LoadMmc3(uint8_t chrUnits = 4, uint8_t flags6 = 0) {
    InesImage image;
    image.Mapper = 4;
    image.PrgUnits = 8;
    image.ChrUnits = chrUnits;
    image.Flags6Low = flags6;
    ASSERT_EQ(Load(image), kLoadOk);
    m().FirstSelectPending = 1;  // as reset leaves it
  }
  uint8_t Cpu(uint16_t address) { return m().CpuMemory[address]; }
  uint8_t Ppu(uint16_t address) { return m().PpuMemory[address]; }
};

TEST_F(Mmc3Test, FirstSelectWithBit6ReLaysPrgOnce) {
  LoadMmc3();
  m().CpuWrite(0x8000, 0x46);
  m().CpuWrite(0x8001, 3);
  EXPECT_EQ(Cpu(0x8000), PrgTag(14));  // second-to-last 8 KB
  EXPECT_EQ(Cpu(0xA000), PrgTag(0));   // first 16 KB at $A000-$DFFF...
  EXPECT_EQ(Cpu(0xC000), PrgTag(3));   // ...whose upper half the data write replaced
  EXPECT_EQ(Cpu(0xE000), PrgTag(15));
  EXPECT_EQ(m().FirstSelectPending, 0);

  m().CpuWrite(0x8000, 0x06);  // later bit 6 changes only move slot 6
  EXPECT_EQ(Cpu(0x8000), PrgTag(14));
  m().CpuWrite(0x8001, 5);
  EXPECT_EQ(Cpu(0x8000), PrgTag(5));
  m().CpuWrite(0x8000, 0x46);
  EXPECT_EQ(Cpu(0x8000), PrgTag(5));
  EXPECT_EQ(Cpu(0xC000), PrgTag(3));
}

TEST_F(Mmc3Test, FirstSelectWithoutBit6UsesUpTheReLayout) {
  LoadMmc3();
  m().CpuWrite(0x8000, 0x07);
  m().CpuWrite(0x8000, 0x47);
  EXPECT_EQ(Cpu(0x8000), PrgTag(0));
  EXPECT_EQ(Cpu(0xA000), PrgTag(1));
  EXPECT_EQ(Cpu(0xC000), PrgTag(14));
}

TEST_F(Mmc3Test, SlotsFillTheirWindows) {
  struct Case {
    uint8_t select, data;
    std::vector<std::pair<uint16_t, uint8_t>> ppu, cpu;
  };
  const Case cases[] = {
      {0x80, 4, {{0x1000, ChrTag(4)}, {0x1400, ChrTag(5)}, {0x0000, ChrTag(0)}}, {}},
      {0x00, 5, {{0x0000, ChrTag(5)}, {0x0400, ChrTag(6)}, {0x1000, ChrTag(4)}}, {}},
      {0x01, 9, {{0x0800, ChrTag(9)}, {0x0C00, ChrTag(10)}}, {}},
      {0x81, 9, {{0x1800, ChrTag(9)}, {0x1C00, ChrTag(10)}, {0x0800, ChrTag(2)}}, {}},
      {0x02, 7, {{0x1000, ChrTag(7)}, {0x1400, ChrTag(5)}}, {}},
      {0x82, 7, {{0x0000, ChrTag(7)}, {0x0400, ChrTag(1)}}, {}},
      {0x05, 33, {{0x1C00, ChrTag(1)}}, {}},  // 1 KB banks wrap at the CHR size
      {0x85, 31, {{0x0C00, ChrTag(31)}}, {}},
      {0x06, 3, {}, {{0x8000, PrgTag(3)}, {0xC000, PrgTag(14)}}},
      {0x46, 3, {}, {{0xC000, PrgTag(3)}, {0x8000, PrgTag(0)}}},
      {0x07, 17, {}, {{0xA000, PrgTag(1)}}},  // 8 KB banks wrap at the PRG size
      {0xC7, 2, {}, {{0xA000, PrgTag(2)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "select $" << std::hex << int(c.select));
    machine = std::make_unique<Machine>();
    LoadMmc3();
    m().FirstSelectPending = 0;
    m().CpuWrite(0x8000, c.select);
    m().CpuWrite(0x8001, c.data);
    for (auto [address, tag] : c.ppu) EXPECT_EQ(Ppu(address), tag) << std::hex << address;
    for (auto [address, tag] : c.cpu) EXPECT_EQ(Cpu(address), tag) << std::hex << address;
  }
}

TEST_F(Mmc3Test, ChrWindowsAreDecoded) {
  LoadMmc3();
  m().FirstSelectPending = 0;
  m().CpuWrite(0x8000, 0x80);
  m().CpuWrite(0x8001, 4);  // page 4 tags as 5: bits 0 and 2
  EXPECT_EQ(m().PatternCache[0x1000 * 4 + 7], 3);
  EXPECT_EQ(m().PatternCache[0x1000 * 4 + 6], 0);
  EXPECT_EQ(m().PatternCache[0x0000 * 4 + 7], 0);  // outside the window: not decoded
}

TEST_F(Mmc3Test, ChrRamSelectsReachOnlyPrgSlots) {
  LoadMmc3(0);
  m().PpuMemory[0x0000] = 0x11;
  m().PpuMemory[0x1C00] = 0x22;
  m().CpuWrite(0x8000, 0x00);
  m().CpuWrite(0x8001, 3);
  EXPECT_EQ(Cpu(0x8000), PrgTag(3));
  m().CpuWrite(0x8000, 0x85);
  m().CpuWrite(0x8001, 6);
  EXPECT_EQ(Cpu(0xA000), PrgTag(6));
  EXPECT_EQ(Ppu(0x0000), 0x11);
  EXPECT_EQ(Ppu(0x1C00), 0x22);
}

TEST_F(Mmc3Test, DataBeforeAnySelectChangesNothing) {
  LoadMmc3();
  m().CpuWrite(0x8001, 3);
  EXPECT_EQ(Cpu(0x8000), PrgTag(0));
  EXPECT_EQ(Ppu(0x0000), ChrTag(0));
}

TEST_F(Mmc3Test, MirroringCopiesOnlyOnChange) {
  LoadMmc3();
  FillTables(m(), {'A', 'A', 'B', 'B'});
  m().CpuWrite(0xA000, 0);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'B', 'A', 'B'}));
  EXPECT_EQ(VerticalMirroring, 1u);
  m().PpuMemory[0x2800] = 'Z';
  m().CpuWrite(0xBFFE, 0);  // a mirror of $A000, same arrangement: no copy
  EXPECT_EQ(Ppu(0x2800), 'Z');
  m().CpuWrite(0xA000, 1);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'A', 'B', 'B'}));
  EXPECT_EQ(VerticalMirroring, 0u);
}

TEST_F(Mmc3Test, FourScreenIgnoresMirroring) {
  LoadMmc3(4, 0x08);
  FillTables(m(), {'A', 'B', 'C', 'D'});
  m().CpuWrite(0xA000, 0);
  m().CpuWrite(0xA000, 1);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'B', 'C', 'D'}));
}

TEST_F(Mmc3Test, CounterRegisters) {
  struct Case {
    int16_t adjust;
    uint16_t address;
    uint8_t value;
    uint8_t counter, reload, enabled;
  };
  // Each row starts from counter 50, reload 20, enabled 1.
  const Case cases[] = {
      {0, 0xC000, 9, 10, 20, 1},  {0, 0xC001, 9, 50, 10, 1},   {0, 0xE000, 0, 20, 20, 0},
      {0, 0xE001, 0, 50, 20, 1},  {-2, 0xC000, 0, 255, 20, 1}, {-2, 0xE000, 0, 18, 20, 0},
      {0, 0xC001, 255, 50, 0, 1}, {3, 0xDFFE, 254, 2, 20, 1},  {0, 0xFFFE, 7, 20, 20, 0},
      {0, 0xC002, 9, 10, 20, 1},
  };
  LoadMmc3();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "$" << std::hex << c.address << " adjust " << std::dec << c.adjust);
    IrqAdjust = c.adjust;
    m().LineCounter = 50, m().LineReload = 20, m().LineIrqEnabled = 1;
    m().CpuWrite(c.address, c.value);
    EXPECT_EQ(m().LineCounter, c.counter);
    EXPECT_EQ(m().LineReload, c.reload);
    EXPECT_EQ(m().LineIrqEnabled, c.enabled);
  }
  m().LineIrqEnabled = 0;
  m().CpuWrite(0xFFFF, 0);
  EXPECT_EQ(m().LineIrqEnabled, 1);
  m().CpuWrite(0xA001, 0x80);
  EXPECT_EQ(SramEnable, 1u);
}

#include <cstring>

#include "support/fixture.h"

using BanksTest = MachineTest;

namespace {
// Fills name table n with a recognisable page marker.
void FillTable(Machine& m, int table, uint8_t marker) {
  std::memset(m.PpuMemory + 0x2000 + table * 0x400, marker, 0x400);
}
std::array<uint8_t, 4> Tables(const Machine& m) {
  return {m.PpuMemory[0x2000], m.PpuMemory[0x2400], m.PpuMemory[0x2800], m.PpuMemory[0x2C00]};
}
using T = std::array<uint8_t, 4>;
}  // namespace

TEST_F(BanksTest, TwoScreenSwitchesCopyPages) {
  // Horizontal layout: page A in NT0/NT1, page B in NT2/NT3.
  FillTable(m(), 0, 'A'), FillTable(m(), 1, 'A'), FillTable(m(), 2, 'B'), FillTable(m(), 3, 'B');
  m().SetVerticalMirroring();
  EXPECT_EQ(Tables(m()), (T{'A', 'B', 'A', 'B'}));
  EXPECT_EQ(VerticalMirroring, 1u);
  m().SetHorizontalMirroring();
  EXPECT_EQ(Tables(m()), (T{'A', 'A', 'B', 'B'}));
  EXPECT_EQ(VerticalMirroring, 0u);
}

TEST_F(BanksTest, OneScreenLowHighLowKeepsBothPages) {
  VerticalMirroring = 1;
  FillTable(m(), 0, 'A'), FillTable(m(), 1, 'B'), FillTable(m(), 2, 'A'), FillTable(m(), 3, 'B');
  auto low = [&] {
    m().SetOneScreenLow();
    m().OneScreenLow = 1, m().OneScreenHigh = 0;
  };
  auto high = [&] {
    m().SetOneScreenHigh();
    m().OneScreenLow = 0, m().OneScreenHigh = 1;
  };
  low();
  EXPECT_EQ(Tables(m()), (T{'A', 'A', 'A', 'A'}));
  EXPECT_EQ(m().NameTableScratch[0], 'B');
  low();  // a second call changes nothing
  EXPECT_EQ(m().NameTableScratch[0], 'B');
  high();
  EXPECT_EQ(Tables(m()), (T{'B', 'B', 'B', 'B'}));
  EXPECT_EQ(m().NameTableScratch[0], 'A');
  low();
  EXPECT_EQ(Tables(m()), (T{'A', 'A', 'A', 'A'}));
  EXPECT_EQ(m().NameTableScratch[0], 'B');

  m().RestoreVertical();
  m().OneScreenLow = 0;
  EXPECT_EQ(Tables(m()), (T{'A', 'B', 'A', 'B'}));
  high();
  m().RestoreHorizontal();
  m().OneScreenHigh = 0;
  VerticalMirroring = 0;
  EXPECT_EQ(Tables(m()), (T{'A', 'A', 'B', 'B'}));
}

TEST_F(BanksTest, OneScreenHighFromTwoScreen) {
  VerticalMirroring = 0;
  FillTable(m(), 0, 'A'), FillTable(m(), 1, 'A'), FillTable(m(), 2, 'B'), FillTable(m(), 3, 'B');
  m().SetOneScreenHigh();
  EXPECT_EQ(Tables(m()), (T{'B', 'B', 'B', 'B'}));
  EXPECT_EQ(m().NameTableScratch[0], 'A');
}

TEST_F(BanksTest, NameTableWritesFollowTheArrangement) {
  struct Case {
    uint32_t vertical, four;
    uint8_t low;
    std::vector<uint16_t> copies;
  };
  const Case cases[] = {{0, 0, 0, {0x2105, 0x2505}},
                        {1, 0, 0, {0x2105, 0x2905}},
                        {0, 0, 1, {0x2105, 0x2505, 0x2905, 0x2D05}},
                        {0, 1, 0, {0x2105}}};
  for (const Case& c : cases) {
    machine = std::make_unique<Machine>();
    VerticalMirroring = c.vertical;
    FourScreen = c.four;
    m().OneScreenLow = c.low;
    m().PpuMemoryWrite(0x2105, 0x66);
    for (uint16_t a = 0x2000; a < 0x3000; ++a) {
      const bool expected = std::find(c.copies.begin(), c.copies.end(), a) != c.copies.end();
      ASSERT_EQ(m().PpuMemory[a] == 0x66, expected) << std::hex << a;
    }
  }
}

TEST_F(BanksTest, PaletteAndHighAreaWrites) {
  m().PpuMemoryWrite(0x3F04, 0x11);  // unshown colour-0 slot: dropped
  EXPECT_EQ(m().PpuMemory[0x3F04], 0);
  EXPECT_EQ(m().RenderPalette[4], 0);
  m().PpuMemoryWrite(0x3F25, 0x22);  // mirror of $3F05
  EXPECT_EQ(m().PpuMemory[0x3F05], 0x22);
  EXPECT_EQ(m().RenderPalette[5], 0x22);
  m().PpuMemoryWrite(0x3F10, 0x0F);
  for (int entry = 0; entry < 32; entry += 4) EXPECT_EQ(m().PpuMemory[0x3F00 + entry], 0x0F);
  m().PpuMemoryWrite(0x7005, 0x33);  // 14 bits: $3005, not mirrored
  EXPECT_EQ(m().PpuMemory[0x3005], 0x33);
  EXPECT_EQ(m().PpuMemory[0x2005], 0);
  m().PpuMemoryWrite(0x0010, 0x44);
  EXPECT_EQ(m().PatternsDirty, 1);
  EXPECT_EQ(m().PatternCache[0x40], 0);  // decoded only at the next frame start
}

TEST_F(BanksTest, BankCopiesWrapInsideTheStores) {
  InesImage image;
  image.PrgUnits = 4;
  image.ChrUnits = 2;
  ASSERT_EQ(Load(image), kLoadOk);
  m().CopyPrgWindow(0xA000, 8, 5);
  EXPECT_EQ(m().CpuMemory[0xA000], PrgTag(5));
  m().CopyPrgWindow(0x8000, 32, 1);
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(4));
  EXPECT_EQ(m().CpuMemory[0xFFFF], PrgTag(7));
  m().CopyPrg32At16kUnit(1);
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(2));
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(4));
  m().CopyPrg32At16kUnit(63);  // the second half wraps to unit 0
  EXPECT_EQ(m().CpuMemory[0x8000], 0);
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(0));
  m().CopyPrgWindow(0x8000, 8, 100000);  // far past the store: wraps, no overrun
  m().CopyChrWindow(0x0C00, 1, 100000);

  m().CopyChrWindow(0x0400, 1, 9);
  EXPECT_EQ(m().PpuMemory[0x0400], ChrTag(9));
  EXPECT_EQ(m().PatternCache[0x1000], ChrTag(9) & 1);  // decoded at once
  m().CopyChrWindow(0x1000, 4, 1);
  EXPECT_EQ(m().PpuMemory[0x1000], ChrTag(4));
  EXPECT_EQ(m().PpuMemory[0x1FFF], ChrTag(7));
}

TEST_F(BanksTest, Mmc1ModeChangesReLayPrg) {
  InesImage image;
  image.Mapper = 1;
  image.PrgUnits = 8;
  ASSERT_EQ(Load(image), kLoadOk);
  m().PrgSelect = 3;
  m().CopyPrgWindow(0xC000, 16, 3);  // 16 KB mode, $C000 switchable, bank 3 there
  m().Mmc1ChangePrgMode(0x08, 0x0C);  // now $8000 switchable
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(6));
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(14));
  m().Mmc1ChangePrgMode(0x0C, 0x08);
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(0));
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(6));
  m().Mmc1ChangePrgMode(0x08, 0x00);  // 32 KB from unit (3 AND $0E) = 2
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(4));
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(6));
  m().Mmc1ChangePrgMode(0x00, 0x04);  // bit 2 in 32 KB mode: nothing
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(4));
  m().Mmc1ChangePrgMode(0x00, 0x0C);  // both, from 32 KB: decided by the new bit 2
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(6));
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(14));
}

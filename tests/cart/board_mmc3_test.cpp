#include <tuple>
#include <vector>

#include "cart/board_test.h"
#include "state/state_image.h"

using Mmc3Test = BoardTest;

// 8 PRG units (16 banks of 8 KB), 4 CHR units (32 pages of 1 KB). Each case starts from
// reset, so the first select decides the PRG arrangement.
TEST_F(Mmc3Test, SelectsAndSlots) {
  Run(4, {
             // The first select with bit 6 re-lays PRG; the data write then fills $C000.
             {8, 4, {{0x8000, 0x46}, {0x8001, 3}},
              {{0x8000, P(14)}, {0xA000, P(0)}, {0xC000, P(3)}, {0xE000, P(15)}}},
             // Later bit 6 changes move nothing until the next data write.
             {8, 4, {{0x8000, 0x46}, {0x8001, 3}, {0x8000, 0x06}}, {{0x8000, P(14)}}},
             {8, 4, {{0x8000, 0x46}, {0x8001, 3}, {0x8000, 0x06}, {0x8001, 5}, {0x8000, 0x46}},
              {{0x8000, P(5)}, {0xC000, P(3)}}},
             // A first select without bit 6 uses up the re-layout.
             {8, 4, {{0x8000, 0x07}, {0x8000, 0x47}},
              {{0x8000, P(0)}, {0xA000, P(1)}, {0xC000, P(14)}}},
             {8, 4, {{0x8001, 3}}, {{0x8000, P(0)}, {0x0000, C(0)}}},  // data before any select
             // 2 KB slots 0 and 1, 1 KB slots 2-5; bit 7 swaps the CHR halves; banks wrap.
             {8, 4, {{0x8000, 0x81}, {0x8001, 9}}, {{0x1800, C(9)}, {0x1C00, C(10)}}},
             {8, 4, {{0x8000, 0x82}, {0x8001, 7}}, {{0x0000, C(7)}, {0x0400, C(1)}}},
             {8, 4, {{0x8000, 0x05}, {0x8001, 33}}, {{0x1C00, C(1)}}},
             {8, 4, {{0x8000, 0xC7}, {0x8001, 17}}, {{0xA000, P(1)}}},
             // With CHR RAM, CHR selects fill PRG slots and leave the pattern tables alone.
             {8, 0, {{0x8000, 0x00}, {0x8001, 3}, {0x8000, 0x85}, {0x8001, 6}},
              {{0x8000, P(3)}, {0xA000, P(6)}, {0x0000, kDrawn}, {0x1C00, kDrawn}}},
         });
}

// The arrangement is copied only when it changes, and never under four-screen.
TEST_F(Mmc3Test, MirroringCopiesOnlyOnChangeAndNeverUnderFourScreen) {
  LoadBoard(4, 8, 4);
  FillTables({'A', 'A', 'B', 'B'});
  m().CpuWrite(0xA000, 0);
  EXPECT_EQ(Tables(), (Tables4{'A', 'B', 'A', 'B'}));
  m().PpuMemory[0x2800] = 'Z';
  m().CpuWrite(0xBFFE, 0);  // a mirror of $A000, same arrangement: no copy
  EXPECT_EQ(m().PpuMemory[0x2800], 'Z');
  m().CpuWrite(0xA000, 1);
  EXPECT_EQ(Tables(), (Tables4{'A', 'A', 'B', 'B'}));
  LoadBoard(4, 8, 4, 0x08);
  FillTables({'A', 'B', 'C', 'D'});
  m().CpuWrite(0xA000, 0);
  m().CpuWrite(0xA000, 1);
  EXPECT_EQ(Tables(), (Tables4{'A', 'B', 'C', 'D'}));
}

// A PRG switch to the bank in place copies nothing (a byte poked into the window stays); a state
// load and a new cartridge put other bytes there, so the next switch must copy again.
TEST_F(Mmc3Test, PrgSwitchToTheBankInPlaceCopiesNothing) {
  LoadBoard(4, 8, 4);
  const auto select = [&](uint8_t bank) { m().CpuWrite(0x8000, 6), m().CpuWrite(0x8001, bank); };
  select(5);
  m().CpuMemory[0x8000] = 0xEE;
  select(5);
  EXPECT_EQ(At(0x8000), 0xEE);
  m().CpuMemory[0x8000] = P(5);  // a state holds only the cartridge's own banks
  std::vector<uint8_t> saved(kStateImageSize);
  WriteStateImage(m(), saved.data());
  select(6);
  ASSERT_EQ(LoadStateImage(m(), saved.data(), saved.size()), nullptr);
  EXPECT_EQ(At(0x8000), P(5));
  select(6);
  EXPECT_EQ(At(0x8000), P(6));
  select(0);
  m().CpuMemory[0x8000] = 0xEE;
  ASSERT_EQ(Load(Image(4, 8, 4)), kLoadOk);  // power-on puts bank 0 there, from the new image
  EXPECT_EQ(At(0x8000), P(0));
}

// {IrqAdjust, address, value, then counter, reload, enabled}; each row starts from counter
// 50, reload 20, enabled 1. $A001 bit 7 opens the save RAM.
TEST_F(Mmc3Test, CounterRegisters) {
  const std::tuple<int16_t, uint16_t, uint8_t, uint8_t, uint8_t, uint8_t> cases[] = {
      {0, 0xC000, 9, 10, 20, 1},  {0, 0xC001, 9, 50, 10, 1},   {0, 0xE000, 0, 20, 20, 0},
      {0, 0xE001, 0, 50, 20, 1},  {-2, 0xC000, 0, 255, 20, 1}, {-2, 0xE000, 0, 18, 20, 0},
      {0, 0xC001, 255, 50, 0, 1}, {3, 0xDFFE, 254, 2, 20, 1},  {0, 0xFFFE, 7, 20, 20, 0},
  };
  LoadBoard(4, 8, 4);
  for (const auto& [adjust, address, value, counter, reload, enabled] : cases) {
    SCOPED_TRACE(testing::Message() << "$" << std::hex << address << " adjust " << adjust);
    IrqAdjust = adjust;
    m().LineCounter = 50, m().LineReload = 20, m().LineIrqEnabled = 1;
    m().CpuWrite(address, value);
    EXPECT_EQ(std::tuple(m().LineCounter, m().LineReload, m().LineIrqEnabled),
              std::tuple(counter, reload, enabled));
  }
  m().CpuWrite(0xA001, 0x80);
  EXPECT_EQ(SramEnable, 1u);
}

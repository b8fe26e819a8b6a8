#include "cart/board_test.h"

using Mmc3StyleTest = BoardTest;

// 8 PRG units (16 banks of 8 KB), 4 CHR units (32 pages of 1 KB) unless a case says 0 (CHR
// RAM). Every case starts from power-on and reset.
TEST_F(Mmc3StyleTest, SelectsFillTheBoardsWindows) {
  // Mapper 64 starts with the last 8 KB everywhere; its own select table, no CHR-RAM step.
  Run(64, {
              {8, 4, {{0x8000, 0x0F}, {0x8001, 5}}, {{0xC000, P(5)}, {0x8000, P(15)}}},
              {8, 4, {{0x8000, 0x4F}, {0x8001, 5}}, {{0x8000, P(5)}, {0xC000, P(15)}}},
              {8, 4, {{0x8000, 0x46}, {0x8001, 3}}, {{0xA000, P(3)}, {0x8000, P(15)}}},
              {8, 4, {{0x8000, 0x07}, {0x8001, 3}, {0x8000, 0x47}, {0x8001, 4}},
               {{0xA000, P(3)}, {0xC000, P(4)}}},
              {8, 4, {{0x8000, 0x88}, {0x8001, 9}}, {{0x0400, C(9)}, {0x1400, C(5)}}},
              {8, 4, {{0x8000, 0x89}, {0x8001, 9}}, {{0x0C00, C(9)}, {0x1C00, C(7)}}},
              {8, 4, {{0x8000, 0x80}, {0x8001, 4}}, {{0x1000, C(4)}, {0x1400, C(5)}}},
              // 10-14 keep the last selection; only the exact addresses are registers.
              {8, 4, {{0x8000, 0x06}, {0x8000, 0x0B}, {0x8001, 3}}, {{0x8000, P(3)}}},
              {8, 4, {{0x8000, 0x06}, {0x8002, 0x07}, {0x8003, 4}, {0xA001, 1}},
               {{0x8000, P(15)}, {0xA000, P(15)}}},
              {8, 0, {{0x8000, 0x00}, {0x8001, 3}}, {{0x0000, kDrawn}, {0x8000, P(15)}}},
          });
  Run(74, {{8, 4, {{0x8000, 0x46}, {0x8001, 3}}, {{0x8000, P(14)}, {0xC000, P(3)}}}});
  // Mapper 112: select at $8000, data at $A000, slots 0-1 PRG and 2-7 CHR.
  Run(112, {
               {8, 4, {{0x8000, 0x00}, {0xA000, 3}}, {{0x8000, P(3)}}},
               {8, 4, {{0x8000, 0x40}, {0xA000, 3}},
                {{0x8000, P(14)}, {0xA000, P(0)}, {0xC000, P(3)}}},
               {8, 4, {{0x8000, 0x01}, {0xA000, 5}, {0x8001, 7}}, {{0xA000, P(5)}}},
               {8, 4, {{0x8000, 0x02}, {0xA000, 4}}, {{0x0000, C(4)}, {0x0400, C(5)}}},
               {8, 4, {{0x8000, 0x87}, {0xA000, 9}}, {{0x0C00, C(9)}, {0x1C00, C(7)}}},
               {8, 4, {{0x8000, 0x00}, {0x8001, 3}}, {{0x8000, P(0)}}},
               // CHR RAM turns selects into 6 or 7: CHR slots with nothing to copy.
               {8, 0, {{0x8000, 0x02}, {0xA000, 4}}, {{0x1800, kDrawn}, {0x8000, P(0)}}},
           });
  Run(115, {{8, 4, {{0x8000, 0x07}, {0x8001, 9}}, {{0xA000, P(9)}}}});
  Run(118, {{8, 4, {{0x8000, 0x82}, {0x8001, 9}}, {{0x0000, C(9)}}}});
  // Mapper 161: slot 6 is always $8000; $8800 selects $E000; exact addresses only.
  Run(161, {
               {8, 4, {{0x8800, 0}, {0x8801, 2}}, {{0xE000, P(2)}, {0xC000, P(14)}}},
               {8, 4, {{0x8000, 0x46}, {0x8001, 3}},
                {{0x8000, P(3)}, {0xA000, P(0)}, {0xC000, P(1)}}},
               {8, 4, {{0x8000, 0x07}, {0x8801, 5}}, {{0xA000, P(5)}}},
               {8, 4, {{0x8000, 0x07}, {0x8003, 5}}, {{0xA000, P(1)}}},
           });
  // Mapper 245: no first-select or swap step; CHR windows are filled from PRG 1 KB units.
  Run(245, {
               {8, 0, {{0x8000, 0x47}, {0x8001, 5}}, {{0xA000, P(5)}, {0x8000, P(0)}}},
               // Slot 6 fills $8000 although no select ever sets the swap target.
               {8, 0, {{0x8000, 0x46}, {0x8001, 6}}, {{0x8000, P(6)}, {0xC000, P(14)}}},
               {8, 0, {{0x8000, 0x02}, {0x8001, 9}}, {{0x1000, P(1)}, {0x1400, kDrawn}}},
               {8, 0, {{0x8000, 0x80}, {0x8001, 7}}, {{0x1000, P(0)}, {0x1400, P(1)}}},
           });
  // Mapper 249: $8800 selects as MMC3 with slot 7 at $C000; $8000 sends both PRG slots to
  // $A000 and leaves the first-select re-layout pending.
  Run(249, {
               {8, 4, {{0x8800, 0x07}, {0x8801, 5}}, {{0xC000, P(5)}, {0xA000, P(1)}}},
               {8, 4, {{0x8800, 0x46}, {0x8801, 9}},
                {{0x8000, P(14)}, {0xA000, P(0)}, {0xC000, P(9)}}},
               {8, 4, {{0x8000, 0x46}, {0x8001, 4}}, {{0xA000, P(4)}, {0x8000, P(0)}}},
               {8, 4, {{0x8000, 0x47}, {0x8001, 3}, {0x8800, 0x40}},
                {{0xA000, P(0)}, {0x8000, P(14)}}},
               {8, 4, {{0x8000, 0x80}, {0x8001, 4}}, {{0x1000, C(4)}}},
               {8, 0, {{0x8000, 0x00}, {0x8001, 6}}, {{0xA000, P(6)}}},
           });
}

TEST_F(Mmc3StyleTest, MirroringRegisters) {
  struct Case {
    uint8_t mapper;
    uint16_t address;
    uint8_t value;
    Tables4 after;
    uint32_t vertical;
  };
  // From the horizontal layout A A B B with VerticalMirroring 0.
  const Case cases[] = {
      {74, 0xA000, 0, {'A', 'B', 'A', 'B'}, 1},   {115, 0xA000, 0, {'A', 'A', 'B', 'B'}, 0},
      {118, 0xA000, 1, {'A', 'B', 'A', 'B'}, 1},  {118, 0xA000, 0, {'A', 'A', 'B', 'B'}, 0},
      {161, 0xA000, 0, {'A', 'B', 'A', 'B'}, 1},  {245, 0xA000, 0, {'A', 'B', 'A', 'B'}, 1},
      {249, 0xA800, 0, {'A', 'B', 'A', 'B'}, 1},  {249, 0xA000, 0, {'A', 'A', 'B', 'B'}, 0},
      {64, 0xA000, 1, {'A', 'A', 'B', 'B'}, 1},  // the flag alone
      {112, 0x8001, 0, {'A', 'A', 'B', 'B'}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << " $" << std::hex << c.address);
    LoadBoard(c.mapper, 8, 4);
    m().OneScreenLow = 0;
    FillTables({'A', 'A', 'B', 'B'});
    m().CpuWrite(c.address, c.value);
    EXPECT_EQ(Tables(), c.after);
    EXPECT_EQ(VerticalMirroring, c.vertical);
  }
}

// Writes outside the known registers are logged for study: address, then value (161, 249);
// mapper 161 logs every low-range address and keeps only 4 KB of cartridge RAM.
TEST_F(Mmc3StyleTest, LoggedWritesAndCartridgeRam) {
  LoadBoard(161, 8, 4);
  LogStart();
  m().CpuWrite(0x8001, 0);
  m().CpuWrite(0x9000, 7);
  m().CpuWrite(0x6001, 0x11);
  m().CpuWrite(0x7001, 0x22);
  EXPECT_EQ(ReadLog(), "36864\n7\n24577\n28673\n");
  EXPECT_EQ(At(0x6001), 0x11);
  EXPECT_EQ(At(0x7001), 0);

  LoadBoard(249, 8, 4);
  LogStart();
  m().CpuWrite(0xE801, 0);
  m().CpuWrite(0x6002, 0x33);
  m().CpuWrite(0x7002, 0x44);
  EXPECT_EQ(ReadLog(), "59393\n0\n");
  EXPECT_EQ(At(0x6002), 0x33);
  EXPECT_EQ(At(0x7002), 0);
}

// The counter registers of each board, then the frame loop's counter steps: the line on which
// the IRQ is taken (0 = none within 12 lines). Rendering is on.
TEST_F(Mmc3StyleTest, CounterRegistersDriveTheIrq) {
  RunCounterCases({
      {74, {{0xC000, 4}, {0xE001, 0}}, 5},
      {74, {{0xC000, 4}, {0xE001, 0}, {0xE000, 0}}, 0},
      {118, {{0xC001, 2}, {0xC000, 4}, {0xE001, 0}}, 5},
      {161, {{0xC000, 4}, {0xE001, 0}}, 5},
      {245, {{0xC000, 4}, {0xE001, 0}}, 4},
      {245, {{0xC001, 3}, {0xE000, 0}, {0xE001, 0}}, 3},
      {249, {{0xC800, 4}, {0xE801, 1}}, 5},
      {249, {{0xC800, 4}, {0xE801, 0}}, 0},
      {249, {{0xC801, 1}, {0xE800, 0}, {0xE801, 2}}, 2},
      {64, {{0xC000, 1}, {0xE001, 0}}, 0},
      {112, {{0xC000, 1}, {0xE001, 0}}, 0},
      {115, {{0xC000, 1}, {0xE001, 0}}, 0},
  });
}

#include "cart/board_test.h"

using DiscreteBoardTest = BoardTest;

// One table per board: {PRG units, CHR units, writes, tagged bytes read back}. Images too
// small for a bank count drop the bank write (a remainder by zero) but keep the rest.
TEST_F(DiscreteBoardTest, RegistersSelectTheWrittenBanks) {
  Run(2, {{8, 0, {{0x8000, 9}}, {{0x8000, P(2)}, {0xBFFF, P(3)}, {0xC000, P(14)}}}});
  Run(3, {{2, 4, {{0xFFFF, 6}}, {{0x0000, C(16)}, {0x1FFF, C(23)}}},
          {2, 0, {{0x8000, 1}}, {{0x0000, kDrawn}}}});
  Run(7, {{8, 0, {{0x8000, 0x0D}}, {{0x8000, P(4)}, {0xFFFF, P(7)}}},
          {1, 0, {{0x8000, 1}}, {{0x8000, P(0)}}}});
  // Mapper 8: CHR from bits 0-2 (5), PRG 16 KB unit from bits 3 and up (2).
  Run(8, {{4, 8, {{0x8000, 0x15}}, {{0x0000, C(40)}, {0x1C00, C(47)}, {0x8000, P(4)}}}});
  Run(11, {{8, 4, {{0x8000, 0x36}}, {{0x8000, P(8)}, {0xFFFF, P(11)}, {0x0000, C(24)}}},
           {1, 2, {{0x8000, 0x11}}, {{0x8000, P(0)}, {0x0000, C(8)}}}});
  Run(15, {
              {8, 0, {{0x8000, 0x43}}, {{0x8000, P(6)}, {0xC000, P(8)}}},
              {8, 0, {{0x8001, 5}, {0x8003, 0x82}}, {{0x8000, P(0)}, {0xC000, P(4)}}},
              {8, 0, {{0x8002, 0x83}}, {{0x8000, P(7)}, {0xA000, P(7)}, {0xE000, P(7)}}},
              {8, 0, {{0x8004, 0x43}, {0xC000, 0x43}}, {{0x8000, P(0)}, {0xC000, P(2)}}},
          });
  Run(34, {
              {8, 2, {{0x8000, 5}}, {{0x8000, P(4)}}},
              {8, 2, {{0x7FFD, 3}}, {{0x8000, P(12)}}},
              {8, 2, {{0x7FFE, 3}, {0x7FFF, 6}}, {{0x0000, C(12)}, {0x1000, C(8)}}},
              {8, 2, {{0x6000, 0x77}, {0x7FFC, 0x77}}, {{0x6000, 0}, {0x7FFC, 0}}},
              {2, 0, {{0x7FFE, 1}}, {{0x0000, kDrawn}}},
          });
  // Mapper 41: the low address carries horizontal mirroring ($20), outer CHR (bits 3-4), inner
  // CHR enable ($04) and the 32 KB PRG bank (bits 0-2); $603D = $20 | $18 | $04 | 5.
  Run(41, {
              {16, 16, {{0x603D, 0xFF}, {0x8000, 2}}, {{0x8000, P(20)}, {0x0000, C(112)}}},
              {16, 16, {{0x6000 | 0x18 | 3, 0}, {0x8000, 2}}, {{0x8000, P(12)}, {0x0000, C(0)}}},
              {8, 16, {{0x602C, 0}, {0xC000, 0x07}}, {{0x0000, C(56)}}},  // outer 4 OR inner 3
          });
}

// Mapper 8 leaves the new CHR to the frame-start rebuild; the other boards decode at once.
// Column 3 of the tile row at $1C00 is colour 3 for page 23 (tag $18), 0 for page 7 ($08).
TEST_F(DiscreteBoardTest, Mapper8MarksPatternsDirty) {
  LoadBoard(8, 2, 8);
  m().CpuWrite(0x8000, 2);
  EXPECT_EQ(At(0x1C00), C(23));
  EXPECT_EQ(m().PatternsDirty, 1);
  EXPECT_EQ(m().PatternCache[0x1C00 * 4 + 3], 0);
}

// Only page A lives in the tables under one-screen mirroring; page B waits in the scratch.
TEST_F(DiscreteBoardTest, Mapper7KeepsTheHiddenPage) {
  LoadBoard(7, 4, 0);
  VerticalMirroring = 1;
  FillTables({'A', 'B', 'A', 'B'});
  m().CpuWrite(0x8000, 0x00);
  EXPECT_EQ(Tables(), (Tables4{'A', 'A', 'A', 'A'}));
  m().CpuWrite(0x8000, 0x08);
  EXPECT_EQ(Tables(), (Tables4{'B', 'B', 'B', 'B'}));
  m().PpuMemoryWrite(0x2C10, 'b');  // written on page B: all four tables follow
  EXPECT_EQ(m().PpuMemory[0x2010], 'b');
  m().CpuWrite(0x8000, 0x00);
  EXPECT_EQ(Tables(), (Tables4{'A', 'A', 'A', 'A'}));
  EXPECT_EQ(m().OneScreenLow + 2 * m().OneScreenHigh, 1);
  m().CpuWrite(0x8000, 0x00);  // page A again: nothing moves
  m().CpuWrite(0x8000, 0x08);
  EXPECT_EQ(m().PpuMemory[0x2410], 'b');
}

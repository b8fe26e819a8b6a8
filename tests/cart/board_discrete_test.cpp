// Boards whose banks come from one latched value or from the written address.
#include "cart/board_test.h"

using DiscreteBoardTest = BoardTest;

// One table per board: {PRG units, CHR units, writes, tagged bytes read back}. Images too
// small for a bank count drop the bank write (a remainder by zero) but keep the rest; banks
// past a small image show the zero-filled store beyond it. Without CHR ROM the pattern
// tables are RAM holding the game's tiles (kDrawn), which CHR writes leave alone.
TEST_F(DiscreteBoardTest, RegistersSelectTheWrittenBanks) {
  Run(2, {{8, 0, {{0x8000, 9}}, {{0x8000, P(2)}, {0xBFFF, P(3)}, {0xC000, P(14)}}}});
  Run(3, {{2, 4, {{0xFFFF, 6}}, {{0x0000, C(16)}, {0x1FFF, C(23)}}}});
  Run(7, {{8, 0, {{0x8000, 0x0D}}, {{0x8000, P(4)}, {0xFFFF, P(7)}}}});
  // Mapper 8: CHR from bits 0-2 (5), PRG 16 KB unit from bits 3 and up (2).
  Run(8, {{4, 8, {{0x8000, 0x15}}, {{0x0000, C(40)}, {0x1C00, C(47)}, {0x8000, P(4)}}}});
  Run(11, {{8, 4, {{0x8000, 0x36}}, {{0x8000, P(8)}, {0xFFFF, P(11)}, {0x0000, C(24)}}}});
  Run(15, {{8, 0, {{0x8000, 0x43}}, {{0x8000, P(6)}, {0xC000, P(8)}}},
           {8, 0, {{0x8001, 5}, {0x8003, 0x82}}, {{0x8000, P(0)}, {0xC000, P(4)}}},
           {8, 0, {{0x8002, 0x83}}, {{0x8000, P(7)}, {0xA000, P(7)}, {0xE000, P(7)}}}});
  Run(34, {{8, 2, {{0x8000, 5}}, {{0x8000, P(4)}}},
           {8, 2, {{0x7FFD, 3}, {0x7FFE, 3}, {0x7FFF, 6}},
            {{0x8000, P(12)}, {0x0000, C(12)}, {0x1000, C(8)}}}});
  // Mapper 41: the low address carries horizontal mirroring ($20), outer CHR (bits 3-4), inner
  // CHR enable ($04) and the 32 KB PRG bank (bits 0-2); $603D = $20 | $18 | $04 | 5.
  Run(41, {{16, 16, {{0x603D, 0xFF}, {0x8000, 2}}, {{0x8000, P(20)}, {0x0000, C(112)}}},
           {16, 16, {{0x6000 | 0x18 | 3, 0}, {0x8000, 2}}, {{0x8000, P(12)}, {0x0000, C(0)}}},
           {8, 16, {{0x602C, 0}, {0xC000, 0x07}}, {{0x0000, C(56)}}}});  // outer 4 OR inner 3
  Run(66, {{8, 4, {{0x8000, 0x11}}, {{0x8000, P(4)}, {0xFFFF, P(7)}, {0x0000, C(8)}}}});
  // 70: PRG bits 4-6; $C010 also loads 8 KB of CHR out of the PRG ROM; other ports only log.
  Run(70, {{2, 0, {{0xC020, 0x30}}, {{0x8000, P(2)}}},
           {8, 0, {{0xC010, 0x13}}, {{0x8000, P(2)}, {0x0000, P(3)}, {0x1FFF, P(3)}}},
           {8, 0, {{0xC001, 0x13}, {0x8000, 0x13}}, {{0x8000, P(0)}, {0x0000, kDrawn}}}});
  Run(232, {{8, 0, {{0xC000, 9}, {0xBFFF, 3}}, {{0x8000, P(2)}, {0xC000, P(14)}}},
            {0, 0, {{0xFFFF, 3}}, {{0x8000, 0}}}});
  // 78: a first write of $FF is a real bank (15 mod 8), not the record's "unknown".
  Run(78, {{8, 4, {{0x8000, 0x21}}, {{0x8000, P(2)}, {0xC000, P(14)}, {0x0000, C(16)}}},
           {8, 4, {{0x8000, 0xFF}}, {{0x8000, P(14)}, {0xA000, P(15)}}}});
  // 79 switches CHR alone; the rest of its low range is logged, not stored.
  Run(79, {{8, 4, {{0x41FF, 0x0B}}, {{0x0000, C(24)}, {0x8000, P(0)}}},
           {8, 4, {{0x4200, 0x0B}, {0x6000, 5}}, {{0x0000, C(0)}, {0x6000, 0}}}});
  Run(87, {{2, 4, {{0x6000, 3}, {0x6001, 0}}, {{0x0000, C(12)}, {0x1FFF, C(19)}}}});
  // 184 starts with 4 KB banks 2 and 3; only four values change them.
  Run(184, {{2, 4, {{0x6000, 0x16}}, {{0x0000, C(8)}, {0x1000, C(4)}}},
            {2, 4, {{0x6000, 0x15}, {0x6001, 0x14}}, {{0x0000, C(8)}, {0x1000, C(12)}}}});
  // 225: CHR bank = bits 0-5; bit 12 picks one 16 KB unit (bits 6-11) for both halves, else
  // a 32 KB bank (bits 7-11).
  Run(225, {{64, 64, {{0x9085, 0x77}}, {{0x0000, C(40)}, {0x8000, P(4)}, {0xFFFF, P(5)}}},
            {64, 64, {{0x81BE, 0}}, {{0x1FFF, C(503)}, {0x8000, P(12)}, {0xE000, P(15)}}}});
  // 227: bank = bits 3-6 plus bit 8 as bit 4. Mode 0 puts the last 16 KB of the outer 128 KB
  // block at $C000; bit 7 takes the same unit twice (mode 0) or 32 KB (mode 1). The outer
  // latch is set once, then kept until a bit-7 write clears it.
  Run(227, {{64, 0, {{0x804C, 0}}, {{0x8000, P(38)}, {0xC000, P(46)}}},
            {64, 0, {{0x80CC, 0}}, {{0x8000, P(38)}, {0xC000, P(38)}}},
            {64, 0, {{0x80C9, 0}}, {{0x8000, P(36)}, {0xE000, P(39)}}},
            {64, 0, {{0x8109, 0}}, {{0x8000, P(68)}, {0xC000, P(64)}}},
            {64, 0, {{0x8048, 0}, {0x8010, 0}}, {{0x8000, P(8)}, {0xC000, P(46)}}},
            {64, 0, {{0x8048, 0}, {0x8090, 0}, {0x8010, 0}}, {{0xC000, P(14)}}}});
  // 240: the mapper-66 latch, plus 8 KB PRG at $9316 / $9326 that stays while the latch's
  // PRG bits do; no cartridge RAM.
  Run(240, {{8, 4, {{0x8000, 0x21}, {0x9316, 0x05}}, {{0x8000, P(0)}, {0x0000, C(8)}}},
            {8, 4, {{0x8000, 0x00}, {0x9316, 0x05}, {0x9326, 0x0D}, {0x6000, 0x77}},
             {{0x8000, P(5)}, {0xA000, P(13)}, {0xC000, P(2)}, {0x6000, 0}}}});
  Run(241, {{2, 0, {{0x6000, 1}, {0x7FFF, 2}, {0x5000, 3}}, {{0x7FFF, 2}, {0x5000, 0}}}});
}

TEST_F(DiscreteBoardTest, ChrWritesLeaveChrRamAlone) {
  for (auto [mapper, address] : {std::pair{3, 0x8000}, {87, 0x6000}, {80, 0x7EF0}})
    Run(uint8_t(mapper),
        {{2, 0, {{uint16_t(address), 0x16}}, {{0x0000, kDrawn}, {0x1000, kDrawn}}}});
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
  m().CpuWrite(0x8000, 0x00);  // page A again: nothing moves
  m().CpuWrite(0x8000, 0x08);
  EXPECT_EQ(m().PpuMemory[0x2410], 'b');
}

#include "cart/board_test.h"

using Mmc3StyleTest = BoardTest;

// 8 PRG units (16 banks of 8 KB) and 4 CHR units (32 pages of 1 KB), or none (CHR RAM); each
// case from power-on and reset.
TEST_F(Mmc3StyleTest, SelectsFillTheBoardsWindows) {
  // Mapper 64 starts with the last 8 KB everywhere. Its own select table: 8 and 9 ignore bit
  // 7, 10-14 select nothing; no CHR-RAM step; exact addresses only.
  Run(64, {{8, 4, {{0x8000, 0x0F}, {0x8001, 5}, {0x8000, 0x4F}, {0x8001, 6}},
                  {{0xC000, P(5)}, {0x8000, P(6)}}},
           {8, 4, {{0x8000, 0x46}, {0x8001, 3}, {0x8000, 0x47}, {0x8001, 4}},
                  {{0xA000, P(3)}, {0xC000, P(4)}}},
           {8, 4, {{0x8000, 0x88}, {0x8001, 9}, {0x8000, 0x80}, {0x8001, 4}},
                  {{0x0400, C(9)}, {0x1000, C(4)}, {0x1400, C(5)}}},
           {8, 4, {{0x8000, 0x06}, {0x8000, 0x0B}, {0x8002, 0x07}, {0x8001, 3}},
                  {{0x8000, P(3)}, {0xA000, P(15)}}},
           {8, 0, {{0x8000, 0x00}, {0x8001, 3}}, {{0x0000, kDrawn}, {0x8000, P(15)}}}});
  Run(74, {{8, 4, {{0x8000, 0x46}, {0x8001, 3}}, {{0x8000, P(14)}, {0xC000, P(3)}}}});
  // Mapper 112: data at $A000 ($8001 is no register); slots 0-1 PRG, 2-7 CHR. CHR RAM turns
  // every select into 6 or 7: CHR slots with nothing to copy.
  Run(112, {{8, 4, {{0x8000, 0x40}, {0xA000, 3}, {0x8001, 5}}, {{0x8000, P(14)}, {0xC000, P(3)}}},
            {8, 4, {{0x8000, 0x01}, {0xA000, 5}, {0x8000, 0x87}, {0xA000, 9}},
                   {{0xA000, P(5)}, {0x0C00, C(9)}}},
            {8, 0, {{0x8000, 0x02}, {0xA000, 4}}, {{0x1800, kDrawn}, {0x8000, P(0)}}}});
  Run(115, {{8, 4, {{0x8000, 0x07}, {0x8001, 9}}, {{0xA000, P(9)}}}});
  Run(118, {{8, 4, {{0x8000, 0x82}, {0x8001, 9}}, {{0x0000, C(9)}}}});
  // Mapper 161: slot 6 is always $8000, $8800 selects $E000; 4 KB of cartridge RAM.
  Run(161, {{8, 4, {{0x8000, 0x46}, {0x8001, 3}, {0x8800, 0}, {0x8801, 2}},
                   {{0x8000, P(3)}, {0xA000, P(0)}, {0xE000, P(2)}}},
            {8, 4, {{0x8000, 0x07}, {0x8003, 5}, {0x6001, 0x11}, {0x7001, 0x22}},
                   {{0xA000, P(1)}, {0x6001, 0x11}, {0x7001, 0}}}});
  // Mapper 245: slot 6 stays at $8000 (no swap step); CHR windows come from PRG 1 KB units.
  Run(245, {{8, 0, {{0x8000, 0x46}, {0x8001, 6}, {0x8000, 0x47}, {0x8001, 5}},
                   {{0x8000, P(6)}, {0xA000, P(5)}}},
            {8, 0, {{0x8000, 0x80}, {0x8001, 7}},
                   {{0x1000, P(0)}, {0x1400, P(1)}, {0x1800, kDrawn}}}});
  // Mapper 249: $8800 as MMC3 with slot 7 at $C000; $8000 puts both PRG slots at $A000 and
  // leaves the first-select re-layout to $8800; 4 KB of cartridge RAM.
  Run(249, {{8, 4, {{0x8800, 0x07}, {0x8801, 5}, {0x6002, 0x33}, {0x7002, 0x44}},
                   {{0xC000, P(5)}, {0x6002, 0x33}, {0x7002, 0}}},
            {8, 4, {{0x8000, 0x46}, {0x8001, 4}}, {{0xA000, P(4)}, {0x8000, P(0)}}},
            {8, 4, {{0x8000, 0x47}, {0x8800, 0x46}, {0x8801, 9}},
                   {{0x8000, P(14)}, {0xC000, P(9)}}},
            {8, 0, {{0x8000, 0x00}, {0x8001, 6}}, {{0xA000, P(6)}}}});
}

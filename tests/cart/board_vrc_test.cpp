#include "cart/board_test.h"

using VrcTest = BoardTest;

// 8 PRG units (16 banks of 8 KB), 16 CHR units (128 pages of 1 KB). The boards that write CHR
// halves copy only when both halves of a window have arrived.
TEST_F(VrcTest, BanksByBoard) {
  Run(21, {{8, 16, {{0x8000, 3}, {0xA000, 5}}, {{0x8000, P(3)}, {0xA000, P(5)}}},
           {8, 16, {{0x9002, 2}, {0x8000, 3}}, {{0x8000, P(0)}, {0xC000, P(3)}}},
           {8, 16, {{0xB000, 5}, {0xB002, 1}}, {{0x0000, C(0x15)}}},
           {8, 16, {{0xB000, 5}}, {{0x0000, 0}}},  // one half: nothing yet
           {8, 16, {{0xC000, 3}, {0xC002, 9}}, {{0x0800, C(0x13)}}}});  // $93 mod 128
  Run(22, {{8, 16, {{0xB000, 0x0A}, {0xB002, 0x02}}, {{0x0000, C(0x15)}}},
           {8, 16, {{0xE001, 0x04}, {0xE003, 0x06}}, {{0x1C00, C(0x32)}}},
           {8, 16, {{0x8000, 3}, {0x8001, 4}, {0xA001, 4}}, {{0x8000, P(3)}, {0xA000, P(1)}}}});
  // 23: $B004 is read with lines 2-3 for that write only.
  Run(23, {{8, 16, {{0xB000, 5}, {0xB001, 1}}, {{0x0000, C(0x15)}}},
           {8, 16, {{0xB000, 5}, {0xB004, 1}}, {{0x0000, C(0x15)}}},
           {8, 16, {{0xD008, 2}, {0xD00C, 1}}, {{0x1400, C(0x12)}}},
           {8, 16, {{0x8FFF, 2}, {0xA123, 6}}, {{0x8000, P(2)}, {0xA000, P(6)}}}});
  // 25: a first address ending in 4 fixes lines 2-3 for good ($B00C is window 1's high half);
  // one ending in 2 fixes lines 0-1 ($B006 is window 1's high half).
  Run(25, {{8, 16, {{0xB004, 5}, {0xB00C, 1}}, {{0x0400, C(0x15)}}},
           {8, 16, {{0xB004, 5}, {0xB00C, 1}, {0xB008, 2}, {0xB000, 3}}, {{0x0000, C(0x23)}}},
           {8, 16, {{0xB002, 1}, {0xB000, 5}, {0xB004, 2}, {0xB006, 1}},
            {{0x0000, C(0x15)}, {0x0400, C(0x12)}}},
           {8, 16, {{0x9001, 2}, {0x8000, 4}, {0xA000, 7}},
            {{0x8000, P(0)}, {0xA000, P(7)}, {0xC000, P(4)}}}});
  Run(24, {{8, 16, {{0x8000, 2}, {0xC000, 7}}, {{0x8000, P(4)}, {0xA000, P(5)}, {0xC000, P(7)}}},
           {8, 16, {{0xD001, 9}, {0xE003, 130}}, {{0x0400, C(9)}, {0x1C00, C(2)}}},
           {8, 0, {{0xD001, 9}}, {{0x0400, kDrawn}}}});  // CHR RAM keeps its tiles
  // 26: lines 0 and 1 exchanged: $D001 is $0800, $D002 is $0400.
  Run(26, {{8, 16, {{0xD001, 9}, {0xD002, 7}, {0xE000, 4}},
            {{0x0800, C(9)}, {0x0400, C(7)}, {0x1000, C(4)}}}});
}

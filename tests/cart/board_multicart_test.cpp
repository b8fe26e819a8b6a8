#include "cart/board_test.h"

using MulticartTest = BoardTest;

TEST_F(MulticartTest, AddressesSelectTheBanks) {
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
  // PRG bits do.
  Run(240, {{8, 4, {{0x8000, 0x21}, {0x9316, 0x05}}, {{0x8000, P(0)}, {0x0000, C(8)}}},
            {8,
             4,
             {{0x8000, 0x00}, {0x9316, 0x05}, {0x9326, 0x0D}},
             {{0x8000, P(5)}, {0xA000, P(13)}, {0xC000, P(2)}, {0x0000, C(8)}}},
            {8, 4, {{0x6000, 0x77}, {0x7000, 0x77}}, {{0x6000, 0}, {0x7000, 0}}}});
  Run(241, {{2, 0, {{0x6000, 1}, {0x7FFF, 2}, {0x5000, 3}}, {{0x7FFF, 2}, {0x5000, 0}}}});
}

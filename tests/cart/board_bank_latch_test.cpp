#include "cart/board_test.h"

using BankLatchTest = BoardTest;

// {PRG units, CHR units, writes, tagged bytes read back}. Banks taken as written past a small
// image show the zero-filled store beyond it.
TEST_F(BankLatchTest, RegistersSelectTheWrittenBanks) {
  Run(66, {{8, 4, {{0x8000, 0x11}}, {{0x8000, P(4)}, {0xFFFF, P(7)}, {0x0000, C(8)}}},
           {2, 1, {{0xC000, 0x33}}, {{0x8000, 0}, {0x0000, 0}}},
           {2, 1, {{0x6FFF, 0x55}, {0x7000, 0x66}}, {{0x6FFF, 0x55}, {0x7000, 0}}}});
  // 70: PRG bits 4-6; $C010 also loads 8 KB of CHR out of the PRG ROM; other ports only log.
  Run(70, {{8, 0, {{0xC000, 0x25}}, {{0x8000, P(4)}, {0xC000, P(14)}}},
           {2, 0, {{0xC020, 0x30}}, {{0x8000, P(2)}}},
           {8, 0, {{0xC010, 0x13}}, {{0x8000, P(2)}, {0x0000, P(3)}, {0x1FFF, P(3)}}},
           {8, 0, {{0xC001, 0x13}, {0x8000, 0x13}}, {{0x8000, P(0)}, {0x0000, kDrawn}}}});
  Run(232, {{8, 0, {{0xC000, 9}, {0xBFFF, 3}}, {{0x8000, P(2)}, {0xC000, P(14)}}},
            {0, 0, {{0xFFFF, 3}}, {{0x8000, 0}}}});
  Run(78, {{8, 4, {{0x8000, 0x21}}, {{0x8000, P(2)}, {0xC000, P(14)}, {0x0000, C(16)}}},
           {2, 4, {{0x8000, 0x03}, {0x8000, 0x13}}, {{0x8000, P(2)}, {0x0000, C(8)}}}});
  // 79 switches CHR alone; the rest of its low range is logged, not stored.
  Run(79, {{8, 4, {{0x41FF, 0x0B}}, {{0x0000, C(24)}, {0x8000, P(0)}}},
           {8, 4, {{0x4200, 0x0B}, {0x6000, 5}}, {{0x0000, C(0)}, {0x6000, 0}}},
           {8, 0, {{0x4100, 0x01}}, {{0x0000, kDrawn}}}});
  Run(87, {{2, 4, {{0x6000, 3}, {0x6001, 0}}, {{0x0000, C(12)}, {0x1FFF, C(19)}}}});
  // 184 starts with 4 KB banks 2 and 3; only four values change them.
  Run(184, {{2, 4, {{0x6000, 0x16}}, {{0x0000, C(8)}, {0x1000, C(4)}}},
            {2, 4, {{0x6000, 0x34}}, {{0x0000, C(0)}, {0x1000, C(12)}}},
            {2, 4, {{0x6000, 0x15}, {0x6001, 0x14}}, {{0x0000, C(8)}, {0x1000, C(12)}}}});
}

// Without CHR ROM the pattern tables are RAM holding the game's tiles: CHR writes leave them.
TEST_F(BankLatchTest, ChrWritesLeaveChrRamAlone) {
  const std::pair<uint8_t, uint16_t> chrPorts[] = {{66, 0x8000},  {78, 0x8000},  {87, 0x6000},
                                                   {184, 0x6000}, {225, 0x8000}, {240, 0x8000},
                                                   {80, 0x7EF0},  {91, 0x6000}};
  for (auto [mapper, address] : chrPorts)
    Run(mapper, {{2, 0, {{address, 0x16}}, {{0x0000, kDrawn}, {0x1000, kDrawn}}}});
}

// Bank switching on every board: register writes and the banks they bring into the CPU and
// PPU windows, read back through the bank tags.
#include <tuple>
#include <vector>

#include "cart/board_test.h"
#include "state/state_image.h"

namespace {

using BoardBanksTest = BoardTest;

struct BoardBanks {
  uint8_t mapper;
  std::vector<BoardCase> cases;
};

// {mapper, {{PRG units, CHR units, writes, tagged bytes read back}...}}, each case from
// power-on. Images too small for a bank count drop the bank write (a remainder by zero) but
// keep the rest; banks past a small image show the zero-filled store beyond it. Without CHR
// ROM the pattern tables are RAM holding the game's tiles (kDrawn), which CHR writes leave
// alone.
TEST_F(BoardBanksTest, EveryBoardSwitchesItsBanks) {
  // clang-format off
  const std::vector<BoardBanks> table = {
      // Latch boards: one latched value or the written address.
      {2, {{8, 0, {{0x8000, 9}}, {{0x8000, P(2)}, {0xBFFF, P(3)}, {0xC000, P(14)}}}}},
      {3, {{2, 4, {{0xFFFF, 6}}, {{0x0000, C(16)}, {0x1FFF, C(23)}}},
        {2, 0, {{0x8000, 0x16}}, {{0x0000, kDrawn}, {0x1000, kDrawn}}}}},
      {7, {{8, 0, {{0x8000, 0x0D}}, {{0x8000, P(4)}, {0xFFFF, P(7)}}}}},
      // Mapper 8: CHR from bits 0-2 (5), PRG 16 KB unit from bits 3 and up (2).
      {8, {{4, 8, {{0x8000, 0x15}}, {{0x0000, C(40)}, {0x1C00, C(47)}, {0x8000, P(4)}}}}},
      {11, {{8, 4, {{0x8000, 0x36}}, {{0x8000, P(8)}, {0xFFFF, P(11)}, {0x0000, C(24)}}}}},
      {15, {{8, 0, {{0x8000, 0x43}}, {{0x8000, P(6)}, {0xC000, P(8)}}},
        {8, 0, {{0x8001, 5}, {0x8003, 0x82}}, {{0x8000, P(0)}, {0xC000, P(4)}}},
        {8, 0, {{0x8002, 0x83}}, {{0x8000, P(7)}, {0xA000, P(7)}, {0xE000, P(7)}}}}},
      {34, {{8, 2, {{0x8000, 5}}, {{0x8000, P(4)}}},
        {8, 2, {{0x7FFD, 3}, {0x7FFE, 3}, {0x7FFF, 6}},
         {{0x8000, P(12)}, {0x0000, C(12)}, {0x1000, C(8)}}}}},
      // Mapper 41: the low address carries horizontal mirroring ($20), outer CHR (bits 3-4), inner
      // CHR enable ($04) and the 32 KB PRG bank (bits 0-2); $603D = $20 | $18 | $04 | 5.
      {41, {{16, 16, {{0x603D, 0xFF}, {0x8000, 2}}, {{0x8000, P(20)}, {0x0000, C(112)}}},
        {16, 16, {{0x6000 | 0x18 | 3, 0}, {0x8000, 2}}, {{0x8000, P(12)}, {0x0000, C(0)}}},
        {8, 16, {{0x602C, 0}, {0xC000, 0x07}}, {{0x0000, C(56)}}}}},  // outer 4 OR inner 3
      {66, {{8, 4, {{0x8000, 0x11}}, {{0x8000, P(4)}, {0xFFFF, P(7)}, {0x0000, C(8)}}}}},
      // 70: PRG bits 4-6; $C010 also loads 8 KB of CHR out of the PRG ROM; other ports only log.
      {70, {{2, 0, {{0xC020, 0x30}}, {{0x8000, P(2)}}},
        {8, 0, {{0xC010, 0x13}}, {{0x8000, P(2)}, {0x0000, P(3)}, {0x1FFF, P(3)}}},
        {8, 0, {{0xC001, 0x13}, {0x8000, 0x13}}, {{0x8000, P(0)}, {0x0000, kDrawn}}}}},
      {232, {{8, 0, {{0xC000, 9}, {0xBFFF, 3}}, {{0x8000, P(2)}, {0xC000, P(14)}}},
        {0, 0, {{0xFFFF, 3}}, {{0x8000, 0}}}}},
      // 78: a first write of $FF is a real bank (15 mod 8), not the record's "unknown".
      {78, {{8, 4, {{0x8000, 0x21}}, {{0x8000, P(2)}, {0xC000, P(14)}, {0x0000, C(16)}}},
        {8, 4, {{0x8000, 0xFF}}, {{0x8000, P(14)}, {0xA000, P(15)}}}}},
      // 79 switches CHR alone; the rest of its low range is logged, not stored.
      {79, {{8, 4, {{0x41FF, 0x0B}}, {{0x0000, C(24)}, {0x8000, P(0)}}},
        {8, 4, {{0x4200, 0x0B}, {0x6000, 5}}, {{0x0000, C(0)}, {0x6000, 0}}}}},
      {87, {{2, 4, {{0x6000, 3}, {0x6001, 0}}, {{0x0000, C(12)}, {0x1FFF, C(19)}}},
        {2, 0, {{0x6000, 0x16}}, {{0x0000, kDrawn}, {0x1000, kDrawn}}}}},
      // 184 starts with 4 KB banks 2 and 3; only four values change them.
      {184, {{2, 4, {{0x6000, 0x16}}, {{0x0000, C(8)}, {0x1000, C(4)}}},
        {2, 4, {{0x6000, 0x15}, {0x6001, 0x14}}, {{0x0000, C(8)}, {0x1000, C(12)}}}}},
      // 225: CHR bank = bits 0-5; bit 12 picks one 16 KB unit (bits 6-11) for both halves, else
      // a 32 KB bank (bits 7-11).
      {225, {{64, 64, {{0x9085, 0x77}}, {{0x0000, C(40)}, {0x8000, P(4)}, {0xFFFF, P(5)}}},
        {64, 64, {{0x81BE, 0}}, {{0x1FFF, C(503)}, {0x8000, P(12)}, {0xE000, P(15)}}}}},
      // 227: bank = bits 3-6 plus bit 8 as bit 4. Mode 0 puts the last 16 KB of the outer 128 KB
      // block at $C000; bit 7 takes the same unit twice (mode 0) or 32 KB (mode 1). The outer
      // latch is set once, then kept until a bit-7 write clears it.
      {227, {{64, 0, {{0x804C, 0}}, {{0x8000, P(38)}, {0xC000, P(46)}}},
        {64, 0, {{0x80CC, 0}}, {{0x8000, P(38)}, {0xC000, P(38)}}},
        {64, 0, {{0x80C9, 0}}, {{0x8000, P(36)}, {0xE000, P(39)}}},
        {64, 0, {{0x8109, 0}}, {{0x8000, P(68)}, {0xC000, P(64)}}},
        {64, 0, {{0x8048, 0}, {0x8010, 0}}, {{0x8000, P(8)}, {0xC000, P(46)}}},
        {64, 0, {{0x8048, 0}, {0x8090, 0}, {0x8010, 0}}, {{0xC000, P(14)}}}}},
      // 240: the mapper-66 latch, plus 8 KB PRG at $9316 / $9326 that stays while the latch's
      // PRG bits do; no cartridge RAM.
      {240, {{8, 4, {{0x8000, 0x21}, {0x9316, 0x05}}, {{0x8000, P(0)}, {0x0000, C(8)}}},
        {8, 4, {{0x8000, 0x00}, {0x9316, 0x05}, {0x9326, 0x0D}, {0x6000, 0x77}},
         {{0x8000, P(5)}, {0xA000, P(13)}, {0xC000, P(2)}, {0x6000, 0}}}}},
      {241, {{2, 0, {{0x6000, 1}, {0x7FFF, 2}, {0x5000, 3}}, {{0x7FFF, 2}, {0x5000, 0}}}}},
      // MMC1, written serially. Control ($8000): bits 2-3 PRG mode, bit 4 CHR mode. With CHR
      // RAM, bank writes would copy an empty CHR ROM over what the game drew.
      {1, {{8, 4, {{0x8000, 0x0C}, {0xE000, 3}}, {{0x8000, P(6)}, {0xC000, P(14)}}},
        {8, 4, {{0x8000, 0x08}, {0xE000, 3}}, {{0x8000, P(0)}, {0xC000, P(6)}}},
        {8, 4, {{0x8000, 0x08}, {0xE000, 3}, {0x8000, 0x0C}}, {{0x8000, P(6)}, {0xC000, P(14)}}},
        {8, 4, {{0x8000, 0x08}, {0xE000, 3}, {0x8000, 0x00}}, {{0x8000, P(4)}, {0xC000, P(6)}}},
        {8, 4, {{0x8000, 0x00}, {0xE000, 5}}, {{0x8000, P(8)}}},
        {32, 1, {{0x8000, 0x0C}, {0xE000, 3}}, {{0x8000, P(0)}, {0xC000, P(62)}}},
        {8, 4, {{0x8000, 0x10}, {0xA000, 5}, {0xC000, 2}}, {{0x0000, C(20)}, {0x1000, C(8)}}},
        {8, 4, {{0x8000, 0x00}, {0xA000, 3}, {0xC000, 6}}, {{0x0000, C(12)}, {0x1000, C(16)}}},
        {8, 0, {{0x8000, 0x10}, {0xA000, 1}, {0xC000, 1}, {0x8000, 0}, {0xA000, 0}},
         {{0x0000, kDrawn}, {0x1000, kDrawn}}}}},
      // MMC3: each case starts from reset, so the first select decides the PRG arrangement.
      {4, {
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
       }},
      // MMC3-style boards: 8 PRG and 4 CHR units, or none (CHR RAM).
      // Mapper 64 starts with the last 8 KB everywhere. Its own select table: 8 and 9 ignore bit
      // 7, 10-14 select nothing; no CHR-RAM step; exact addresses only.
      {64, {{8, 4, {{0x8000, 0x0F}, {0x8001, 5}, {0x8000, 0x4F}, {0x8001, 6}},
             {{0xC000, P(5)}, {0x8000, P(6)}}},
        {8, 4, {{0x8000, 0x46}, {0x8001, 3}, {0x8000, 0x47}, {0x8001, 4}},
         {{0xA000, P(3)}, {0xC000, P(4)}}},
        {8, 4, {{0x8000, 0x88}, {0x8001, 9}, {0x8000, 0x80}, {0x8001, 4}},
         {{0x0400, C(9)}, {0x1000, C(4)}, {0x1400, C(5)}}},
        {8, 4, {{0x8000, 0x06}, {0x8000, 0x0B}, {0x8002, 0x07}, {0x8001, 3}},
         {{0x8000, P(3)}, {0xA000, P(15)}}},
        {8, 0, {{0x8000, 0x00}, {0x8001, 3}}, {{0x0000, kDrawn}, {0x8000, P(15)}}}}},
      {74, {{8, 4, {{0x8000, 0x46}, {0x8001, 3}}, {{0x8000, P(14)}, {0xC000, P(3)}}}}},
      // Mapper 112: data at $A000 ($8001 is no register); slots 0-1 PRG, 2-7 CHR. CHR RAM turns
      // every select into 6 or 7: CHR slots with nothing to copy.
      {112, {{8, 4, {{0x8000, 0x40}, {0xA000, 3}, {0x8001, 5}}, {{0x8000, P(14)}, {0xC000, P(3)}}},
        {8, 4, {{0x8000, 0x01}, {0xA000, 5}, {0x8000, 0x87}, {0xA000, 9}},
         {{0xA000, P(5)}, {0x0C00, C(9)}}},
        {8, 0, {{0x8000, 0x02}, {0xA000, 4}}, {{0x1800, kDrawn}, {0x8000, P(0)}}}}},
      {115, {{8, 4, {{0x8000, 0x07}, {0x8001, 9}}, {{0xA000, P(9)}}}}},
      {118, {{8, 4, {{0x8000, 0x82}, {0x8001, 9}}, {{0x0000, C(9)}}}}},
      // Mapper 161: slot 6 is always $8000, $8800 selects $E000; 4 KB of cartridge RAM.
      {161, {{8, 4, {{0x8000, 0x46}, {0x8001, 3}, {0x8800, 0}, {0x8801, 2}},
              {{0x8000, P(3)}, {0xA000, P(0)}, {0xE000, P(2)}}},
        {8, 4, {{0x8000, 0x07}, {0x8003, 5}, {0x6001, 0x11}, {0x7001, 0x22}},
         {{0xA000, P(1)}, {0x6001, 0x11}, {0x7001, 0}}}}},
      // Mapper 245: slot 6 stays at $8000 (no swap step); CHR windows come from PRG 1 KB units.
      {245, {{8, 0, {{0x8000, 0x46}, {0x8001, 6}, {0x8000, 0x47}, {0x8001, 5}},
              {{0x8000, P(6)}, {0xA000, P(5)}}},
        {8, 0, {{0x8000, 0x80}, {0x8001, 7}}, {{0x1000, P(0)}, {0x1400, P(1)}, {0x1800, kDrawn}}}}},
      // Mapper 249: $8800 as MMC3 with slot 7 at $C000; $8000 puts both PRG slots at $A000 and
      // leaves the first-select re-layout to $8800; 4 KB of cartridge RAM.
      {249, {{8, 4, {{0x8800, 0x07}, {0x8801, 5}, {0x6002, 0x33}, {0x7002, 0x44}},
              {{0xC000, P(5)}, {0x6002, 0x33}, {0x7002, 0}}},
        {8, 4, {{0x8000, 0x46}, {0x8001, 4}}, {{0xA000, P(4)}, {0x8000, P(0)}}},
        {8, 4, {{0x8000, 0x47}, {0x8800, 0x46}, {0x8801, 9}}, {{0x8000, P(14)}, {0xC000, P(9)}}},
        {8, 0, {{0x8000, 0x00}, {0x8001, 6}}, {{0xA000, P(6)}}}}},
      // VRC: 8 PRG and 16 CHR units; CHR halves copy only when both have arrived.
      {21, {{8, 16, {{0xB004, 5}, {0xB006, 1}}, {{0x0400, C(0x15)}}},  // lines 2-3 wiring
        {8, 16, {{0x8000, 3}, {0xA000, 5}}, {{0x8000, P(3)}, {0xA000, P(5)}}},
        {8, 16, {{0x9002, 2}, {0x8000, 3}}, {{0x8000, P(0)}, {0xC000, P(3)}}},
        {8, 16, {{0xB000, 5}, {0xB002, 1}}, {{0x0000, C(0x15)}}},
        {8, 16, {{0xB000, 5}}, {{0x0000, 0}}},                       // one half: nothing yet
        {8, 16, {{0xC000, 3}, {0xC002, 9}}, {{0x0800, C(0x13)}}}}},  // $93 mod 128
      {22, {{8, 16, {{0xB000, 0x0A}, {0xB002, 0x02}}, {{0x0000, C(0x15)}}},
        {8, 16, {{0xE001, 0x04}, {0xE003, 0x06}}, {{0x1C00, C(0x32)}}},
        {8, 16, {{0x8000, 3}, {0x8001, 4}, {0xA001, 4}}, {{0x8000, P(3)}, {0xA000, P(1)}}}}},
      // 23: $B004 is read with lines 2-3 for that write only.
      {23, {{8, 16, {{0xB000, 5}, {0xB001, 1}}, {{0x0000, C(0x15)}}},
        {8, 16, {{0xB000, 5}, {0xB004, 1}}, {{0x0000, C(0x15)}}},
        {8, 16, {{0xD008, 2}, {0xD00C, 1}}, {{0x1400, C(0x12)}}},
        {8, 16, {{0x8FFF, 2}, {0xA123, 6}}, {{0x8000, P(2)}, {0xA000, P(6)}}}}},
      // 25: a first address ending in 4 fixes lines 2-3 for good ($B00C is window 1's high half);
      // one ending in 2 fixes lines 0-1 ($B006 is window 1's high half).
      {25, {{8, 16, {{0xB004, 5}, {0xB00C, 1}}, {{0x0400, C(0x15)}}},
        {8, 16, {{0xB004, 5}, {0xB00C, 1}, {0xB008, 2}, {0xB000, 3}}, {{0x0000, C(0x23)}}},
        {8, 16, {{0xB002, 1}, {0xB000, 5}, {0xB004, 2}, {0xB006, 1}},
         {{0x0000, C(0x15)}, {0x0400, C(0x12)}}},
        {8, 16, {{0x9001, 2}, {0x8000, 4}, {0xA000, 7}},
         {{0x8000, P(0)}, {0xA000, P(7)}, {0xC000, P(4)}}}}},
      {24, {{8, 16, {{0x8000, 2}, {0xC000, 7}}, {{0x8000, P(4)}, {0xA000, P(5)}, {0xC000, P(7)}}},
        {8, 16, {{0xD001, 9}, {0xE003, 130}}, {{0x0400, C(9)}, {0x1C00, C(2)}}},
        {8, 0, {{0xD001, 9}}, {{0x0400, kDrawn}}}}},  // CHR RAM keeps its tiles
      // 26: lines 0 and 1 exchanged: $D001 is $0800, $D002 is $0400.
      {26, {{8, 16, {{0xD001, 9}, {0xD002, 7}, {0xE000, 4}},
             {{0x0800, C(9)}, {0x0400, C(7)}, {0x1000, C(4)}}}}},
      // Bandai, Jaleco, Namco.
      // A 256 KB image: the high range reduces the PRG bank by 32 units, the low range not at all,
      // so unit 40 lies past the image (zero) but inside the store.
      {16, {{16, 16, {{0x8008, 40}}, {{0x8000, P(16)}, {0xC000, P(30)}}},
        {16, 16, {{0x6008, 40}}, {{0x8000, 0}, {0xBFFF, 0}}},
        {16, 16, {{0x6003, 7}, {0x800D, 9}}, {{0x0C00, C(7)}, {0x6003, 0}}},
        {16, 0, {{0x8000, 7}}, {{0x0000, kDrawn}}}}},
      // Jaleco: only the second half of a pair copies.
      {18, {{16, 16, {{0x8000, 3}}, {{0x8000, P(0)}}},
        // Bank $FF, which a record cannot tell from "none", wraps inside the store.
        {64, 16, {{0x8000, 0xF}, {0x8001, 0xF}}, {{0x8000, P(127)}}},
        {16, 16, {{0x8002, 4}, {0x8003, 0}, {0x9000, 5}, {0x9001, 1}},
         {{0xA000, P(4)}, {0xC000, P(0x15)}}},
        {16, 16, {{0xA000, 2}, {0xA001, 0}, {0xD002, 3}, {0xD003, 1}},
         {{0x0000, C(2)}, {0x1C00, C(0x13)}}}}},
      // Namco: 32 CHR units, so banks $E0 and up exist and need the CHR mode bit of their half;
      // only $6000-$6FFF is RAM.
      {19, {{8, 32, {{0xE000, 3}, {0xE800, 0xC5}, {0xF000, 2}},
             {{0x8000, P(3)}, {0xA000, P(5)}, {0xC000, P(2)}, {0xE000, P(15)}}},
        {8, 32, {{0xE000, 0}}, {{0x8000, P(0)}}},  // copied although bank 0 was never there
        {8, 32, {{0x8800, 9}, {0xB800, 0x21}}, {{0x0400, C(9)}, {0x1C00, C(0x21)}}},
        {8, 32, {{0x8000, 0xE3}, {0xA000, 0xE4}}, {{0x0000, C(0xF8)}, {0x1000, C(0xFC)}}},
        {8, 32, {{0xE800, 0x40}, {0x8000, 0xE3}}, {{0x0000, C(0xE3)}}},
        {8, 4, {{0x8000, 0x25}}, {{0x0000, C(5)}}},  // $25 mod 32
        {8, 4, {{0x6000, 0x11}, {0x7000, 0x22}}, {{0x6000, 0x11}, {0x7000, 0}}}}},
      // Register boards: 8 PRG and 4 CHR units unless a case says otherwise.
      // Mapper 65: PRG reduced, 1 KB CHR at (address AND 7).
      {65, {{8, 4, {{0x8000, 3}, {0xA000, 17}, {0xC000, 4}, {0xB005, 3}, {0x9000, 2}},
             {{0x8000, P(3)}, {0xA000, P(1)}, {0xC000, P(4)}, {0x1400, C(3)}, {0x1000, 0}}}}},
      // Mapper 68: 2 KB CHR windows, each with its own record; 16 KB PRG at $8000.
      {68, {{8, 4, {{0x9000, 5}, {0xB000, 5}, {0xA000, 17}, {0xF000, 9}},
             {{0x0800, C(10)}, {0x1C00, C(11)}, {0x1000, C(2)}, {0xA000, P(3)}}}}},
      // Mapper 69: command at $8000, argument at $A000; the first PRG write copies even bank 0.
      {69, {{8, 4, {{0x8000, 3}, {0xA000, 7}, {0x8000, 0x19}, {0xA000, 5}, {0x8000, 11}},
             {{0x0C00, C(7)}, {0x8000, P(5)}, {0xC000, P(14)}}},
        {8, 4, {{0x8000, 11}, {0xA000, 0}}, {{0xC000, P(0)}, {0xE000, P(15)}}},
        {8, 4, {{0x8000, 8}, {0xA000, 3}}, {{0x6000, P(3)}, {0x7FFF, P(3)}}},
        {8, 4, {{0x8000, 8}, {0xA000, 0x43}}, {{0x6000, 0}}}}},
      // Mapper 73: 8 KB windows at $A000/$C000 start on 4 KB boundaries; $F000 in 8 KB steps.
      {73, {{8, 4, {{0xF000, 1}, {0xC000, 0x13}},
             {{0x8000, P(1)}, {0xA000, P(2)}, {0xC000, P(1)}, {0xD000, P(2)}}}}},
      // Mapper 90: a register is two nibbles, low first; only the second write copies.
      {90, {{16, 4, {{0x8000, 3}}, {{0x8000, P(0)}}},
        {16, 4, {{0x8000, 0x21}, {0x8001, 0x11}, {0x9000, 6}, {0x9001, 0}, {0xA000, 9}},
         {{0x8000, P(17)}, {0xC000, P(6)}}},
        {16, 4, {{0xA000, 9}, {0xA001, 0}}, {{0x0000, C(9)}}}}},
      // Mapper 96: 8 KB in 4 KB steps to $8000, $C000, $E000.
      {96, {{8, 4, {{0xF000, 3}, {0xF004, 4}, {0xF001, 5}},
             {{0x8000, P(1)}, {0x9000, P(2)}, {0xC000, P(2)}}}}},
      {160, {{8, 4, {{0x8001, 5}, {0x8003, 6}, {0x8002, 4}, {0xB001, 1}, {0x9003, 7}},
              {{0xA000, P(5)}, {0xC000, P(4)}, {0xE000, P(15)}, {0x0C00, C(7)}}}}},
      {250, {{8, 4, {{0x8B06, 3}, {0x8E11, 4}, {0x8B07, 5}}, {{0x8000, P(3)}, {0xA000, P(4)}}}}},
      // 80: 2 KB CHR at any 1 KB page (bit 7 is the name-table bit), 1 KB CHR, 8 KB PRG in pairs.
      {80, {{16, 16, {{0x7EF0, 3}, {0x7EF1, 0x85}, {0x7EF5, 2}},
             {{0x07FF, C(4)}, {0x0800, C(5)}, {0x1C00, C(2)}}},
        {16, 16, {{0x7EFB, 35}, {0x7EFC, 4}, {0x7EFF, 5}},
         {{0x8000, P(3)}, {0xA000, P(4)}, {0xC000, P(5)}}},
        {16, 16, {{0x7EF6, 3}, {0x6000, 9}}, {{0x1000, C(4)}, {0x6000, 0}}},
        {2, 0, {{0x7EF0, 0x16}}, {{0x0000, kDrawn}, {0x1000, kDrawn}}}}},
      // 91: 2 KB CHR by address bits 0-1; 8 KB PRG at $8000 or $A000 by address bit 0.
      {91, {{8, 32, {{0x6002, 5}, {0x6FFD, 9}},
             {{0x1000, C(10)}, {0x17FF, C(11)}, {0x0800, C(18)}}},
        {8, 32, {{0x7001, 19}, {0x7FFE, 2}}, {{0xA000, P(3)}, {0x8000, P(2)}}}}},
      {246, {{8, 4, {{0x6805, 0x42}, {0x6008, 0x42}}, {{0x6805, 0x42}, {0x6008, 0}}},
        {8, 4, {{0x6000, 7}, {0x6003, 9}}, {{0x8000, P(7)}, {0xE000, P(9)}}},
        {8, 4, {{0x6006, 18}}, {{0x1000, C(4)}, {0x17FF, C(5)}, {0x1800, C(6)}}}}},
      // 16 PRG units (32 banks of 8 KB). Mapper 10: both latches start at $FE, so only the $FE
      // candidates show at once.
      {10, {{16, 4, {{0xC000, 3}, {0xB000, 2}}, {{0x0000, C(12)}}},
        {16, 4, {{0xE000, 9}, {0xD000, 2}}, {{0x1000, C(4)}}},  // 9 mod 8 banks of 4 KB
        {16, 4, {{0xA000, 3}, {0x8000, 5}}, {{0x8000, P(6)}, {0xC000, P(30)}}}}},
      // Mapper 6 swaps whole 8 KB CHR RAM banks: bank 1 is empty, and going back to bank 0
      // brings back what the game drew.
      {6, {{16, 0, {{0x8000, 0x05}}, {{0x8000, P(2)}, {0xC000, P(14)}, {0x0000, 0}}},
        {16, 0, {{0x8000, 0x05}, {0x8000, 0x04}}, {{0x0000, kDrawn}, {0x8000, P(2)}}},
        {16, 0, {{0x42F1, 0x00}, {0x8000, 0x05}}, {{0x8000, P(0)}, {0x0000, kDrawn}}},
        {16, 0, {{0x6000, 1}, {0x4504, 2}}, {{0x6000, 1}, {0x4504, 0}}}}},
      {17, {{16, 4, {{0x4504, 3}, {0x4505, 4}, {0x4506, 5}, {0x4507, 38}},
             {{0x8000, P(3)}, {0xA000, P(4)}, {0xC000, P(5)}, {0xE000, P(6)}}},
        {16, 4, {{0x4512, 9}, {0x4517, 33}}, {{0x0800, C(9)}, {0x1C00, C(1)}}}}},
      // Mapper 32 starts in the mode that sends $8FF0 banks to $C000.
      {32, {{16, 4, {{0x8FF0, 3}}, {{0x8000, P(0)}, {0xC000, P(3)}}},
        {16, 4, {{0x9FF0, 0}, {0x8FF5, 4}, {0xAFF0, 6}}, {{0x8000, P(4)}, {0xA000, P(6)}}},
        {16, 4, {{0xBFF5, 9}, {0xBFE5, 7}}, {{0x1400, C(9)}}}}},
      {33, {{16, 4, {{0x8000, 5}, {0x8000, 0}, {0x8001, 3}}, {{0x8000, P(0)}, {0xA000, P(3)}}},
        {16, 4, {{0x8002, 3}, {0xA002, 9}}, {{0x0000, C(6)}, {0x0400, C(7)}, {0x1800, C(9)}}}}},
      {48, {{16, 4, {{0x5115, 0x85}, {0x5114, 3}, {0x5116, 33}},
             {{0x8000, P(5)}, {0xA000, P(3)}, {0xC000, P(1)}, {0xE000, P(31)}}},
        {16, 4, {{0x5103, 6}, {0x6000, 7}, {0x8000, 1}},
         {{0xA000, P(6)}, {0x6000, 7}, {0x8000, P(31)}}}}},
  };
  // clang-format on
  const auto serial = [&](Write w) { Mmc1Serial(w.address, w.value); };
  for (const BoardBanks& board : table)
    Run(board.mapper, board.cases, board.mapper == 1 ? serial : std::function<void(Write)>());
}

// Without CHR ROM a $FD tile flips the latch but has no store to copy from: the patterns
// stay what the game drew.
TEST_F(BoardBanksTest, Mapper10TileLatchWithoutChrRomKeepsTheDrawnTiles) {
  LoadBoard(10, 16, 0);
  std::memset(m().PpuMemory, kDrawn, 0x2000);
  m().PpuMemory[0x2000] = 0xFD;
  m().CpuMemory[kPpuMask] = 0x18;
  m().VramAddress = 0x2000;
  std::array<uint8_t, 256> row{}, base{};
  m().RenderScanline(row.data(), base.data(), 0);
  EXPECT_EQ(std::tuple(At(0x0000), At(0x0FFF), m().LineReload), std::tuple(kDrawn, kDrawn, 0xFD));
}

TEST_F(BoardBanksTest, Mmc1FifthWriteAddressPicksTheRegisterAndResetDiscards) {
  LoadBoard(1, 8, 4);
  Mmc1Serial(0x8000, 0x0C);  // 16 KB mode, $8000 switchable
  Mmc1Serial(0xE000, 0x01, 0xA000);
  EXPECT_EQ(At(0x8000), P(2));
  EXPECT_EQ(m().Mmc1Regs[1], 0);  // the first four writes went to $A000 but counted for $E000
  m().CpuWrite(0xE000, 1);
  m().CpuWrite(0xE000, 1);
  m().CpuWrite(0xE000, 0x80);
  EXPECT_EQ(m().Mmc1Regs[3], 0);  // only the addressed register is cleared
  EXPECT_EQ(At(0x8000), P(2));    // no bank change on reset
  Mmc1Serial(0xE000, 0x02);
  EXPECT_EQ(At(0x8000), P(4));
}

// Mapper 8 leaves the new CHR to the frame-start rebuild; the other boards decode at once.
// Column 3 of the tile row at $1C00 is colour 3 for page 23 (tag $18), 0 for page 7 ($08).
// With MapperFlag set, mapper 160 refuses CHR writes during the vertical blank; otherwise it
// too waits for the pattern cache rebuild at the next frame start.
TEST_F(BoardBanksTest, ChrWritesLeftToTheFrameStart) {
  LoadBoard(8, 2, 8);
  m().CpuWrite(0x8000, 2);
  EXPECT_EQ(std::tuple(At(0x1C00), m().PatternsDirty, m().PatternCache[0x1C00 * 4 + 3]),
            std::tuple(C(23), 1, 0));
  LoadBoard(160, 8, 4);
  m().CpuWrite(0x9001, 9);
  EXPECT_EQ(std::tuple(At(0x0400), m().PatternsDirty), std::tuple(C(9), 1));
  m().CpuWrite(0xB001, 1);
  m().VblankPeriod = 1;
  m().CpuWrite(0x9001, 3);
  EXPECT_EQ(At(0x0400), C(9));
}

// A recorded window is copied again unless its record names the requested bank; the byte
// poked between the writes shows whether it was.
TEST_F(BoardBanksTest, RecordedWindowsSkipOnlyTheSameBank) {
  const std::tuple<uint8_t, uint8_t, Write, Write, uint16_t, uint8_t> cases[] = {
      {69, 4, {0xA000, 5}, {0xA000, 5}, 0x8000, 0x77},
      {68, 4, {0x9000, 3}, {0xB000, 3}, 0x1C00, C(7)},
      {68, 64, {0x8000, 128}, {0x8000, 0}, 0x0000, C(0)},  // page 256 does not fit a record
  };
  for (const auto& [mapper, chrUnits, first, second, window, expected] : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(mapper) << " $" << std::hex << window);
    LoadBoard(mapper, 8, chrUnits);
    m().CpuWrite(0x8000, 9);  // mapper 69: the $8000 PRG command
    m().CpuWrite(first.address, first.value);
    (window < 0x2000 ? m().PpuMemory : m().CpuMemory)[window] = 0x77;
    m().CpuWrite(second.address, second.value);
    EXPECT_EQ(At(window), expected);
  }
}

// A PRG switch to the bank in place copies nothing (a byte poked into the window stays); a state
// load and a new cartridge put other bytes there, so the next switch must copy again.
TEST_F(BoardBanksTest, Mmc3PrgSwitchToTheBankInPlaceCopiesNothing) {
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

// Boards recognised without banking only log: the address, then the value. Cartridge RAM
// and sound registers are never logged.
TEST_F(BoardBanksTest, LoggedWrites) {
  const std::vector<Write> plain = {{0x8123, 0x42}, {0x6000, 0x42}, {0x4015, 0x42}};
  const struct {
    uint8_t mapper;
    std::vector<Write> writes;
    const char* log;
  } cases[] = {
      {89, plain, "33059\n66\n"},
      {241, plain, "W33059\n66\n"},
      {240, {{0x8123, 0x42}, {0x5000, 7}}, "33059\n66\n20480\n7\n"},  // its low range too
      {65, {{0xE000, 5}}, "57344\n5\n"},
      {65, {{0x9000, 5}}, ""},
      {68, {{0xE000, 2}}, "2\n"},
      {73, {{0x8000, 1}}, "32768\n1\n"},
      {96, {{0x9234, 7}}, "37428\n7\n"},
      {160, {{0xD000, 9}}, "PA53248\n9\n"},
      {250, {{0x8B06, 1}}, "35590\n1\n"},
      {161, {{0x9000, 7}}, "36864\n7\n"},
      {161, {{0x8001, 7}}, ""},
      {161, {{0x7001, 7}}, "28673\n"},
      {249, {{0xE801, 0}}, "59393\n0\n"},
      {249, {{0x6001, 0}}, ""},
      {33, {{0x8004, 9}}, "32772\n9\n"},
      // Mapper 6 logs its $4500 value, and high-range writes once out of copier mode.
      {6, {{0x4500, 77}, {0x42F0, 0x40}, {0x8000, 5}}, "77\n5\n"},
      {48, {{0x5114, 0x81}, {0x5114, 0x01}}, "Q"},  // bit 7 set: no "Q"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "mapper " << int(c.mapper) << " $" << std::hex << c.writes[0].address);
    LoadBoard(c.mapper, 8, 4);
    LogStart();
    for (const Write& w : c.writes) m().CpuWrite(w.address, w.value);
    EXPECT_EQ(ReadLog(), c.log);
  }
}

}  // namespace

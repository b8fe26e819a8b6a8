#include "cart/board_test.h"

using BandaiNamcoTest = BoardTest;

TEST_F(BandaiNamcoTest, BanksByBoard) {
  // A 256 KB image: the high range reduces the PRG bank by 32 units, the low range not at all,
  // so unit 40 lies past the image (zero) but inside the store.
  Run(16, {{16, 16, {{0x8008, 40}}, {{0x8000, P(16)}, {0xC000, P(30)}}},
           {16, 16, {{0x6008, 40}}, {{0x8000, 0}, {0xBFFF, 0}}},
           {16, 16, {{0x6003, 7}, {0x800D, 9}}, {{0x0C00, C(7)}, {0x6003, 0}}},
           {16, 0, {{0x8000, 7}}, {{0x0000, kDrawn}}}});
  // Jaleco: only the second half of a pair copies.
  Run(18, {{16, 16, {{0x8000, 3}}, {{0x8000, P(0)}}},
           // Bank $FF, which a record cannot tell from "none", wraps inside the store.
           {64, 16, {{0x8000, 0xF}, {0x8001, 0xF}}, {{0x8000, P(127)}}},
           {16, 16, {{0x8002, 4}, {0x8003, 0}, {0x9000, 5}, {0x9001, 1}},
            {{0xA000, P(4)}, {0xC000, P(0x15)}}},
           {16, 16, {{0xA000, 2}, {0xA001, 0}, {0xD002, 3}, {0xD003, 1}},
            {{0x0000, C(2)}, {0x1C00, C(0x13)}}}});
  // Namco: 32 CHR units, so banks $E0 and up exist and need the CHR mode bit of their half;
  // only $6000-$6FFF is RAM.
  Run(19, {{8, 32, {{0xE000, 3}, {0xE800, 0xC5}, {0xF000, 2}},
            {{0x8000, P(3)}, {0xA000, P(5)}, {0xC000, P(2)}, {0xE000, P(15)}}},
           {8, 32, {{0xE000, 0}}, {{0x8000, P(0)}}},  // copied although bank 0 was never there
           {8, 32, {{0x8800, 9}, {0xB800, 0x21}}, {{0x0400, C(9)}, {0x1C00, C(0x21)}}},
           {8, 32, {{0x8000, 0xE3}, {0xA000, 0xE4}}, {{0x0000, C(0xF8)}, {0x1000, C(0xFC)}}},
           {8, 32, {{0xE800, 0x40}, {0x8000, 0xE3}}, {{0x0000, C(0xE3)}}},
           {8, 4, {{0x8000, 0x25}}, {{0x0000, C(5)}}},  // $25 mod 32
           {8, 4, {{0x6000, 0x11}, {0x7000, 0x22}}, {{0x6000, 0x11}, {0x7000, 0}}}});
}

// NT0-NT1 start on console page 0, NT2-NT3 on page 1; a ROM page covers a table and saves the
// console page under it until a value of $E0 or more brings it back.
TEST_F(BandaiNamcoTest, NamcoNameTablesFromChrRom) {
  LoadBoard(19, 8, 8);
  EXPECT_EQ(FourScreen, 1u);
  FillTables({'a', 'b', 'c', 'd'});
  m().CpuWrite(0xC000, 5);
  m().CpuWrite(0xD800, 7);
  EXPECT_EQ(Tables(), (Tables4{C(5), 'b', 'c', C(7)}));
  m().CpuWrite(0xC000, 6);  // ROM over ROM: the saved page is kept
  m().CpuWrite(0xC000, 0xE0);
  m().CpuWrite(0xDFFF, 0xE1);
  EXPECT_EQ(Tables(), (Tables4{'a', 'b', 'c', 'd'}));
  m().PpuMemoryWrite(0x2000, 'x');
  m().CpuWrite(0xC000, 0xE1);  // already a saved page: nothing changes
  EXPECT_EQ(m().PpuMemory[0x2000], 'x');
}

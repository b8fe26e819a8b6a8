#include <tuple>

#include "cart/board_test.h"

using RegisterBoardTest = BoardTest;

// 8 PRG units (16 banks of 8 KB) and 4 CHR units (32 pages of 1 KB) unless a case says
// otherwise; each case from power-on.
TEST_F(RegisterBoardTest, RegistersFillTheirWindows) {
  // Mapper 65: PRG reduced, 1 KB CHR at (address AND 7); CHR RAM keeps its tiles.
  Run(65, {{8, 4, {{0x8000, 3}, {0xA000, 17}, {0xC000, 4}, {0xB005, 3}, {0x9000, 2}},
                  {{0x8000, P(3)}, {0xA000, P(1)}, {0xC000, P(4)}, {0x1400, C(3)}, {0x1000, 0}}},
           {8, 0, {{0xB000, 3}}, {{0x0000, kDrawn}}}});
  // Mapper 68: 2 KB CHR windows, each with its own record; 16 KB PRG at $8000.
  Run(68, {{8, 4, {{0x9000, 5}, {0xB000, 5}, {0xA000, 17}, {0xF000, 9}},
                  {{0x0800, C(10)}, {0x1C00, C(11)}, {0x1000, C(2)}, {0xA000, P(3)}}},
           {8, 0, {{0x8000, 1}}, {{0x0000, kDrawn}}}});
  // Mapper 69: command at $8000, argument at $A000; the first PRG write copies even bank 0.
  Run(69, {{8, 4, {{0x8000, 3}, {0xA000, 7}, {0x8000, 0x19}, {0xA000, 5}, {0x8000, 11}},
                  {{0x0C00, C(7)}, {0x8000, P(5)}, {0xC000, P(14)}}},
           {8, 4, {{0x8000, 11}, {0xA000, 0}}, {{0xC000, P(0)}, {0xE000, P(15)}}},
           {8, 4, {{0x8000, 8}, {0xA000, 3}}, {{0x6000, P(3)}, {0x7FFF, P(3)}}},
           {8, 4, {{0x8000, 8}, {0xA000, 0x43}}, {{0x6000, 0}}}});
  // Mapper 73: 8 KB windows at $A000/$C000 start on 4 KB boundaries; $F000 in 8 KB steps.
  Run(73, {{8, 4, {{0xF000, 1}, {0xC000, 0x13}},
                  {{0x8000, P(1)}, {0xA000, P(2)}, {0xC000, P(1)}, {0xD000, P(2)}}}});
  // Mapper 90: a register is two nibbles, low first; only the second write copies.
  Run(90, {{16, 4, {{0x8000, 3}}, {{0x8000, P(0)}}},
           {16, 4, {{0x8000, 0x21}, {0x8001, 0x11}, {0x9000, 6}, {0x9001, 0}, {0xA000, 9}},
                   {{0x8000, P(17)}, {0xC000, P(6)}}},
           {16, 4, {{0xA000, 9}, {0xA001, 0}}, {{0x0000, C(9)}}}});
  // Mapper 96: 8 KB in 4 KB steps to $8000, $C000, $E000.
  Run(96, {{8, 4, {{0xF000, 3}, {0xF004, 4}, {0xF001, 5}},
                  {{0x8000, P(1)}, {0x9000, P(2)}, {0xC000, P(2)}}}});
  Run(160, {{8, 4, {{0x8001, 5}, {0x8003, 6}, {0x8002, 4}, {0xB001, 1}, {0x9003, 7}},
                   {{0xA000, P(5)}, {0xC000, P(4)}, {0xE000, P(15)}, {0x0C00, C(7)}}}});
  Run(250, {{8, 4, {{0x8B06, 3}, {0x8E11, 4}, {0x8B07, 5}}, {{0x8000, P(3)}, {0xA000, P(4)}}}});
}

// A recorded window is copied again unless its record names the requested bank; the byte
// poked between the writes shows whether it was.
TEST_F(RegisterBoardTest, RecordedWindowsSkipOnlyTheSameBank) {
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

// With MapperFlag set, mapper 160 refuses CHR writes during the vertical blank; the others
// wait for the pattern cache rebuild at the next frame start.
TEST_F(RegisterBoardTest, Mapper160ChrWaitsForTheFrame) {
  LoadBoard(160, 8, 4);
  m().CpuWrite(0x9001, 9);
  EXPECT_EQ(At(0x0400), C(9));
  EXPECT_EQ(m().PatternsDirty, 1);
  m().CpuWrite(0xB001, 1);
  m().VblankPeriod = 1;
  m().CpuWrite(0x9001, 3);
  EXPECT_EQ(At(0x0400), C(9));
}

// Boards with bank registers of their own: each write reaches one window (or a pair).
#include <tuple>

#include "cart/board_test.h"

using RegisterBoardTest = BoardTest;

// 8 PRG units (16 banks of 8 KB) and 4 CHR units (32 pages of 1 KB) unless a case says
// otherwise; each case from power-on.
TEST_F(RegisterBoardTest, RegistersFillTheirWindows) {
  // Mapper 65: PRG reduced, 1 KB CHR at (address AND 7).
  Run(65, {{8, 4, {{0x8000, 3}, {0xA000, 17}, {0xC000, 4}, {0xB005, 3}, {0x9000, 2}},
                  {{0x8000, P(3)}, {0xA000, P(1)}, {0xC000, P(4)}, {0x1400, C(3)}, {0x1000, 0}}}});
  // Mapper 68: 2 KB CHR windows, each with its own record; 16 KB PRG at $8000.
  Run(68, {{8, 4, {{0x9000, 5}, {0xB000, 5}, {0xA000, 17}, {0xF000, 9}},
                  {{0x0800, C(10)}, {0x1C00, C(11)}, {0x1000, C(2)}, {0xA000, P(3)}}}});
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
  // 80: 2 KB CHR at any 1 KB page (bit 7 is the name-table bit), 1 KB CHR, 8 KB PRG in pairs.
  Run(80, {{16, 16, {{0x7EF0, 3}, {0x7EF1, 0x85}, {0x7EF5, 2}},
            {{0x07FF, C(4)}, {0x0800, C(5)}, {0x1C00, C(2)}}},
           {16, 16, {{0x7EFB, 35}, {0x7EFC, 4}, {0x7EFF, 5}},
            {{0x8000, P(3)}, {0xA000, P(4)}, {0xC000, P(5)}}},
           {16, 16, {{0x7EF6, 3}, {0x6000, 9}}, {{0x1000, C(4)}, {0x6000, 0}}}});
  // 91: 2 KB CHR by address bits 0-1; 8 KB PRG at $8000 or $A000 by address bit 0.
  Run(91, {{8, 32, {{0x6002, 5}, {0x6FFD, 9}}, {{0x1000, C(10)}, {0x17FF, C(11)}, {0x0800, C(18)}}},
           {8, 32, {{0x7001, 19}, {0x7FFE, 2}}, {{0xA000, P(3)}, {0x8000, P(2)}}}});
  Run(246, {{8, 4, {{0x6805, 0x42}, {0x6008, 0x42}}, {{0x6805, 0x42}, {0x6008, 0}}},
            {8, 4, {{0x6000, 7}, {0x6003, 9}}, {{0x8000, P(7)}, {0xE000, P(9)}}},
            {8, 4, {{0x6006, 18}}, {{0x1000, C(4)}, {0x17FF, C(5)}, {0x1800, C(6)}}}});
  // 16 PRG units (32 banks of 8 KB). Mapper 10: both latches start at $FE, so only the $FE
  // candidates show at once.
  Run(10, {{16, 4, {{0xC000, 3}, {0xB000, 2}}, {{0x0000, C(12)}}},
           {16, 4, {{0xE000, 9}, {0xD000, 2}}, {{0x1000, C(4)}}},  // 9 mod 8 banks of 4 KB
           {16, 4, {{0xA000, 3}, {0x8000, 5}}, {{0x8000, P(6)}, {0xC000, P(30)}}}});
  // Without CHR ROM a $FD tile flips the latch but has no store to copy from: the patterns
  // stay what the game drew.
  LoadBoard(10, 16, 0);
  std::memset(m().PpuMemory, kDrawn, 0x2000);
  m().PpuMemory[0x2000] = 0xFD;
  m().CpuMemory[kPpuMask] = 0x18;
  m().VramAddress = 0x2000;
  std::array<uint8_t, 256> row{}, base{};
  m().RenderScanline(row.data(), base.data(), 0);
  EXPECT_EQ(std::tuple(At(0x0000), At(0x0FFF), m().LineReload), std::tuple(kDrawn, kDrawn, 0xFD));
  // Mapper 6 swaps whole 8 KB CHR RAM banks: bank 1 is empty, and going back to bank 0
  // brings back what the game drew.
  Run(6, {{16, 0, {{0x8000, 0x05}}, {{0x8000, P(2)}, {0xC000, P(14)}, {0x0000, 0}}},
          {16, 0, {{0x8000, 0x05}, {0x8000, 0x04}}, {{0x0000, kDrawn}, {0x8000, P(2)}}},
          {16, 0, {{0x42F1, 0x00}, {0x8000, 0x05}}, {{0x8000, P(0)}, {0x0000, kDrawn}}},
          {16, 0, {{0x6000, 1}, {0x4504, 2}}, {{0x6000, 1}, {0x4504, 0}}}});
  Run(17, {{16, 4, {{0x4504, 3}, {0x4505, 4}, {0x4506, 5}, {0x4507, 38}},
            {{0x8000, P(3)}, {0xA000, P(4)}, {0xC000, P(5)}, {0xE000, P(6)}}},
           {16, 4, {{0x4512, 9}, {0x4517, 33}}, {{0x0800, C(9)}, {0x1C00, C(1)}}}});
  // Mapper 32 starts in the mode that sends $8FF0 banks to $C000.
  Run(32, {{16, 4, {{0x8FF0, 3}}, {{0x8000, P(0)}, {0xC000, P(3)}}},
           {16, 4, {{0x9FF0, 0}, {0x8FF5, 4}, {0xAFF0, 6}}, {{0x8000, P(4)}, {0xA000, P(6)}}},
           {16, 4, {{0xBFF5, 9}, {0xBFE5, 7}}, {{0x1400, C(9)}}}});
  Run(33, {{16, 4, {{0x8000, 5}, {0x8000, 0}, {0x8001, 3}}, {{0x8000, P(0)}, {0xA000, P(3)}}},
           {16, 4, {{0x8002, 3}, {0xA002, 9}}, {{0x0000, C(6)}, {0x0400, C(7)}, {0x1800, C(9)}}}});
  Run(48, {{16, 4, {{0x5115, 0x85}, {0x5114, 3}, {0x5116, 33}},
            {{0x8000, P(5)}, {0xA000, P(3)}, {0xC000, P(1)}, {0xE000, P(31)}}},
           {16, 4, {{0x5103, 6}, {0x6000, 7}, {0x8000, 1}},
            {{0xA000, P(6)}, {0x6000, 7}, {0x8000, P(31)}}}});
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

// Mapper 80's 2 KB registers move name-table pages through the scratch page by bit 7 and a
// state that starts at 1 at power-on. Tables start as A B C D.
TEST_F(RegisterBoardTest, Mapper80NameTableSteps) {
  struct Step {
    Write write;
    Tables4 tables;
    uint8_t scratch, state;
  };
  LoadBoard(80, 16, 16);
  FillTables({'A', 'B', 'C', 'D'});
  for (const Step& step : {Step{{0x7EF0, 0x00}, {'C', 'D', 'C', 'D'}, 'A', 3},
                           Step{{0x7EF0, 0x00}, {'C', 'D', 'C', 'D'}, 'A', 3},  // nothing moves
                           Step{{0x7EF0, 0x80}, {'A', 'A', 'C', 'D'}, 'A', 1},
                           Step{{0x7EF1, 0x00}, {'A', 'A', 'A', 'A'}, 'C', 0},
                           Step{{0x7EF1, 0x80}, {'A', 'A', 'C', 'C'}, 'C', 1}}) {
    m().CpuWrite(step.write.address, step.write.value);
    EXPECT_EQ(Tables(), step.tables);
    EXPECT_EQ(m().NameTableScratch[0], step.scratch);
    EXPECT_EQ(m().LineCounter, step.state);
  }
  EXPECT_EQ(m().OneScreenLow, 1);
  EXPECT_EQ(VerticalMirroring, 0u);
}

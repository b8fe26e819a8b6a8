#include "cart/board_test.h"

using RegisterBoardTest = BoardTest;

// 8 PRG units (16 banks of 8 KB) and 4 CHR units (32 pages of 1 KB) unless a case says
// otherwise. Banks written "as is" are read from the same store offsets as the image.
TEST_F(RegisterBoardTest, RegistersFillTheirWindows) {
  // Mapper 65: PRG at $8000/$A000/$C000 reduced; 1 KB CHR at (address AND 7), as written.
  Run(65, {
              {8, 4, {{0x8000, 3}, {0xA000, 17}, {0xC000, 4}},
               {{0x8000, P(3)}, {0xA000, P(1)}, {0xC000, P(4)}, {0xE000, P(15)}}},
              {8, 4, {{0xB005, 3}, {0x9000, 2}}, {{0x1400, C(3)}, {0x1000, 0}, {0x8000, P(0)}}},
              {8, 0, {{0xB000, 3}}, {{0x0000, kDrawn}}},  // CHR RAM keeps its tiles
          });
  // Mapper 68: 2 KB CHR windows, each its own record; 16 KB PRG at $8000.
  Run(68, {
              {8, 4, {{0x8000, 5}}, {{0x0000, C(10)}, {0x0400, C(11)}, {0x0800, C(2)}}},
              {8, 4, {{0x9000, 5}, {0xB000, 5}}, {{0x0800, C(10)}, {0x1800, C(10)}, {0x1C00, C(11)}}},
              {8, 4, {{0xA000, 17}, {0xA001, 3}}, {{0x1000, C(2)}}},
              {8, 4, {{0xF000, 9}}, {{0x8000, P(2)}, {0xA000, P(3)}, {0xC000, P(14)}}},
              {8, 0, {{0x8000, 1}}, {{0x0000, kDrawn}}},
          });
  // Mapper 69: command at $8000, argument at $A000.
  Run(69, {
              {8, 4, {{0x8000, 3}, {0xA000, 7}}, {{0x0C00, C(7)}}},
              {8, 4, {{0x8001, 9}, {0xA000, 5}}, {{0x0000, C(5)}, {0x8000, P(0)}}},
              {8, 4, {{0x8000, 0x19}, {0xA000, 5}, {0x8000, 10}, {0xA000, 6}},
               {{0x8000, P(5)}, {0xA000, P(6)}}},
              // The first write always copies, even a bank number of 0.
              {8, 4, {{0x8000, 11}, {0xA000, 0}, {0x8000, 10}, {0xA000, 16}},
               {{0xC000, P(0)}, {0xA000, P(0)}, {0xE000, P(15)}}},
              {8, 4, {{0x8000, 8}, {0xA000, 3}}, {{0x6000, P(3)}, {0x7FFF, P(3)}}},
              {8, 4, {{0x8000, 8}, {0xA000, 0x43}}, {{0x6000, 0}}},
          });
  // Mapper 73: 8 KB windows at $A000/$C000 start on 4 KB boundaries; $F000 in 8 KB steps.
  Run(73, {
              {8, 4, {{0xF000, 1}}, {{0x8000, P(1)}, {0xA000, P(2)}, {0xC000, P(14)}}},
              {8, 4, {{0xA000, 0x11}}, {{0xA000, P(0)}, {0xB000, P(1)}}},
              {8, 4, {{0xC000, 3}}, {{0xC000, P(1)}, {0xD000, P(2)}, {0xE000, P(15)}}},
          });
  // Mapper 90: a register is two nibbles; only the second write copies.
  Run(90, {
              {16, 4, {{0x8000, 3}}, {{0x8000, P(0)}}},
              {16, 4, {{0x8000, 3}, {0x8001, 0}}, {{0x8000, P(3)}}},
              {16, 4, {{0x8000, 0x21}, {0x8001, 0x11}}, {{0x8000, P(17)}}},
              {16, 4, {{0x8002, 5}, {0x8003, 0}, {0x9000, 6}, {0x9001, 0}},
               {{0xA000, P(5)}, {0xC000, P(6)}}},
              {16, 4, {{0xA000, 9}, {0xA001, 0}}, {{0x0000, C(9)}}},
          });
  // Mapper 96: 8 KB from 4 KB steps to $8000, $C000, $E000.
  Run(96, {
              {8, 4, {{0xF000, 3}}, {{0x8000, P(1)}, {0x9000, P(2)}}},
              {8, 4, {{0xF004, 4}, {0xF005, 1}}, {{0xC000, P(2)}, {0xE000, P(0)}, {0xF000, P(1)}}},
              {8, 4, {{0xF001, 3}}, {{0x8000, P(0)}}},
          });
  // Mapper 160: three exact PRG registers, 1 KB CHR at (address AND 7).
  Run(160, {
               {8, 4, {{0x8001, 5}, {0x8003, 6}}, {{0xA000, P(5)}, {0xE000, P(15)}}},
               {8, 4, {{0x8002, 4}}, {{0xC000, P(4)}}},
               {8, 4, {{0xB001, 1}, {0x9003, 7}}, {{0x0C00, C(7)}}},
           });
  Run(250, {{8, 4, {{0x8B06, 3}, {0x8E11, 4}, {0x8B07, 5}}, {{0x8000, P(3)}, {0xA000, P(4)}}}});
}

// A recorded window is copied again unless its record names the requested bank; the byte
// poked between the writes shows whether it was.
TEST_F(RegisterBoardTest, RecordedWindowsSkipOnlyTheSameBank) {
  struct Case {
    uint8_t mapper, chrUnits;
    std::vector<Write> first, second;
    uint16_t window;
    uint8_t expected;
  };
  const Case cases[] = {
      {69, 4, {{0x8000, 9}, {0xA000, 5}}, {{0xA000, 5}}, 0x8000, 0x77},
      {69, 4, {{0x8000, 9}, {0xA000, 5}}, {{0xA000, 6}}, 0x8000, P(6)},
      {68, 4, {{0xF000, 3}}, {{0xF000, 3}}, 0xA000, 0x77},
      {68, 4, {{0x9000, 3}}, {{0x9000, 3}}, 0x0C00, 0x77},
      {68, 4, {{0x9000, 3}}, {{0xB000, 3}}, 0x1C00, C(7)},
      // 1 KB page 256 does not fit a record: it must not pass for page 0.
      {68, 64, {{0x8000, 128}}, {{0x8000, 0}}, 0x0000, C(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << " $" << std::hex << c.window);
    LoadBoard(c.mapper, 8, c.chrUnits);
    for (const Write& w : c.first) m().CpuWrite(w.address, w.value);
    (c.window < 0x2000 ? m().PpuMemory : m().CpuMemory)[c.window] = 0x77;
    for (const Write& w : c.second) m().CpuWrite(w.address, w.value);
    EXPECT_EQ(At(c.window), c.expected);
  }
}

// The CHR of mapper 160 reaches the pattern cache at the next frame start, and with
// MapperFlag set it is refused while the vertical blank lasts.
TEST_F(RegisterBoardTest, Mapper160ChrWaitsForTheFrame) {
  LoadBoard(160, 8, 4);
  m().PatternsDirty = 0;
  m().CpuWrite(0x9001, 9);
  EXPECT_EQ(At(0x0400), C(9));
  EXPECT_EQ(m().PatternsDirty, 1);
  m().CpuWrite(0xB001, 1);
  m().VblankPeriod = 1;
  m().CpuWrite(0x9001, 3);
  EXPECT_EQ(At(0x0400), C(9));
}

TEST_F(RegisterBoardTest, MirroringRegisters) {
  struct Case {
    uint8_t mapper;
    std::vector<Write> writes;
    Tables4 after;
  };
  // From the vertical layout A B A B.
  const Case cases[] = {
      {68, {{0xE000, 0}}, {'A', 'A', 'B', 'B'}},
      {68, {{0xE000, 2}}, {'A', 'A', 'A', 'A'}},
      {68, {{0xE000, 3}}, {'B', 'B', 'B', 'B'}},
      {68, {{0xE000, 3}, {0xE000, 1}}, {'A', 'B', 'A', 'B'}},
      {69, {{0x8000, 12}, {0xA000, 1}}, {'A', 'A', 'B', 'B'}},
      {69, {{0x8000, 12}, {0xA000, 2}, {0xA000, 0}}, {'A', 'B', 'A', 'B'}},
      {69, {{0x8000, 12}, {0xA000, 3}}, {'B', 'B', 'B', 'B'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << " " << c.writes.size());
    LoadBoard(c.mapper, 8, 4, 1);
    FillTables({'A', 'B', 'A', 'B'});
    for (const Write& w : c.writes) m().CpuWrite(w.address, w.value);
    EXPECT_EQ(Tables(), c.after);
  }
}

// Registers kept only for study write the address and the value to the log.
TEST_F(RegisterBoardTest, LoggedWrites) {
  struct Case {
    uint8_t mapper;
    Write write;
    const char* log;
  };
  const Case cases[] = {
      {65, {0xE000, 5}, "57344\n5\n"},     {65, {0x9000, 5}, ""},
      {68, {0xE001, 2}, ""},                {68, {0xE000, 2}, "2\n"},
      {73, {0x8000, 1}, "32768\n1\n"},      {96, {0x1234 | 0x8000, 7}, "37428\n7\n"},
      {160, {0xD000, 9}, "PA53248\n9\n"},   {160, {0xC000, 9}, ""},
      {250, {0x8B06, 1}, "35590\n1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper));
    LoadBoard(c.mapper, 8, 4);
    LogStart();
    m().CpuWrite(c.write.address, c.write.value);
    EXPECT_EQ(ReadLog(), c.log);
  }
}

TEST_F(RegisterBoardTest, CounterRegistersDriveTheIrq) {
  RunCounterCases({
      // Mapper 69: 16-bit counter, 114 cycles a line, fires below $81: $1D6 on the third line.
      {69, {{0x8000, 14}, {0xA000, 0xD6}, {0x8000, 15}, {0xA000, 1}, {0x8000, 13}, {0xA000, 1}},
       3},
      {69, {{0x8000, 14}, {0xA000, 0xD6}, {0x8000, 15}, {0xA000, 1}, {0x8000, 13}, {0xA000, 0}},
       0},
      {73, {{0xD000, 3}, {0xB000, 1}}, 3},
      {73, {{0xD000, 3}, {0xB000, 0}}, 0},
      {160, {{0xC001, 3}, {0xC000, 0}}, 3},
      {160, {{0xC001, 3}, {0xC000, 0}, {0xC003, 5}}, 5},
      {160, {{0xC001, 3}, {0xC000, 0}, {0xC002, 0}}, 0},
  });
}

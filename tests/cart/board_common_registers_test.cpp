// The registers most families share, one table each over the boards: name-table mirroring,
// the scanline counter, and writes a board does not decode, which are only logged.
#include "cart/board_test.h"

using CommonRegistersTest = BoardTest;

// From the vertical layout A B A B: the tables after the write and, where the board sets it,
// VerticalMirroring (-1: not checked). Value 2 of the VRC-style registers always shows page
// A, 3 page B. Mapper 68 reads 0 as horizontal; mappers 64 and 225 set the flag alone.
TEST_F(CommonRegistersTest, MirroringRegisters) {
  const struct {
    uint8_t mapper;
    Write write;
    Tables4 tables;
    int vertical = -1;
  } cases[] = {
      {74, {0xA000, 1}, {'A', 'A', 'B', 'B'}, 0},  {118, {0xA000, 0}, {'A', 'A', 'B', 'B'}, 0},
      {115, {0xA000, 1}, {'A', 'B', 'A', 'B'}, 1}, {249, {0xA800, 1}, {'A', 'A', 'B', 'B'}, 0},
      {249, {0xA000, 1}, {'A', 'B', 'A', 'B'}, 1}, {64, {0xA000, 0}, {'A', 'B', 'A', 'B'}, 0},
      {68, {0xE000, 0}, {'A', 'A', 'B', 'B'}, 0},  {68, {0xE000, 3}, {'B', 'B', 'B', 'B'}, 1},
      {69, {0xA000, 1}, {'A', 'A', 'B', 'B'}, 0},  {69, {0xA000, 2}, {'A', 'A', 'A', 'A'}, 1},
      {21, {0x9000, 1}, {'A', 'A', 'B', 'B'}},     {22, {0x9000, 3}, {'B', 'B', 'B', 'B'}},
      {23, {0x9000, 0xFF}, {'A', 'A', 'B', 'B'}},  {25, {0x9000, 2}, {'A', 'A', 'A', 'A'}},
      {25, {0x9001, 1}, {'A', 'B', 'A', 'B'}},  // the PRG-target register, not mirroring
      {24, {0xB003, 0x2C}, {'B', 'B', 'B', 'B'}},  {24, {0xB003, 0x25}, {'A', 'B', 'A', 'B'}},
      {16, {0x6009, 2}, {'A', 'A', 'A', 'A'}},     {18, {0xF002, 1}, {'A', 'A', 'B', 'B'}},
      {10, {0xF000, 1}, {'A', 'A', 'B', 'B'}},     {32, {0x9FF0, 1}, {'A', 'A', 'B', 'B'}},
      {33, {0x8000, 0x00}, {'A', 'A', 'B', 'B'}},  {6, {0x42FE, 0x10}, {'B', 'B', 'B', 'B'}},
      {6, {0x42FF, 0x10}, {'A', 'A', 'B', 'B'}},   {17, {0x42FE, 0x10}, {'B', 'B', 'A', 'B'}},
      {70, {0xC080, 0x80}, {'A', 'A', 'B', 'B'}, 0}, {70, {0xC080, 0}, {'A', 'B', 'A', 'B'}, 1},
      {227, {0x8000, 0}, {'A', 'A', 'B', 'B'}, 0}, {227, {0x8002, 0}, {'A', 'B', 'A', 'B'}, 1},
      {240, {0x4800, 1}, {'A', 'A', 'B', 'B'}, 0}, {225, {0xA000, 0}, {'A', 'B', 'A', 'B'}, 0},
      {41, {0x602C, 0}, {'A', 'A', 'B', 'B'}, 0},  {41, {0x6000, 0}, {'A', 'B', 'A', 'B'}, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << " $" << std::hex
                                    << c.write.address << " value " << int(c.write.value));
    LoadBoard(c.mapper, 8, 16, 1);
    m().OneScreenLow = 0;
    FillTables({'A', 'B', 'A', 'B'});
    if (c.mapper == 69) m().CpuWrite(0x8000, 12);  // the mirroring command
    m().CpuWrite(c.write.address, c.write.value);
    EXPECT_EQ(Tables(), c.tables);
    if (c.vertical >= 0) {
      EXPECT_EQ(VerticalMirroring, uint32_t(c.vertical));
    }
  }
  // On a four-screen image tables 2 and 3 are the cartridge's own RAM: no arrangement change
  // copies over them, whichever board makes it.
  for (const auto& [mapper, write] :
       {std::pair<uint8_t, Write>{10, {0xF000, 1}}, {10, {0xF000, 0}}, {33, {0x8000, 0x00}},
        {7, {0x8000, 0x10}}, {21, {0x9000, 2}}, {6, {0x42FF, 0x10}}, {17, {0x42FE, 0x00}}}) {
    SCOPED_TRACE(testing::Message() << "four-screen mapper " << int(mapper));
    LoadBoard(mapper, 8, 16, 0x08);
    FillTables({'A', 'B', 'C', 'D'});
    m().CpuWrite(write.address, write.value);
    EXPECT_EQ(std::pair(Tables()[2], Tables()[3]), std::pair(uint8_t{'C'}, uint8_t{'D'}));
  }
}

// Counter registers written through the bus, then the line on which the frame loop's counter
// steps take the IRQ (the counters' arithmetic itself is the counter table's business).
TEST_F(CommonRegistersTest, CounterRegistersDriveTheIrq) {
  RunCounterCases({
      {4, {{0xC000, 4}, {0xE001, 0}}, 5},
      {118, {{0xC001, 2}, {0xC000, 4}, {0xE001, 0}}, 5},
      {245, {{0xC000, 4}, {0xE001, 0}}, 4},  // as written, no plus one
      {249, {{0xC800, 4}, {0xE801, 1}}, 5},
      {249, {{0xC800, 4}, {0xE801, 0}}, 0},
      // Mapper 69: 16-bit counter less 114 a line, fires below $81: $1D6 on the third line.
      {69, {{0x8000, 14}, {0xA000, 0xD6}, {0x8000, 15}, {0xA000, 1}, {0x8000, 13}, {0xA000, 1}}, 3},
      {73, {{0xD000, 3}, {0xB000, 1}}, 3},
      {160, {{0xC001, 3}, {0xC000, 0}}, 3},
      {160, {{0xC001, 3}, {0xC000, 0}, {0xC003, 5}}, 5},
      {6, {{0x4502, 0x00}, {0x4503, 0xFF}}, 2},
      {6, {{0x4502, 0x00}, {0x4503, 0xFF}, {0x4501, 0}}, 0},
      {16, {{0x800B, 0xF4}, {0x800C, 0x01}, {0x800A, 1}}, 5},
      {16, {{0x600B, 0xF4}, {0x600C, 0x01}, {0x600A, 1}}, 5},
      {18, {{0xE000, 0x64}, {0xE002, 0x01}, {0xF000, 0}, {0xF001, 2}}, 0},
      {19, {{0x5000, 0x8D}, {0x5800, 0xFF}}, 2},
      // The VRC counters count up from their latch ($FD) and fire at $FF; 23 already at $FD.
      {21, {{0xF000, 0xD}, {0xF002, 0xF}, {0xF004, 2}}, 2},
      {23, {{0xF000, 0xD}, {0xF004, 0xF}, {0xF008, 2}}, 1},
      {24, {{0xF000, 0xFD}, {0xF001, 2}}, 2},
      {25, {{0xF008, 0xF}, {0xF000, 0xD}, {0xF004, 2}}, 2},
      {26, {{0xF000, 0xDB}, {0xF002, 3}}, 3},  // 40 lines more than written
  });
}

// Boards recognised without banking only log: the address, then the value. Cartridge RAM
// and sound registers are never logged.
TEST_F(CommonRegistersTest, LoggedWrites) {
  const std::vector<Write> plain = {{0x8123, 0x42}, {0x6000, 0x42}, {0x4015, 0x42}};
  const struct {
    uint8_t mapper;
    std::vector<Write> writes;
    const char* log;
  } cases[] = {
      {89, plain, "33059\n66\n"},         {241, plain, "W33059\n66\n"},
      {240, {{0x8123, 0x42}, {0x5000, 7}}, "33059\n66\n20480\n7\n"},  // its low range too
      {65, {{0xE000, 5}}, "57344\n5\n"},  {65, {{0x9000, 5}}, ""},
      {68, {{0xE000, 2}}, "2\n"},         {73, {{0x8000, 1}}, "32768\n1\n"},
      {96, {{0x9234, 7}}, "37428\n7\n"},  {160, {{0xD000, 9}}, "PA53248\n9\n"},
      {250, {{0x8B06, 1}}, "35590\n1\n"}, {161, {{0x9000, 7}}, "36864\n7\n"},
      {161, {{0x8001, 7}}, ""},           {161, {{0x7001, 7}}, "28673\n"},
      {249, {{0xE801, 0}}, "59393\n0\n"}, {249, {{0x6001, 0}}, ""},
      {33, {{0x8004, 9}}, "32772\n9\n"},
      // Mapper 6 logs its $4500 value, and high-range writes once out of copier mode.
      {6, {{0x4500, 77}, {0x42F0, 0x40}, {0x8000, 5}}, "77\n5\n"},
      {48, {{0x5114, 0x81}, {0x5114, 0x01}}, "Q"},  // bit 7 set: no "Q"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << " $" << std::hex
                                    << c.writes[0].address);
    LoadBoard(c.mapper, 8, 4);
    LogStart();
    for (const Write& w : c.writes) m().CpuWrite(w.address, w.value);
    EXPECT_EQ(ReadLog(), c.log);
  }
}

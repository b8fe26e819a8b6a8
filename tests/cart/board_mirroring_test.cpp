// Name-table mirroring on every board: the mirroring registers as one table, then the boards
// that move pages in ways of their own.
#include "cart/board_test.h"

namespace {

using BoardMirroringTest = BoardTest;

// From the vertical layout A B A B: the tables after the write and, where the board sets it,
// VerticalMirroring (-1: not checked). Value 2 of the VRC-style registers always shows page
// A, 3 page B. Mapper 68 reads 0 as horizontal; mappers 64 and 225 set the flag alone.
TEST_F(BoardMirroringTest, MirroringRegisters) {
  const struct {
    uint8_t mapper;
    Write write;
    Tables4 tables;
    int vertical = -1;
  } cases[] = {
      {74, {0xA000, 1}, {'A', 'A', 'B', 'B'}, 0},    {118, {0xA000, 0}, {'A', 'A', 'B', 'B'}, 0},
      {115, {0xA000, 1}, {'A', 'B', 'A', 'B'}, 1},   {249, {0xA800, 1}, {'A', 'A', 'B', 'B'}, 0},
      {249, {0xA000, 1}, {'A', 'B', 'A', 'B'}, 1},   {64, {0xA000, 0}, {'A', 'B', 'A', 'B'}, 0},
      {68, {0xE000, 0}, {'A', 'A', 'B', 'B'}, 0},    {68, {0xE000, 3}, {'B', 'B', 'B', 'B'}, 1},
      {69, {0xA000, 1}, {'A', 'A', 'B', 'B'}, 0},    {69, {0xA000, 2}, {'A', 'A', 'A', 'A'}, 1},
      {21, {0x9000, 1}, {'A', 'A', 'B', 'B'}},       {22, {0x9000, 3}, {'B', 'B', 'B', 'B'}},
      {23, {0x9000, 0xFF}, {'A', 'A', 'B', 'B'}},    {25, {0x9000, 2}, {'A', 'A', 'A', 'A'}},
      {25, {0x9001, 1}, {'A', 'B', 'A', 'B'}},  // the PRG-target register, not mirroring
      {24, {0xB003, 0x2C}, {'B', 'B', 'B', 'B'}},    {24, {0xB003, 0x25}, {'A', 'B', 'A', 'B'}},
      {16, {0x6009, 2}, {'A', 'A', 'A', 'A'}},       {18, {0xF002, 1}, {'A', 'A', 'B', 'B'}},
      {10, {0xF000, 1}, {'A', 'A', 'B', 'B'}},       {32, {0x9FF0, 1}, {'A', 'A', 'B', 'B'}},
      {33, {0x8000, 0x00}, {'A', 'A', 'B', 'B'}},    {6, {0x42FE, 0x10}, {'B', 'B', 'B', 'B'}},
      {6, {0x42FF, 0x10}, {'A', 'A', 'B', 'B'}},     {17, {0x42FE, 0x10}, {'B', 'B', 'A', 'B'}},
      {70, {0xC080, 0x80}, {'A', 'A', 'B', 'B'}, 0}, {70, {0xC080, 0}, {'A', 'B', 'A', 'B'}, 1},
      {227, {0x8000, 0}, {'A', 'A', 'B', 'B'}, 0},   {227, {0x8002, 0}, {'A', 'B', 'A', 'B'}, 1},
      {240, {0x4800, 1}, {'A', 'A', 'B', 'B'}, 0},   {225, {0xA000, 0}, {'A', 'B', 'A', 'B'}, 0},
      {41, {0x602C, 0}, {'A', 'A', 'B', 'B'}, 0},    {41, {0x6000, 0}, {'A', 'B', 'A', 'B'}, 1},
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
  // clang-format off
  for (const auto& [mapper, write] : {std::pair<uint8_t, Write>{10, {0xF000, 1}}, {10, {0xF000, 0}},
       {33, {0x8000, 0}}, {7, {0x8000, 0x10}}, {21, {0x9000, 2}}, {6, {0x42FF, 0x10}},
       {17, {0x42FE, 0}}}) {
    // clang-format on
    SCOPED_TRACE(testing::Message() << "four-screen mapper " << int(mapper));
    LoadBoard(mapper, 8, 16, 0x08);
    FillTables({'A', 'B', 'C', 'D'});
    m().CpuWrite(write.address, write.value);
    EXPECT_EQ(std::pair(Tables()[2], Tables()[3]), std::pair(uint8_t{'C'}, uint8_t{'D'}));
  }
}

// Boards that move pages in ways of their own, step by step from the tables' starting pages:
// a CPU address is a register write (MMC1's through its serial port), a PPU address a store
// into a table. The tables after each step.
// MMC1: one-screen with bit 0 set still shows page A; back to two screens, page B returns.
// Mapper 7: only page A lives in the tables under one-screen mirroring; page B waits in the
// scratch, and a store on page B reaches all four tables.
// Namco: NT0-NT1 start on console page 0, NT2-NT3 on page 1 (four-screen); a ROM page covers
// a table and saves the console page under it until a value of $E0 or more brings it back
// (ROM over ROM keeps the saved page; a second $E1 changes nothing).
TEST_F(BoardMirroringTest, PagesMoveStepByStep) {
  struct Step {
    Write write;
    Tables4 tables;
  };
  const struct {
    uint8_t mapper, prgUnits, chrUnits, flags6;
    Tables4 start;
    std::vector<Step> steps;
  } cases[] = {
      // clang-format off
      {1, 8, 4, 0, {'A', 'A', 'B', 'B'},
       {{{0x8000, 2}, {'A', 'B', 'A', 'B'}}, {{0x8000, 3}, {'A', 'A', 'B', 'B'}},
        {{0x8000, 1}, {'A', 'A', 'A', 'A'}}, {{0x8000, 0}, {'A', 'A', 'A', 'A'}},
        {{0x8000, 2}, {'A', 'B', 'A', 'B'}}, {{0x2000, 'x'}, {'x', 'B', 'x', 'B'}},
        {{0x8000, 0}, {'x', 'x', 'x', 'x'}}, {{0x8000, 3}, {'x', 'x', 'B', 'B'}}}},
      {7, 4, 0, 1, {'A', 'B', 'A', 'B'},
       {{{0x8000, 0}, {'A', 'A', 'A', 'A'}}, {{0x8000, 8}, {'B', 'B', 'B', 'B'}},
        {{0x2C00, 'b'}, {'b', 'b', 'b', 'b'}}, {{0x8000, 0}, {'A', 'A', 'A', 'A'}},
        {{0x8000, 0}, {'A', 'A', 'A', 'A'}}, {{0x8000, 8}, {'b', 'b', 'b', 'b'}}}},
      {19, 8, 8, 0, {'a', 'b', 'c', 'd'},
       {{{0xC000, 5}, {C(5), 'b', 'c', 'd'}}, {{0xD800, 7}, {C(5), 'b', 'c', C(7)}},
        {{0xC000, 6}, {C(6), 'b', 'c', C(7)}}, {{0xC000, 0xE0}, {'a', 'b', 'c', C(7)}},
        {{0xDFFF, 0xE1}, {'a', 'b', 'c', 'd'}}, {{0x2000, 'x'}, {'x', 'b', 'c', 'd'}},
        {{0xC000, 0xE1}, {'x', 'b', 'c', 'd'}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    LoadBoard(c.mapper, c.prgUnits, c.chrUnits, c.flags6);
    FillTables(c.start);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Write w = c.steps[i].write;
      if (w.address < 0x4000)
        m().PpuMemoryWrite(w.address, w.value);
      else
        c.mapper == 1 ? Mmc1Serial(w.address, w.value) : m().CpuWrite(w.address, w.value);
      EXPECT_EQ(Tables(), c.steps[i].tables) << "mapper " << int(c.mapper) << " step " << i;
    }
  }
}

// The arrangement is copied only when it changes, and never under four-screen.
TEST_F(BoardMirroringTest, Mmc3MirroringCopiesOnlyOnChangeAndNeverUnderFourScreen) {
  LoadBoard(4, 8, 4);
  FillTables({'A', 'A', 'B', 'B'});
  m().CpuWrite(0xA000, 0);
  EXPECT_EQ(Tables(), (Tables4{'A', 'B', 'A', 'B'}));
  m().PpuMemory[0x2800] = 'Z';
  m().CpuWrite(0xBFFE, 0);  // a mirror of $A000, same arrangement: no copy
  EXPECT_EQ(m().PpuMemory[0x2800], 'Z');
  m().CpuWrite(0xA000, 1);
  EXPECT_EQ(Tables(), (Tables4{'A', 'A', 'B', 'B'}));
  LoadBoard(4, 8, 4, 0x08);
  FillTables({'A', 'B', 'C', 'D'});
  m().CpuWrite(0xA000, 0);
  m().CpuWrite(0xA000, 1);
  EXPECT_EQ(Tables(), (Tables4{'A', 'B', 'C', 'D'}));
}

// Mapper 80's 2 KB registers move name-table pages through the scratch page by bit 7 and a
// state that starts at 1 at power-on. Tables start as A B C D.
TEST_F(BoardMirroringTest, Mapper80NameTableSteps) {
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

}  // namespace

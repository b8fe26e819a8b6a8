// Name-table mirroring on every board: the mirroring registers as one table, then the boards
// that move pages in ways of their own.
#include "cart/board_test.h"

namespace {

using BoardMirroringTest = BoardTest;

// From the vertical layout A B A B: the tables after the writes and, where the board sets it,
// VerticalMirroring (-1: not checked). Value 2 of the VRC-style registers always shows page
// A, 3 page B. Mapper 68 reads 0 as horizontal; mappers 64 and 225 set the flag alone.
TEST_F(BoardMirroringTest, MirroringRegisters) {
  const struct {
    uint8_t mapper;
    const char *writes, *tables;
    int vertical = -1;
  } cases[] = {
      // clang-format off
      {74, "A000=1", "AABB", 0}, {118, "A000=0", "AABB", 0}, {115, "A000=1", "ABAB", 1},
      {249, "A800=1", "AABB", 0}, {249, "A000=1", "ABAB", 1}, {64, "A000=0", "ABAB", 0},
      {68, "E000=0", "AABB", 0}, {68, "E000=3", "BBBB", 1}, {69, "8000=C A000=1", "AABB", 0},
      {69, "8000=C A000=2", "AAAA", 1}, {21, "9000=1", "AABB"}, {22, "9000=3", "BBBB"},
      {23, "9000=FF", "AABB"}, {25, "9000=2", "AAAA"},
      {25, "9001=1", "ABAB"},  // the PRG-target register, not mirroring
      {24, "B003=2C", "BBBB"}, {24, "B003=25", "ABAB"}, {16, "6009=2", "AAAA"},
      {18, "F002=1", "AABB"}, {10, "F000=1", "AABB"}, {32, "9FF0=1", "AABB"},
      {33, "8000=0", "AABB"}, {6, "42FE=10", "BBBB"}, {6, "42FF=10", "AABB"},
      {17, "42FE=10", "BBAB"}, {70, "C080=80", "AABB", 0}, {70, "C080=0", "ABAB", 1},
      {227, "8000=0", "AABB", 0}, {227, "8002=0", "ABAB", 1}, {240, "4800=1", "AABB", 0},
      {225, "A000=0", "ABAB", 0}, {41, "602C=0", "AABB", 0}, {41, "6000=0", "ABAB", 1},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << ": " << c.writes);
    LoadBoard(c.mapper, 8, 16, 1);
    m().OneScreenLow = 0;
    FillTables("ABAB");
    RunScript(c.writes);
    EXPECT_EQ(Tables(), c.tables);
    if (c.vertical >= 0) EXPECT_EQ(VerticalMirroring, uint32_t(c.vertical));
  }
  // On a four-screen image tables 2 and 3 are the cartridge's own RAM: no arrangement change
  // copies over them, whichever board makes it.
  // clang-format off
  for (const auto& [mapper, writes] : {std::pair<uint8_t, const char*>{10, "F000=1"},
       {10, "F000=0"}, {33, "8000=0"}, {7, "8000=10"}, {21, "9000=2"}, {6, "42FF=10"},
       {17, "42FE=0"}, {4, "A000=0 A000=1"}}) {
    // clang-format on
    SCOPED_TRACE(testing::Message() << "four-screen mapper " << int(mapper));
    LoadBoard(mapper, 8, 16, 0x08);
    FillTables("ABCD");
    RunScript(writes);
    EXPECT_EQ(Tables().substr(2), "CD");
  }
}

// Mapper 80's 2 KB registers move name-table pages through the scratch page by bit 7 and a
// state that starts at 1 at power-on. Tables start as A B C D.
TEST_F(BoardMirroringTest, Mapper80NameTableSteps) {
  // {writes and tables, then the scratch page's marker and the state}
  const std::tuple<const char*, char, int> steps[] = {
      {"7EF0=0 NT:CDCD", 'A', 3},
      {"7EF0=0 NT:CDCD", 'A', 3},  // the second moves nothing
      {"7EF0=80 NT:AACD", 'A', 1},
      {"7EF1=0 NT:AAAA", 'C', 0},
      {"7EF1=80 NT:AACC", 'C', 1}};
  LoadBoard(80, 16, 16);
  FillTables("ABCD");
  for (const auto& [script, scratch, state] : steps) {
    RunScript(script);
    EXPECT_EQ(std::pair(char(m().NameTableScratch[0]), int{m().LineCounter}),
              std::pair(scratch, state))
        << script;
  }
  EXPECT_EQ(std::pair(int{m().OneScreenLow}, VerticalMirroring), std::pair(1, 0u));
}

}  // namespace

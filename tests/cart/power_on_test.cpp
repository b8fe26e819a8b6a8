#include "cart/board_test.h"

namespace {

// PRG layouts on a 16-unit image, as the 8 KB bank in each window (0xFF: left empty).
using Banks = std::array<uint8_t, 4>;
constexpr Banks kFirstLast{0, 1, 30, 31}, kFirst32k{0, 1, 2, 3}, kLast8k{31, 31, 31, 31},
    kLast32k{28, 29, 30, 31};
// CHR layouts: which 1 KB pages land at $0000 and $1000, and whether they need CHR ROM.
enum class Chr { First, FirstIfRom, None, Last, Split184 };

struct PowerOn {
  uint8_t mapper;
  Banks prg;
  Chr chr;
};

}  // namespace

using PowerOnTest = BoardTest;

// The registers each board starts from show in the write table, whose scripts all begin at
// power-on; here the windows of all 64 boards, with CHR ROM and with CHR RAM, and the refusal
// of every other board.
TEST_F(PowerOnTest, EveryBoardStartsWithItsWindows) {
  using enum Chr;
  const PowerOn boards[] = {
      // clang-format off
      {0, kFirst32k, FirstIfRom}, {1, kFirstLast, First}, {2, kFirstLast, None},
      {3, {0xFF, 0xFF, 0xFF, 0xFF}, First}, {4, kFirstLast, FirstIfRom}, {5, kFirstLast, First},
      {6, {0, 1, 14, 15}, None}, {7, kFirst32k, None}, {8, kFirst32k, First},
      {10, kFirstLast, First}, {11, kFirst32k, First}, {15, kFirst32k, None}, {16, kFirstLast, None},
      {17, kFirstLast, None}, {18, kFirstLast, First}, {19, {0xFF, 0xFF, 0xFF, 31}, Last},
      {21, kFirstLast, None}, {22, kFirstLast, First}, {23, kFirstLast, None},
      {24, kFirstLast, FirstIfRom}, {25, kFirstLast, None}, {26, kFirstLast, First},
      {32, kFirstLast, First}, {33, kFirstLast, FirstIfRom}, {34, kFirst32k, FirstIfRom},
      {41, kFirst32k, First}, {48, kLast8k, First}, {64, kLast8k, FirstIfRom},
      {65, kFirstLast, None}, {66, kFirst32k, First}, {68, kFirstLast, First},
      {69, kFirstLast, First}, {70, kFirstLast, First}, {71, kFirstLast, None},
      {73, kFirstLast, First}, {74, kFirstLast, FirstIfRom}, {78, kFirstLast, FirstIfRom},
      {79, kFirstLast, FirstIfRom}, {80, kFirstLast, First}, {87, kFirstLast, First},
      {89, kFirstLast, First}, {90, kFirstLast, None}, {91, {30, 31, 30, 31}, None},
      {96, kFirstLast, FirstIfRom}, {112, kFirstLast, First}, {115, kFirstLast, First},
      {118, kFirstLast, First}, {160, kFirstLast, First}, {161, kFirstLast, First},
      {184, kFirstLast, Split184}, {185, kFirst32k, First}, {225, kFirst32k, First},
      {227, {0, 1, 0, 1}, None}, {228, kLast32k, First}, {231, kFirstLast, None},
      {232, kFirstLast, None}, {240, kFirstLast, First}, {241, kLast32k, None},
      {242, kFirstLast, FirstIfRom}, {245, kFirstLast, None}, {246, kFirstLast, First},
      {249, kFirstLast, First}, {250, kFirstLast, First}, {254, kFirstLast, First},
      // clang-format on
  };
  ASSERT_EQ(std::size(boards), 64u);
  for (const PowerOn& board : boards) {
    for (uint8_t chrUnits : {4, 0}) {
      SCOPED_TRACE(testing::Message()
                   << "mapper " << int(board.mapper) << ", " << int(chrUnits) << " CHR units");
      NewConsole();
      std::memset(m().PpuMemory, kDrawn, 0x2000);  // what a game drew into CHR RAM
      ASSERT_EQ(Load(Image(board.mapper, 16, chrUnits)), kLoadOk);
      // The PPU status tells the game whether the cartridge has CHR ROM.
      EXPECT_EQ(m().CpuMemory[kPpuStatus] & 0x10, chrUnits ? 0x10 : 0);
      for (int w = 0; w < 4; ++w)
        EXPECT_EQ(At(0x8000 + w * 0x2000), board.prg[w] == 0xFF ? 0 : P(board.prg[w]))
            << "PRG window " << w;
      // Pages at $0000 and $1000; kDrawn where nothing was copied, 0 from an empty store.
      const bool copied = board.chr != None && (chrUnits || board.chr != FirstIfRom);
      const int first = board.chr == Last ? 24 : board.chr == Split184 ? 8 : 0;
      const auto page = [&](int k) -> uint8_t {
        return !copied ? kDrawn : chrUnits ? C(first + k) : 0;
      };
      EXPECT_EQ(std::pair(At(0x0000), At(0x1000)), std::pair(page(0), page(4)));
      EXPECT_EQ(m().OneScreenLow, board.mapper == 118 ? 1 : 0);
    }
  }
  // Every other mapper number is refused; 248 loads as 4.
  for (int mapper = 0; mapper < 256; ++mapper) {
    if (mapper != 248 && !std::ranges::count(boards, mapper, &PowerOn::mapper)) {
      EXPECT_EQ(Load(Image(static_cast<uint8_t>(mapper))), kLoadUnsupportedMapper) << mapper;
    }
  }
  // "The last 32 KB" of a 16 KB image is its one unit twice, so its vectors sit at $FFFA.
  for (uint8_t mapper : {228, 241}) {
    ASSERT_EQ(Load(Image(mapper, 1, 0)), kLoadOk);
    EXPECT_EQ(std::pair(At(0x8000), At(0xFFFF)), std::pair(P(0), P(1))) << int(mapper);
  }
}

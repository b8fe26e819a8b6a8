// Test cartridges that draw known pictures (tests/roms/ppu_*.s), checked on the screen.
#include <vector>

#include "core/globals.h"
#include "frame/emulate_frame.h"
#include "support/cartridge_run.h"

namespace {

// A pixel of a picture and its colour.
struct Check {
  int x, y;
  uint8_t colour;
};

class PictureRomTest : public CartridgeTest {
 protected:
  static void ExpectPixels(const std::vector<Check>& checks) {
    for (const auto& c : checks) EXPECT_EQ(Pixel(c.x, c.y), c.colour) << c.x << "," << c.y;
  }
};

// ppu_scroll: red table 0 scrolled to (100, 50), blue table 1 from x 156, the attribute
// quadrants from the top of table 0's mirror at x 28-59, y 190-221, the left 8 columns hidden.
// Both cores draw the same picture: the runner's test compares their hashes.
TEST_F(PictureRomTest, ScrolledBackgroundAcrossNameTablesWithAttributesAndMask) {
  Start("ppu_scroll.nes");
  Frames(5);
  // clang-format off
  ExpectPixels({
      {7, 100, 0x0F}, {8, 100, 0x16},                    // left column hidden, then shown
      {155, 0, 0x16}, {156, 0, 0x12},                    // table 0 up to x 155, then table 1
      {27, 190, 0x16}, {28, 189, 0x16}, {28, 222, 0x16}, // left of, above, below the quadrants
      {28, 190, 0x27}, {59, 190, 0x05}, {60, 190, 0x16}, // top left, top right, right of them
      {44, 205, 0x05}, {43, 206, 0x01}, {44, 221, 0x16}, // top right, bottom left, bottom right
      {200, 231, 0x12}, {200, 232, 0x0F},                // line 231 shown, 232-239 black
  });
  // clang-format on
  EXPECT_EQ(PictureHash(), 0x8E68724196C720E5ull);
  ShownLines = 240;  // with all 240 lines shown, the last 8 continue the picture
  Frames(1);
  EXPECT_EQ(Pixel(200, 239), 0x12);
  EXPECT_EQ(Pixel(100, 239), 0x16);
}

TEST_F(PictureRomTest, SpritesFlipsPrioritiesAndOverlaps) {
  Start("ppu_sprites.nes");
  Frames(4);
  // clang-format off
  ExpectPixels({
      {16, 40, 0x16}, {17, 40, 0x0F}, {39, 40, 0x16}, // triangle: top row column 0; H flip
      {48, 47, 0x16}, {49, 47, 0x0F}, {71, 47, 0x16}, // V flip, both flips: bottom row
      {84, 44, 0x30}, {88, 44, 0x15},                 // sprite 4 covers sprite 5 beside it
      {20, 100, 0x21}, {21, 100, 0x30},               // behind: in the backdrop column only
      {41, 100, 0x21},                                // in front: over the stripe
      {64, 108, 0x0F}, {68, 108, 0x30},               // sprite 8's backdrop over 9; 9 past 8
      {147, 107, 0x25},                               // behind: whole over $0F background
      {255, 150, 0x30}, {0, 150, 0x0F}, {4, 150, 0x25}, // right edge, no wrap; left column
      {100, 0, 0x0F}, {100, 7, 0x0F},                 // Y 255: below the picture, not drawn
  });
  // clang-format on
  // The whole picture as checked above, pinned against regressions.
  EXPECT_EQ(PictureHash(), 0x52E7BA659E4A48A5ull);
}

TEST_F(PictureRomTest, TallSpritesTakeTilePairsFromTheirOwnTable) {
  Start("ppu_sprites16.nes");
  Frames(4);
  ExpectPixels({
      {16, 40, 0x16}, {17, 40, 0x0F}, {16, 48, 0x2A}, {23, 55, 0x2A},  // plain: triangle on square
      {39, 40, 0x16}, {32, 40, 0x0F},                                  // H flip
      {48, 40, 0x2A}, {55, 48, 0x16}, {48, 55, 0x16}, {49, 55, 0x0F},  // V flip: halves swap
      {64, 40, 0x2A}, {71, 55, 0x16}, {70, 55, 0x0F},                  // both flips
      {80, 40, 0x12}, {87, 55, 0x12},                                  // $0A: the $0000 pair
      {96, 40, 0x27}, {97, 40, 0x0F}, {96, 48, 0x1A},                  // behind, over backdrop
      {16, 56, 0x0F},
  });
}

// ppu_split: red table 0 down to line 104, where sprite 0's first opaque row is; from line
// 105 table 1's green, 4 pixels to the left, then table 0 again in x 252-255. Skipped frames
// keep the screen but the program still sees its hit.
TEST_F(PictureRomTest, SpriteZeroPollingSplitsTheScroll) {
  for (const uint32_t core : {0u, 1u}) {
    StartOnCore("ppu_split.nes", core);
    Frames(3);
    const uint8_t hitsBefore = Ram(0x20);
    Frames(4);
    EXPECT_EQ(Ram(0x20) - hitsBefore, 4) << "one hit seen per frame";
    for (int x = 0; x < 256; ++x) {
      EXPECT_EQ(Pixel(x, 104), x >= 200 && x < 208 ? 0x30 : 0x16) << x;
      const uint8_t lower = x >= 252 ? 0x16 : 0x2A;
      for (int y : {105, 150, 231})
        EXPECT_EQ(Pixel(x, y), y == 105 && x >= 200 && x < 208 ? 0x30 : lower) << x << "," << y;
    }
    EXPECT_EQ(Pixel(0, 0), 0x16);
  }
  const uint64_t shown = PictureHash();
  const uint8_t hits = Ram(0x20);
  MainScreen.PutPixel(kPictureLeft, kPictureTop, 0x3A);
  Frames(3, 1);
  EXPECT_EQ(Ram(0x20) - hits, 3) << "the program still saw its hit every frame";
  EXPECT_EQ(Pixel(0, 0), 0x3A);
  Frames(1);
  EXPECT_EQ(PictureHash(), shown);
}

// ppu_vblank: the flag is seen on line 243 before the NMI; the NMI follows after the rest of
// that line (9 to 12 passes of a 10-cycle loop), not at once and not a line later.
TEST_F(PictureRomTest, VblankFlagAndNmiAsTheProgramSeesThem) {
  for (const uint32_t core : {0u, 1u}) {
    StartOnCore("ppu_vblank.nes", core);
    Frames(4);
    const uint8_t nmis = Ram(0x20), polled = Ram(0x21);
    Frames(6);
    EXPECT_EQ(Ram(0x20) - nmis, 6) << core;
    EXPECT_EQ(Ram(0x21) - polled, 6) << core;
    EXPECT_EQ(Ram(0x22) + 1, Ram(0x20)) << "the flag comes before the NMI";
    EXPECT_GE(Ram(0x23), 9) << core;
    EXPECT_LE(Ram(0x23), 12) << core;
    EXPECT_EQ(Ram(0x24) & 0x80, 0) << "one read clears the flag";
    EXPECT_EQ(FrameCount, 10u);
  }
}

}  // namespace

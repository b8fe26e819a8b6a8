// The palette, the screen's text, the composition of the two layers by the backdrop key, and
// the desktop program's colour conversion.
#include <array>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "core/settings.h"
#include "ppu/colour_table.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "support/fixture.h"

namespace {

using PresentationTest = MachineTest;

TEST_F(PresentationTest, SystemPaletteAndMonochromeGreys) {
  Monochrome = 1, BuildSystemPalette();
  // 0x16: (F8 + 38 + 00) / 3 = 0x65, index 22 leaves 1: one brighter. The nudge is clamped,
  // not wrapped: black entries whose index leaves 2 stay black (a deliberate change: wrapping
  // turned them white); white (176) one darker.
  EXPECT_EQ(std::tuple(SystemPalette[0x16].Red, SystemPalette[0x16].Blue, SystemPalette[0x0E].Red,
                       SystemPalette[0x1D].Green, SystemPalette[176].Red),
            std::tuple(0x66, 0x66, 0x00, 0x00, 0xFE));
}

// A background pixel of the key colour (the backdrop read at the vertical-blank line) shows the
// base layer: a held row its own pixels, any other row the frame-start backdrop, also when the
// key has changed since. The picture sits at (16, 16) in black; a screen too small for it shows
// its clipped top-left part, composed in the base layer once the unheld rows are filled.
TEST_F(PresentationTest, ComposeByTheBackdropKey) {
  MainScreen.Resize(640, 480);
  std::memset(BaseLayer, 0x05, sizeof BaseLayer);  // stale bytes from an earlier frame
  std::memset(BackgroundLayer, 0x0F, sizeof BackgroundLayer);
  BackgroundLayer[256 * 3 + 11] = BackgroundLayer[256 * 239 + 255] = 0x30;  // opaque pixels
  // Row 3 held, with a behind sprite's pixel.
  StartBaseLayer(0x21), std::memset(BaseLayer + 3 * 256, 0x21, 256);
  BaseLayer[3 * 256 + 10] = 0x16, MarkBaseRow(3);
  EXPECT_EQ(std::tuple(BaseRowFill(2), BaseRowFill(3)), std::tuple(0x21, -1));
  // Presents with the key colour, then checks the screen's pixels (x, y, colour).
  const auto present = [&](uint8_t key, std::initializer_list<std::array<int, 3>> pixels) {
    m().PpuMemory[0x3F00] = key, PresentFrame(m());
    for (const auto& [x, y, colour] : pixels)
      EXPECT_EQ(MainScreen.PixelAt(x, y), colour) << x << "," << y;
  };
  // clang-format off
  present(0x0F, {{16, 16, 0x21}, {26, 19, 0x16}, {27, 19, 0x30}, {28, 19, 0x21}, {271, 255, 0x30},
                 {15, 16, kScreenBlack}, {272, 256, kScreenBlack}});
  // clang-format on
  present(0x22, {{16, 16, 0x0F}, {26, 19, 0x0F}});  // a new key: the $0F background covers all
  MainScreen.Resize(100, 50);
  present(0x0F, {{16, 16, 0x21}, {26, 19, 0x16}, {27, 19, 0x30}, {99, 49, 0x21}});
  MainScreen.Resize(640, 480);
}

// Drawn glyphs are read back in every debugger message test; a character outside the font
// draws as '?'. Text off any edge draws only what is inside and never writes outside.
TEST_F(PresentationTest, TextUsesTheBuiltInFontAndClips) {
  EXPECT_EQ(FontGlyph('\x01'), FontGlyph('?'));
  Screen small(20, 20);
  small.DrawText(-4, -8, "WW", 0x30, 0x0F), small.DrawText(15, 10, "MMMM", 0x30, 0x0F);
  small.DrawText(-1000, 1000, "x", 0x30, 0x0F), small.PutPixel(20, 0, 1), small.PutPixel(-1, 0, 1);
  EXPECT_EQ(small.PixelAt(19, 19), 0x0F);
  small.CopyBlock(BaseLayer, 256, 240, -100, -100);  // clipped to the 20 x 20 surface
  EXPECT_EQ(small.PixelAt(0, 0), BaseLayer[100 * 256 + 100]);
}

// The fast paths give what the table gives for every byte (NES colours and the rest, which take
// the slow way), at any width, and write nothing past the last row; the table follows a
// palette change.
TEST(ColourTableTest, ConversionEqualsTheTableAndFollowsThePalette) {
  PaletteEntry palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i * 3), uint8_t(i * 5 + 1), uint8_t(255 - i)};
  ColourTable table;
  table.Follow(palette);
  constexpr int kStride = 300, kWidth = 283, kHeight = 7;  // blocks of 32 and a tail
  std::vector<uint8_t> pixels(kStride * kHeight);
  std::mt19937 random(5);  // mostly NES colours
  for (auto& pixel : pixels) pixel = static_cast<uint8_t>(random() % 97 ? random() & 63 : random());
  std::vector<uint32_t> fast(kWidth * kHeight + 1, 0xDEADBEEF), slow(fast);
  ConvertToColoursPortable(pixels.data(), kStride, kWidth, kHeight, table, slow.data(), kWidth * 4);
  for (auto* path : {ConvertToColoursAvx512, ConvertToColoursAvx2}) {
    std::fill(fast.begin(), fast.end() - 1, 0);
    if (path(pixels.data(), kStride, kWidth, kHeight, table, fast.data(), kWidth * 4)) {
      EXPECT_EQ(fast, slow);
    }
  }
  const PaletteEntry& first = palette[pixels[0]];
  EXPECT_EQ(slow[0], 0xFF000000u | first.Red << 16 | first.Green << 8 | first.Blue);
  palette[pixels[0]].Green ^= 0x80;
  table.Follow(palette);
  ConvertToColours(pixels.data(), kStride, kWidth, kHeight, table, fast.data(), kWidth * 4);
  EXPECT_EQ(fast[0], slow[0] ^ 0x8000u);
  EXPECT_EQ(fast.back(), 0xDEADBEEFu);
}

}  // namespace

// Palette, screen drawing and the composition of the two layers.
#include <cstring>
#include <tuple>

#include "host/settings.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "support/fixture.h"

namespace {

using PresentationTest = MachineTest;

TEST_F(PresentationTest, SystemPaletteAndMonochromeGreys) {
  Monochrome = 1;
  BuildSystemPalette();
  // 0x16: (F8 + 38 + 00) / 3 = 0x65, index 22 leaves 1: one brighter.
  EXPECT_EQ(SystemPalette[0x16].Red, 0x66);
  EXPECT_EQ(SystemPalette[0x16].Blue, 0x66);
  // The nudge is clamped, not wrapped: black entries whose index leaves 2 stay black (a
  // deliberate change: wrapping turned them white).
  EXPECT_EQ(SystemPalette[0x0E].Red, 0x00);
  EXPECT_EQ(SystemPalette[0x1D].Green, 0x00);
  EXPECT_EQ(SystemPalette[176].Red, 0xFE);  // FFFFFF, index leaves 2: one darker
}

TEST_F(PresentationTest, ComposeByTheBackdropKeyAndShowAtSixteenSixteen) {
  MainScreen.Resize(640, 480);
  FillBaseLayer(0x21);
  std::memset(BackgroundLayer, 0x0F, sizeof BackgroundLayer);
  BackgroundLayer[0] = 0x30;  // opaque background pixel
  BaseLayer[1] = 0x16;        // behind sprite under a backdrop-coloured pixel
  BaseLayer[256 * 239 + 255] = 0x05;
  m().PpuMemory[0x3F00] = 0x0F;  // the backdrop read at the vertical-blank line is the key
  PresentFrame(m());
  EXPECT_EQ(MainScreen.PixelAt(16, 16), 0x30);
  EXPECT_EQ(MainScreen.PixelAt(17, 16), 0x16);
  EXPECT_EQ(MainScreen.PixelAt(18, 16), 0x21);
  EXPECT_EQ(MainScreen.PixelAt(16 + 255, 16 + 239), 0x05);
  EXPECT_EQ(MainScreen.PixelAt(15, 16), kScreenBlack);
  EXPECT_EQ(MainScreen.PixelAt(16 + 256, 16 + 240), kScreenBlack);

  // A key that differs from the frame-start fill: $0F pixels now cover the base layer.
  FillBaseLayer(0x21);
  m().PpuMemory[0x3F00] = 0x22;
  PresentFrame(m());
  EXPECT_EQ(MainScreen.PixelAt(18, 16), 0x0F);

  // A screen smaller than the picture shows its clipped top-left part.
  MainScreen.Resize(100, 50);
  FillBaseLayer(0x21);
  BaseLayer[1] = 0x16;
  m().PpuMemory[0x3F00] = 0x0F;
  PresentFrame(m());
  EXPECT_EQ(MainScreen.PixelAt(16, 16), 0x30);
  EXPECT_EQ(MainScreen.PixelAt(17, 16), 0x16);
  EXPECT_EQ(MainScreen.PixelAt(99, 49), 0x21);
  EXPECT_EQ(MainScreen.PixelAt(15, 16), kScreenBlack);
  MainScreen.Resize(640, 480);
}

TEST_F(PresentationTest, TextUsesTheBuiltInFontAndClips) {
  Screen screen(100, 40);
  screen.DrawText(0, 0, "I!", 0x30, 0x0F);
  // 'I' on its 5 x 8 grid: top row .###., each cell pixel doubled; '!' has a gap, then a dot.
  for (const auto& [x, y, colour] : {std::tuple{1, 1, 0x0F}, {2, 1, 0x30}, {3, 6, 0x30},
                                     {11, 10, 0x0F}, {11, 12, 0x30}, {3, 16, int{kScreenBlack}}})
    EXPECT_EQ(screen.PixelAt(x, y), colour) << x << "," << y;
  EXPECT_EQ(FontGlyph('\x01'), FontGlyph('?'));

  // Text off any edge draws only what is inside and never writes outside.
  Screen small(20, 20);
  small.DrawText(-4, -8, "WW", 0x30, 0x0F);
  small.DrawText(15, 10, "MMMM", 0x30, 0x0F);
  small.DrawText(-1000, 1000, "x", 0x30, 0x0F);
  small.PutPixel(20, 0, 1);
  small.PutPixel(-1, 0, 1);
  EXPECT_EQ(small.Pixels.size(), 400u);
  EXPECT_EQ(small.PixelAt(19, 19), 0x0F);
  small.CopyBlock(BaseLayer, 256, 240, -100, -100);  // clipped to the 20 x 20 surface
  EXPECT_EQ(small.PixelAt(0, 0), BaseLayer[100 * 256 + 100]);
}

}  // namespace

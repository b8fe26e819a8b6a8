// Palette, screen drawing and the composition of the two layers.
#include <cstring>
#include <tuple>

#include "core/settings.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "support/fixture.h"

namespace {

using PresentationTest = MachineTest;

TEST_F(PresentationTest, SystemPaletteAndMonochromeGreys) {
  Monochrome = 1;
  BuildSystemPalette();
  // 0x16: (F8 + 38 + 00) / 3 = 0x65, index 22 leaves 1: one brighter. The nudge is clamped,
  // not wrapped: black entries whose index leaves 2 stay black (a deliberate change: wrapping
  // turned them white); white (176) one darker.
  EXPECT_EQ(std::tuple(SystemPalette[0x16].Red, SystemPalette[0x16].Blue), std::tuple(0x66, 0x66));
  EXPECT_EQ(std::tuple(SystemPalette[0x0E].Red, SystemPalette[0x1D].Green, SystemPalette[176].Red),
            std::tuple(0x00, 0x00, 0xFE));
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
  for (const auto& [x, y, colour] : {std::tuple{16, 16, 0x30},
                                     {17, 16, 0x16},
                                     {18, 16, 0x21},
                                     {16 + 255, 16 + 239, 0x05},
                                     {15, 16, int{kScreenBlack}},
                                     {16 + 256, 16 + 240, int{kScreenBlack}}})
    EXPECT_EQ(MainScreen.PixelAt(x, y), colour) << x << "," << y;

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
  EXPECT_EQ(std::tuple(MainScreen.PixelAt(17, 16), MainScreen.PixelAt(99, 49)),
            std::tuple(0x16, 0x21));
  MainScreen.Resize(640, 480);
}

TEST_F(PresentationTest, TextUsesTheBuiltInFontAndClips) {
  // Drawn glyphs are read back in every debugger message test; a character outside the font
  // draws as '?'. Text off any edge draws only what is inside and never writes outside.
  EXPECT_EQ(FontGlyph('\x01'), FontGlyph('?'));
  Screen small(20, 20);
  small.DrawText(-4, -8, "WW", 0x30, 0x0F);
  small.DrawText(15, 10, "MMMM", 0x30, 0x0F);
  small.DrawText(-1000, 1000, "x", 0x30, 0x0F);
  small.PutPixel(20, 0, 1);
  small.PutPixel(-1, 0, 1);
  EXPECT_EQ(small.PixelAt(19, 19), 0x0F);
  small.CopyBlock(BaseLayer, 256, 240, -100, -100);  // clipped to the 20 x 20 surface
  EXPECT_EQ(small.PixelAt(0, 0), BaseLayer[100 * 256 + 100]);
}

}  // namespace

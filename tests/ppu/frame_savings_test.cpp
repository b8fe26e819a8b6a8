// What a drawn frame leaves undone: base rows without a behind-background sprite are never
// filled, the sprite table and the tile pairs are held against sprite RAM and the name tables
// only when a store may have changed them, CHR pages are decoded once.
#include <array>
#include <cstring>

#include "core/globals.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "session/run_frame.h"
#include "support/fixture.h"

namespace {

using FrameSavingsTest = MachineTest;

// Unfilled rows show the frame-start backdrop wherever the background is the key colour, also
// when the key has changed since; a row the renderer filled shows its own pixels.
TEST_F(FrameSavingsTest, UnfilledBaseRowsShowTheFrameStartBackdrop) {
  MainScreen.Resize(640, 480);
  std::memset(BaseLayer, 0x05, sizeof BaseLayer);  // stale bytes from an earlier frame
  std::memset(BackgroundLayer, 0x0F, sizeof BackgroundLayer);
  StartBaseLayer(0x21);
  EXPECT_EQ(BaseRowFill(3), 0x21);
  std::memset(BaseLayer + 3 * 256, 0x21, 256);
  BaseLayer[3 * 256 + 10] = 0x16;  // a behind sprite's pixel
  MarkBaseRow(3);
  EXPECT_EQ(BaseRowFill(3), -1);
  m().PpuMemory[0x3F00] = 0x0F;
  PresentFrame(m());
  EXPECT_EQ(std::tuple(MainScreen.PixelAt(16, 16), MainScreen.PixelAt(26, 19),
                       MainScreen.PixelAt(27, 19)),
            std::tuple(0x21, 0x16, 0x21));
  m().PpuMemory[0x3F00] = 0x22;  // a new key: the $0F background covers everything
  PresentFrame(m());
  EXPECT_EQ(MainScreen.PixelAt(16, 16), 0x0F);
  MainScreen.Resize(100, 50);  // the clipped copy composes in the base layer: filled first
  m().PpuMemory[0x3F00] = 0x0F;
  PresentFrame(m());
  EXPECT_EQ(std::tuple(MainScreen.PixelAt(16, 16), MainScreen.PixelAt(26, 19)),
            std::tuple(0x21, 0x16));
  MainScreen.Resize(640, 480);
}

// The renderer fills a base row it was given unfilled only when a behind sprite goes there.
// Inside the frame loop a store through $2004 shows on the next line; outside it, any change.
TEST_F(FrameSavingsTest, BaseRowFilledOnDemandAndSpriteStoresSeen) {
  std::memset(m().PpuMemory + 48, 0xFF, 16);  // tile 3: colour 3
  m().RebuildPatternCache();
  m().PpuMemoryWrite(0x3F13, 0x30);
  std::memset(m().SpriteRam, 0xF0, 256);
  m().CpuMemory[kPpuMask] = 0x1E;
  std::array<uint8_t, 256> background{}, base{};
  base.fill(0xEE);
  m().StartFrameRendering();
  EXPECT_FALSE(m().RenderScanline(background.data(), base.data(), 20, 0x21));
  EXPECT_EQ(base[0], 0xEE);  // no behind sprite: left alone

  m().CpuMemory[kSpriteAddress] = 0;
  for (uint8_t byte : {19, 3, 0x20, 100}) m().PpuRegisterWrite(0x2004, byte);  // behind, line 20
  EXPECT_TRUE(m().RenderScanline(background.data(), base.data(), 20, 0x21));
  EXPECT_EQ(std::tuple(base[0], base[100], base[108]), std::tuple(0x21, 0x30, 0x21));

  m().EndFrameRendering();
  m().SpriteRam[3] = 50;  // a direct change, outside the frame loop
  base.fill(0xEE);
  EXPECT_TRUE(m().RenderScanline(background.data(), base.data(), 21, 0x21));
  EXPECT_EQ(std::tuple(base[50], base[100]), std::tuple(0x30, 0x21));
}

// The worst cases for those savings draw what they drew before them: CHR switched many times a
// line, sprite pages copied in every 16 lines, name tables and CHR RAM written all frame.
TEST_F(FrameSavingsTest, WorstCaseCartridgesDrawTheirPictures) {
  const struct {
    const char* rom;
    int frames;
    uint64_t hash;
  } cases[] = {{"chr_switch.nes", 30, 0x02E7503F193CD526ull},
               {"mmc3_chr_switch.nes", 30, 0x0B67090411DA08CBull},
               {"sprites64.nes", 30, 0xC09D2CD489E3E105ull},
               {"ppu_data_stream.nes", 300, 0x3C16C488224FAE55ull}};
  for (const auto& [rom, frames, hash] : cases) {
    machine = std::make_unique<Machine>();
    ResetSession();
    UseMainCore = 0;
    ASSERT_EQ(m().LoadCartridge(TestRomPath(rom).c_str()), kLoadOk);
    MainScreen.Resize(640, 480);
    std::memset(BackgroundLayer, 0, sizeof BackgroundLayer);
    m().ResetCpu();
    m().RebuildPatternCache();
    for (int frame = 0; frame < frames; ++frame) RunFrame(m(), 0);
    EXPECT_EQ(ShownPictureHash(), hash) << rom;
  }
}

}  // namespace

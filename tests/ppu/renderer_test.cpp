// The scanline renderer driven directly: PPU memory, latches and sprites are set by hand and
// one line is drawn into two local rows; and the row painters it draws with.
#include <algorithm>
#include <array>
#include <cstring>
#include <random>

#include "ppu/picture.h"
#include "ppu/tile_rows.h"
#include "support/fixture.h"

namespace {

class RendererTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    // Tile 1: every row reads 0,1,2,3,0,1,2,3. Tile 3: all colour 3. Tile 4: only row 5
    // opaque (colour 1).
    // Tile 1's low plane gives columns 1, 3, 5, 7, its high plane columns 2, 3, 6, 7.
    std::memset(m().PpuMemory + 16, 0x55, 8), std::memset(m().PpuMemory + 24, 0x33, 8);
    std::memset(m().PpuMemory + 48, 0xFF, 16), m().PpuMemory[64 + 5] = 0xFF;
    m().RebuildPatternCache();
    // Palette entry i holds colour $20 + i; the backdrop is $0F.
    for (int i = 1; i < 32; ++i)
      if (i % 4) m().PpuMemoryWrite(0x3F00 + i, static_cast<uint8_t>(0x20 + i));
    m().PpuMemoryWrite(0x3F00, 0x0F);
    // Every sprite parked below the picture; everything on, left columns shown.
    std::memset(m().SpriteRam, 0xF0, 256), m().CpuMemory[kPpuMask] = 0x1E, m().Sprite0Armed = 1;
  }
  void SetSprite(int k, uint8_t y, uint8_t tile, uint8_t attributes, uint8_t x) {
    std::memcpy(m().SpriteRam + 4 * k, std::array{y, tile, attributes, x}.data(), 4);
  }
  // Draws a line; a base row handed over unfilled (baseFill >= 0) is filled only on demand.
  bool Render(int line, int baseFill = -1) {
    // The background (on in most tests) overwrites its row.
    background.fill(0xEE), base.fill(baseFill < 0 ? 0x0F : 0xEE);
    return m().RenderScanline(background.data(), base.data(), line, baseFill);
  }
  std::array<uint8_t, 256> background{}, base{};
};

// Placement rules the test cartridges do not reach: the left-column switch drops whole
// sprites, and tops of 240 or more are never drawn (Y 239-254). Sprite 0 hits on its first
// opaque row only; X, the sprite enable and the background play no part.
TEST_F(RendererTest, HiddenLeftColumnTopsBelowThePictureAndTheSpriteZeroHit) {
  SetSprite(8, 9, 3, 0x01, 7);  // X below 8: would cover sprite 9 in columns 8-14 if drawn
  SetSprite(9, 9, 3, 0x00, 8);
  m().CpuMemory[kPpuMask] = 0x1A, Render(10);  // sprites hidden in the left 8 columns
  // Sprite 9, at X 8, is drawn; sprite 8 nowhere.
  EXPECT_EQ(std::tuple(background[7], background[11]), std::tuple(0x0F, 0x33));
  SetSprite(10, 239, 3, 0x01, 200), SetSprite(11, 254, 3, 0x01, 220);
  for (int line : {0, 7, 239}) {
    Render(line);
    EXPECT_EQ(std::tuple(background[200], background[220]), std::tuple(0x0F, 0x0F)) << line;
  }
  m().CpuMemory[kPpuMask] = 0x08;
  const auto hitLine = [&](uint8_t y, uint8_t tile, uint8_t attributes) {
    m().CpuMemory[kPpuStatus] = 0, m().Sprite0Armed = 1, SetSprite(0, y, tile, attributes, 0);
    for (int line = 0; line < 240; ++line) {
      Render(line);
      if (m().CpuMemory[kPpuStatus] & 0x40) return m().Sprite0Armed == 0 ? line : -2;
    }
    return -1;
  };
  // Tile 4 is opaque only in row 5: at Y 19 it covers lines 20-27, opaque on line 25; flipped
  // vertically, row 2. Y 255: below the picture.
  EXPECT_EQ(std::tuple(hitLine(19, 4, 0x00), hitLine(19, 4, 0x80), hitLine(255, 3, 0x00)),
            std::tuple(25, 22, -1));
}

// The lines of a tile row share their tiles and attributes, but stores into the name or
// attribute table between two of them still show on the next (scrolled by a tile, so the
// line reads both horizontal tables). Then the vertical step across and within tables.
TEST_F(RendererTest, TableStoresBetweenLinesOfATileRowAndTheVerticalStep) {
  std::memset(m().PpuMemory + 0x2000, 3, 0x3C0), std::memset(m().PpuMemory + 0x23C0, 0, 64);
  m().TempAddress = 1, m().FineY = 0, Render(0);
  EXPECT_EQ(background[32], 0x23);
  m().PpuMemory[0x2005] = 1, Render(1);  // column 5: 0,1,2,3,...
  const uint8_t tile1[] = {0x0F, 0x21, 0x22, 0x23, 0x0F, 0x21, 0x22, 0x23};
  EXPECT_EQ(std::memcmp(background.data() + 32, tile1, 8), 0);
  m().PpuMemory[0x23C1] = 0x01, Render(2);  // columns 4-7 of the first rows: palette 1
  // Column 4: tile 3 in palette 1; column 6: palette 0 still.
  EXPECT_EQ(std::tuple(background[24], background[34], background[40]),
            std::tuple(0x27, 0x26, 0x23));
  // Line 0 takes the whole latch (minus its top bits); fine Y is not reset. Coarse Y 29
  // after row 7 goes on at coarse Y 0 of the other vertical table.
  m().TempAddress = 0x7C00 | (29 << 5) | 7, m().FineY = 7, Render(0);
  EXPECT_EQ(std::tuple(m().FineY, m().VramAddress & 0xBE0), std::tuple(0, 0));
  // Coarse Y 31 (out of range, set through $2006) wraps to 0 in the same vertical table, also
  // with the horizontal table bit set; the background off, the row is the backdrop, and the
  // address still steps.
  m().CpuMemory[kPpuMask] = 0x10, m().TempAddress = 0x0C00 | (31 << 5), m().FineY = 7, Render(0);
  EXPECT_EQ(std::tuple(m().VramAddress & 0xBE0, background[100]), std::tuple(0x800, 0x0F));
}

// A base row handed over unfilled is filled only when a behind sprite goes there. Inside the
// frame loop a store through $2004 shows on the next line; outside it, any change.
TEST_F(RendererTest, BaseRowFilledOnDemandAndSpriteStoresSeen) {
  m().StartFrameRendering();
  EXPECT_FALSE(Render(20, 0x21));
  EXPECT_EQ(base[0], 0xEE);  // no behind sprite: left alone
  m().CpuMemory[kSpriteAddress] = 0;
  for (uint8_t byte : {19, 3, 0x20, 100}) m().PpuRegisterWrite(0x2004, byte);  // behind, line 20
  EXPECT_TRUE(Render(20, 0x21));
  EXPECT_EQ(std::tuple(base[0], base[100], base[108]), std::tuple(0x21, 0x33, 0x21));
  m().EndFrameRendering(), m().SpriteRam[3] = 50;  // a direct change, outside the frame loop
  EXPECT_TRUE(Render(21, 0x21));
  EXPECT_EQ(std::tuple(base[50], base[100]), std::tuple(0x33, 0x21));
}

// The SIMD and the portable painters give the same bytes: background rows for any pattern and
// attribute data and every skip, sprite rows for any rows, flips and priorities. A sprite row
// cut at column 255 shows the first columns of the same row drawn whole.
TEST(TileRowsTest, SimdAndPortablePaintersAgreeAndSpritesClip) {
  std::mt19937 random(99);
  const auto next = [&](unsigned mask) { return static_cast<uint8_t>(random() & mask); };
  uint8_t cache[64 * 64] = {1, 0, 2, 3, 0, 3, 3, 2}, palette[16];
  for (int round = 0; round < 64; ++round) {
    for (unsigned i = 8; i < sizeof cache; ++i) cache[i] = next(3);  // row 0 as set
    for (auto& colour : palette) colour = next(0x3F);
    TileRow row;
    for (unsigned pair = 0; pair < kBackgroundPairs; ++pair) {
      row.Left[pair] = static_cast<uint16_t>(next(63) * 64);
      row.Right[pair] = static_cast<uint16_t>(next(63) * 64), row.Attribute[pair] = next(3) * 4;
    }
    const uint8_t* patterns = cache + (round & 7) * 8;
    uint8_t simd[256], portable[256];
    DrawTileRowPortable(portable, row, patterns, palette, round & 15);
    if (!DrawTileRowSimd(simd, row, patterns, palette, round & 15))
      GTEST_SKIP() << "no SIMD path on this host";
    ASSERT_EQ(std::memcmp(simd, portable, sizeof simd), 0) << round;
    SpriteRow rows[24];
    for (auto& sprite : rows) sprite = {next(63) * 64u + next(7) * 8u, next(255), next(0x63)};
    uint8_t layers[2][2][256];  // painter, front/base
    for (auto& layer : layers[0]) std::generate_n(layer, 256, [&] { return next(255); });
    std::memcpy(layers[1], layers[0], sizeof layers[0]);
    PutSpriteRowsPortable(layers[0][0], layers[0][1], rows, 24, cache, palette);
    PutSpriteRowsSimd(layers[1][0], layers[1][1], rows, 24, cache, palette);
    ASSERT_EQ(std::memcmp(layers[0], layers[1], sizeof layers[0]), 0) << round;
  }
  for (uint8_t attributes : {0x00, 0x21, 0x42, 0x63}) {
    uint8_t front[256], base[256];
    std::memset(front, 0xEE, 256), std::memset(base, 0xEE, 256);
    const SpriteRow whole{0, 200, attributes}, cut{0, 252, attributes};
    PutSpriteRows(front, base, &whole, 1, cache, palette);
    PutSpriteRows(front, base, &cut, 1, cache, palette);
    const uint8_t* row = (attributes & 0x20) ? base : front;
    EXPECT_EQ(std::memcmp(row + 200, row + 252, 4), 0) << int(attributes);
  }
}

}  // namespace

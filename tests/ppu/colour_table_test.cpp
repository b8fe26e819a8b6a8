// The desktop program's colour conversion: the fast path gives what the table gives for every
// byte (NES colours and the rest, which take the slow way), at any width; the table follows a
// palette change.
#include "ppu/colour_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(ColourTableTest, ConversionEqualsTheTableAndFollowsThePalette) {
  PaletteEntry palette[256];
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<uint8_t>(i * 3), static_cast<uint8_t>(i * 5 + 1),
                  static_cast<uint8_t>(255 - i)};
  ColourTable table;
  table.Follow(palette);
  constexpr int kStride = 300, kWidth = 283, kHeight = 7;  // blocks of 32 and a tail
  std::vector<uint8_t> pixels(kStride * kHeight);
  uint32_t seed = 5;
  for (size_t i = 0; i < pixels.size(); ++i) {
    seed = seed * 69069 + 1;
    // Mostly NES colours; now and then any byte, so that some blocks take the slow way.
    pixels[i] = static_cast<uint8_t>((seed >> 8) % 97 == 0 ? seed >> 24 : (seed >> 26));
  }
  std::vector<uint32_t> fast(kWidth * kHeight + 1, 0xDEADBEEF), slow(fast);
  ConvertToColoursPortable(pixels.data(), kStride, kWidth, kHeight, table, slow.data(), kWidth * 4);
  for (auto* path : {ConvertToColoursAvx512, ConvertToColoursAvx2}) {
    std::fill(fast.begin(), fast.end() - 1, 0);
    if (path(pixels.data(), kStride, kWidth, kHeight, table, fast.data(), kWidth * 4)) {
      EXPECT_EQ(fast, slow);
    }
  }
  EXPECT_EQ(slow[0], 0xFF000000u | palette[pixels[0]].Red << 16 | palette[pixels[0]].Green << 8 |
                         palette[pixels[0]].Blue);
  EXPECT_EQ(fast.back(), 0xDEADBEEFu);  // nothing written past the last row

  palette[pixels[0]].Green ^= 0x80;
  table.Follow(palette);
  ConvertToColours(pixels.data(), kStride, kWidth, kHeight, table, fast.data(), kWidth * 4);
  EXPECT_EQ(fast[0], slow[0] ^ 0x8000u);
}

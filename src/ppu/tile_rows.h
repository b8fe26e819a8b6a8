// Background rows built from the pattern cache a tile pair (16 pixels) at a time. The SIMD
// path is chosen at run time; the portable path gives the same bytes.
#pragma once

#include <cstdint>

// 17 pairs cover the 256 visible pixels from any scroll, starting at an even tile.
constexpr unsigned kBackgroundPairs = 17;

struct TilePair {
  const uint8_t* Left;   // 8 cache bytes (0-3) of the even tile's row
  const uint8_t* Right;  // and of the odd tile's
  uint8_t Attribute;     // palette offset 0, 4, 8 or 12 shared by both tiles
};

// Writes kBackgroundPairs x 16 colour numbers: palette[attribute | cache byte] per pixel.
void DrawTilePairs(uint8_t* out, const TilePair* pairs, const uint8_t* palette);
void DrawTilePairsPortable(uint8_t* out, const TilePair* pairs, const uint8_t* palette);
// The SIMD path, or false when the host processor lacks it.
bool DrawTilePairsSimd(uint8_t* out, const TilePair* pairs, const uint8_t* palette);

// Background lines built from the pattern cache a tile pair (16 pixels) at a time. The SIMD
// path is chosen at run time; the portable path gives the same bytes.
#pragma once

#include <cstdint>

// 17 pairs cover the 256 visible pixels from any scroll, starting at an even tile.
constexpr unsigned kBackgroundPairs = 17;

// One line's tiles: the same for the eight lines of a tile row but for the pattern row.
struct TileRow {
  uint16_t Left[kBackgroundPairs];   // pattern-cache offset of the even tile (table included)
  uint16_t Right[kBackgroundPairs];  // and of the odd tile
  uint8_t Attribute[kBackgroundPairs];  // palette offset 0, 4, 8 or 12 shared by the pair
};

// Writes the 256 visible pixels, palette[attribute | cache byte], of the 272-pixel run of
// pairs that starts `skip` (0-15) pixels to the left of the line. `patterns` is the pattern
// cache at the line's pattern row.
void DrawTileRow(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                 const uint8_t* palette, unsigned skip);
void DrawTileRowPortable(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                         const uint8_t* palette, unsigned skip);
// The SIMD path, or false when the host processor lacks it.
bool DrawTileRowSimd(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                     const uint8_t* palette, unsigned skip);

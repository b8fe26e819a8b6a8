// Background lines built from the pattern cache a tile pair (16 pixels) at a time. The SIMD
// path is chosen at run time; the portable path gives the same bytes.
#pragma once

#include <cstdint>

#include "core/picture_caches.h"  // TileRow

// Writes the 256 visible pixels, palette[attribute | cache byte], of the 272-pixel run of
// pairs that starts `skip` (0-15) pixels to the left of the line. `patterns` is the pattern
// cache at the line's pattern row.
void DrawTileRow(uint8_t* out, const TileRow& row, const uint8_t* patterns, const uint8_t* palette,
                 unsigned skip);
void DrawTileRowPortable(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                         const uint8_t* palette, unsigned skip);
// The SIMD path, or false when the host processor lacks it.
bool DrawTileRowSimd(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                     const uint8_t* palette, unsigned skip);

// Background lines built from the pattern cache a tile pair (16 pixels) at a time, and the
// sprites' rows put over them. The SIMD paths are chosen at run time; the portable paths give
// the same bytes.
#pragma once

#include <cstdint>

#include "core/picture_caches.h"  // TileRow

inline constexpr uint64_t kOnes = 0x0101010101010101ull;

// Eight cache bytes (0-3) turned into their colours at once; `opaque` gets 0xFF in the bytes
// whose cache byte is not 0.
inline uint64_t RowColours(uint64_t pixels, const uint8_t* colours, uint64_t& opaque) {
  const uint64_t low = (pixels & kOnes) * 0xFF;          // 0xFF in bytes with bit 0 set
  const uint64_t high = ((pixels >> 1) & kOnes) * 0xFF;  // 0xFF in bytes with bit 1 set
  opaque = low | high;
  return ((colours[0] * kOnes) & ~low & ~high) | ((colours[1] * kOnes) & low & ~high) |
         ((colours[2] * kOnes) & ~low & high) | ((colours[3] * kOnes) & low & high);
}

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

// One sprite's row on a line.
struct SpriteRow {
  uint32_t Pattern;    // pattern-cache index of the row, vertical flip already taken
  uint8_t X;           // left column
  uint8_t Attributes;  // sprite RAM byte 2: palette, behind the background, horizontal flip
};

// Puts `count` rows in order, each over the ones before: a front sprite's opaque pixels over
// `front`, a behind sprite whole into `base` (its transparent pixels in its colour 0).
// `palette` holds the 16 sprite colours; a row reaching past column 255 is cut there.
void PutSpriteRows(uint8_t* front, uint8_t* base, const SpriteRow* rows, int count,
                   const uint8_t* patterns, const uint8_t* palette);
void PutSpriteRowsPortable(uint8_t* front, uint8_t* base, const SpriteRow* rows, int count,
                           const uint8_t* patterns, const uint8_t* palette);
bool PutSpriteRowsSimd(uint8_t* front, uint8_t* base, const SpriteRow* rows, int count,
                       const uint8_t* patterns, const uint8_t* palette);

#include "ppu/tile_rows.h"

#include <cstring>

#include "ppu/picture.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define HALVOREN_HAS_SSSE3_PATH 1
#endif

void DrawTileRowPortable(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                         const uint8_t* palette, unsigned skip) {
  for (unsigned x = 0; x < kPictureWidth; ++x) {
    const unsigned at = x + skip, pair = at >> 4, column = at & 15;
    const uint8_t* tile = patterns + (column < 8 ? row.Left[pair] : row.Right[pair]);
    out[x] = palette[row.Attribute[pair] | tile[column & 7]];
  }
}

namespace {

// A row cut at column 255, a pixel at a time.
void PutClippedSpriteRow(uint8_t* out, const SpriteRow& row, const uint8_t* patterns,
                         const uint8_t* colours) {
  const uint8_t* pixels = patterns + row.Pattern;
  const bool flip = row.Attributes & 0x40, behind = row.Attributes & 0x20;
  for (int column = 0; column < kPictureWidth - row.X; ++column) {
    const uint8_t pixel = pixels[flip ? 7 - column : column];
    if (behind || pixel) out[column] = colours[pixel];
  }
}

}  // namespace

void PutSpriteRowsPortable(uint8_t* front, uint8_t* base, const SpriteRow* rows, int count,
                           const uint8_t* patterns, const uint8_t* palette) {
  for (const SpriteRow* row = rows; row != rows + count; ++row) {
    const uint8_t* colours = palette + 4 * (row->Attributes & 3);
    uint8_t* out = ((row->Attributes & 0x20) ? base : front) + row->X;
    if (row->X > kPictureWidth - 8) {
      PutClippedSpriteRow(out, *row, patterns, colours);
      continue;
    }
    uint64_t pixels, opaque, old;
    std::memcpy(&pixels, patterns + row->Pattern, 8);
    if (row->Attributes & 0x40) pixels = __builtin_bswap64(pixels);  // column c takes byte 7 - c
    const uint64_t result = RowColours(pixels, colours, opaque);
    if (row->Attributes & 0x20) opaque = ~uint64_t{0};
    std::memcpy(&old, out, 8);
    old = (old & ~opaque) | (result & opaque);
    std::memcpy(out, &old, 8);
  }
}

#ifdef HALVOREN_HAS_SSSE3_PATH
namespace {

// Byte shuffles that move a run of 16 bytes left by `skip`: from 16 + skip the bytes of the
// current pair, from skip those of the next (0x80 selects a zero).
alignas(16) constexpr uint8_t kShiftPicks[48] = {
    0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
    0,    1,    2,    3,    4,    5,    6,    7,    8,    9,    10,   11,   12,   13,   14,   15,
    0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80,
};

// One byte shuffle looks up a pair's 16 pixels in the 16 background colours.
[[gnu::target("ssse3")]] inline __m128i PairColours(const TileRow& row, unsigned pair,
                                                    const uint8_t* patterns, __m128i colours) {
  const __m128i left = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(patterns + row.Left[pair]));
  const __m128i right =
      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(patterns + row.Right[pair]));
  const __m128i index = _mm_or_si128(_mm_unpacklo_epi64(left, right),
                                     _mm_set1_epi8(static_cast<char>(row.Attribute[pair])));
  return _mm_shuffle_epi8(colours, index);
}

// Two more shuffles and an OR take each block of the line out of two neighbouring pairs.
[[gnu::target("ssse3")]] void DrawTileRowSsse3(uint8_t* out, const TileRow& row,
                                               const uint8_t* patterns, const uint8_t* palette,
                                               unsigned skip) {
  const __m128i colours = _mm_loadu_si128(reinterpret_cast<const __m128i*>(palette));
  const __m128i fromCurrent =
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(kShiftPicks + 16 + skip));
  const __m128i fromNext = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kShiftPicks + skip));
  __m128i current = PairColours(row, 0, patterns, colours);
  for (unsigned pair = 1; pair < kBackgroundPairs; ++pair, out += 16) {
    const __m128i next = PairColours(row, pair, patterns, colours);
    const __m128i block =
        _mm_or_si128(_mm_shuffle_epi8(current, fromCurrent), _mm_shuffle_epi8(next, fromNext));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), block);
    current = next;
  }
}
// Byte shuffles for a sprite's pixels: as they are, and mirrored.
alignas(16) constexpr uint8_t kFlipPicks[2][16] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
    {7, 6, 5, 4, 3, 2, 1, 0, 8, 9, 10, 11, 12, 13, 14, 15},
};
// What a pixel compares equal to where the row below shows through: 0 for a front sprite, a
// value no pixel has for a behind one.
alignas(16) constexpr uint8_t kShowThrough[2][16] = {
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
     0xFF},
};

// Without branches on flip or priority: the flip is a shuffle from a table, the colours one
// more shuffle into the sprite's four colours, and a compare picks the bytes that stay.
[[gnu::target("ssse3")]] void PutSpriteRowsSsse3(uint8_t* front, uint8_t* base,
                                                 const SpriteRow* rows, int count,
                                                 const uint8_t* patterns, const uint8_t* palette) {
  for (const SpriteRow* row = rows; row != rows + count; ++row) {
    const unsigned attributes = row->Attributes, behind = (attributes >> 5) & 1;
    uint8_t* out = (behind ? base : front) + row->X;
    if (row->X > kPictureWidth - 8) {
      PutClippedSpriteRow(out, *row, patterns, palette + 4 * (attributes & 3));
      continue;
    }
    uint32_t four;
    std::memcpy(&four, palette + 4 * (attributes & 3), 4);
    const __m128i pixels = _mm_shuffle_epi8(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(patterns + row->Pattern)),
        _mm_load_si128(reinterpret_cast<const __m128i*>(kFlipPicks[(attributes >> 6) & 1])));
    const __m128i colours = _mm_shuffle_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), pixels);
    const __m128i keep = _mm_cmpeq_epi8(
        pixels, _mm_load_si128(reinterpret_cast<const __m128i*>(kShowThrough[behind])));
    const __m128i old = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(out));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out),
                     _mm_or_si128(_mm_and_si128(keep, old), _mm_andnot_si128(keep, colours)));
  }
}

const bool kHasSsse3 = __builtin_cpu_supports("ssse3");

}  // namespace
#endif

bool DrawTileRowSimd(uint8_t* out, const TileRow& row, const uint8_t* patterns,
                     const uint8_t* palette, unsigned skip) {
#ifdef HALVOREN_HAS_SSSE3_PATH
  if (kHasSsse3) {
    DrawTileRowSsse3(out, row, patterns, palette, skip);
    return true;
  }
#endif
  (void)out, (void)row, (void)patterns, (void)palette, (void)skip;
  return false;
}

void DrawTileRow(uint8_t* out, const TileRow& row, const uint8_t* patterns, const uint8_t* palette,
                 unsigned skip) {
  if (!DrawTileRowSimd(out, row, patterns, palette, skip))
    DrawTileRowPortable(out, row, patterns, palette, skip);
}

bool PutSpriteRowsSimd(uint8_t* front, uint8_t* base, const SpriteRow* rows, int count,
                       const uint8_t* patterns, const uint8_t* palette) {
#ifdef HALVOREN_HAS_SSSE3_PATH
  if (kHasSsse3) {
    PutSpriteRowsSsse3(front, base, rows, count, patterns, palette);
    return true;
  }
#endif
  (void)front, (void)base, (void)rows, (void)count, (void)patterns, (void)palette;
  return false;
}

void PutSpriteRows(uint8_t* front, uint8_t* base, const SpriteRow* rows, int count,
                   const uint8_t* patterns, const uint8_t* palette) {
  if (!PutSpriteRowsSimd(front, base, rows, count, patterns, palette))
    PutSpriteRowsPortable(front, base, rows, count, patterns, palette);
}

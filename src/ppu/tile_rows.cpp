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

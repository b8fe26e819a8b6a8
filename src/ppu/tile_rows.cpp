#include "ppu/tile_rows.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define HALVOREN_HAS_SSSE3_PATH 1
#endif

void DrawTilePairsPortable(uint8_t* out, const TilePair* pairs, const uint8_t* palette) {
  for (unsigned pair = 0; pair < kBackgroundPairs; ++pair, out += 16) {
    const uint8_t* colours = palette + pairs[pair].Attribute;
    for (int i = 0; i < 8; ++i) out[i] = colours[pairs[pair].Left[i]];
    for (int i = 0; i < 8; ++i) out[8 + i] = colours[pairs[pair].Right[i]];
  }
}

#ifdef HALVOREN_HAS_SSSE3_PATH
namespace {
// One byte shuffle looks up 16 pixels in the 16 background colours.
[[gnu::target("ssse3")]] void DrawTilePairsSsse3(uint8_t* out, const TilePair* pairs,
                                                 const uint8_t* palette) {
  const __m128i colours = _mm_loadu_si128(reinterpret_cast<const __m128i*>(palette));
  for (unsigned pair = 0; pair < kBackgroundPairs; ++pair, out += 16) {
    const __m128i left = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pairs[pair].Left));
    const __m128i right = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pairs[pair].Right));
    const __m128i index = _mm_or_si128(_mm_unpacklo_epi64(left, right),
                                       _mm_set1_epi8(static_cast<char>(pairs[pair].Attribute)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(colours, index));
  }
}
const bool kHasSsse3 = __builtin_cpu_supports("ssse3");
}  // namespace
#endif

bool DrawTilePairsSimd(uint8_t* out, const TilePair* pairs, const uint8_t* palette) {
#ifdef HALVOREN_HAS_SSSE3_PATH
  if (kHasSsse3) {
    DrawTilePairsSsse3(out, pairs, palette);
    return true;
  }
#endif
  (void)out, (void)pairs, (void)palette;
  return false;
}

void DrawTilePairs(uint8_t* out, const TilePair* pairs, const uint8_t* palette) {
  if (!DrawTilePairsSimd(out, pairs, palette)) DrawTilePairsPortable(out, pairs, palette);
}

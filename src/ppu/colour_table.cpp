#include "ppu/colour_table.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define HALVOREN_HAS_AVX2_PATH 1
#endif

void ColourTable::Follow(const PaletteEntry* palette) {
  if (Made && std::memcmp(MadeFrom, palette, sizeof MadeFrom) == 0) return;
  std::memcpy(MadeFrom, palette, sizeof MadeFrom);
  for (int i = 0; i < 256; ++i)
    Colours[i] = 0xFF000000u | (palette[i].Red << 16) | (palette[i].Green << 8) | palette[i].Blue;
  for (int i = 0; i < 64; ++i) {
    Components[0][i / 16][i % 16] = palette[i].Red;
    Components[1][i / 16][i % 16] = palette[i].Green;
    Components[2][i / 16][i % 16] = palette[i].Blue;
  }
  Made = true;
}

namespace {

void ConvertRow(const uint8_t* in, uint32_t* out, int width, const uint32_t* colours) {
  for (int x = 0; x < width; ++x) out[x] = colours[in[x]];
}

#ifdef HALVOREN_HAS_AVX2_PATH
// The twelve rows of 16 table bytes, each in both halves of a register.
struct ComponentRows {
  __m256i Rows[3][4];
};

[[gnu::target("avx2")]] inline ComponentRows LoadRows(const ColourTable& table) {
  ComponentRows rows;
  for (int component = 0; component < 3; ++component)
    for (int row = 0; row < 4; ++row)
      rows.Rows[component][row] = _mm256_broadcastsi128_si256(
          _mm_load_si128(reinterpret_cast<const __m128i*>(table.Components[component][row])));
  return rows;
}

// One colour component of 32 pixels 0-63: a shuffle in each row of 16, then the row picked by
// pixel bits 4 and 5 (moved up to bit 7, where the blend looks).
[[gnu::target("avx2")]] inline __m256i Component(const __m256i (&rows)[4], __m256i pixels,
                                                 __m256i bit4, __m256i bit5) {
  const __m256i low = _mm256_blendv_epi8(_mm256_shuffle_epi8(rows[0], pixels),
                                         _mm256_shuffle_epi8(rows[1], pixels), bit4);
  const __m256i high = _mm256_blendv_epi8(_mm256_shuffle_epi8(rows[2], pixels),
                                          _mm256_shuffle_epi8(rows[3], pixels), bit4);
  return _mm256_blendv_epi8(low, high, bit5);
}

// 32 pixels whose bytes are all below 64 into 32 colours at `out`. The unpacks work within
// each half of a register, so the pixels are first dealt out in groups of four, even groups
// to the low half and odd ones to the high half: then each half's results are consecutive.
[[gnu::target("avx2")]] inline void ConvertBlock(__m256i block, const ComponentRows& rows,
                                                 uint32_t* out) {
  const __m256i pixels =
      _mm256_permutevar8x32_epi32(block, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
  const __m256i bit4 = _mm256_slli_epi16(pixels, 3), bit5 = _mm256_slli_epi16(pixels, 2);
  const __m256i red = Component(rows.Rows[0], pixels, bit4, bit5);
  const __m256i green = Component(rows.Rows[1], pixels, bit4, bit5);
  const __m256i blue = Component(rows.Rows[2], pixels, bit4, bit5);
  const __m256i alpha = _mm256_set1_epi8(static_cast<char>(0xFF));
  // Bytes B, G, R, A per pixel.
  const __m256i blueGreenLow = _mm256_unpacklo_epi8(blue, green);
  const __m256i blueGreenHigh = _mm256_unpackhi_epi8(blue, green);
  const __m256i redAlphaLow = _mm256_unpacklo_epi8(red, alpha);
  const __m256i redAlphaHigh = _mm256_unpackhi_epi8(red, alpha);
  auto* to = reinterpret_cast<__m256i*>(out);
  _mm256_storeu_si256(to, _mm256_unpacklo_epi16(blueGreenLow, redAlphaLow));
  _mm256_storeu_si256(to + 1, _mm256_unpackhi_epi16(blueGreenLow, redAlphaLow));
  _mm256_storeu_si256(to + 2, _mm256_unpacklo_epi16(blueGreenHigh, redAlphaHigh));
  _mm256_storeu_si256(to + 3, _mm256_unpackhi_epi16(blueGreenHigh, redAlphaHigh));
}

// Blocks holding a byte of 64 or more, and the row's last few pixels, go one at a time.
[[gnu::target("avx2")]] void ConvertRowsAvx2(const uint8_t* pixels, int stride, int width,
                                             int height, const ColourTable& table, uint8_t* out,
                                             int pitch) {
  const ComponentRows rows = LoadRows(table);
  const __m256i aboveNesColours = _mm256_set1_epi8(static_cast<char>(0xC0));
  for (int y = 0; y < height; ++y, pixels += stride, out += pitch) {
    auto* row = reinterpret_cast<uint32_t*>(out);
    int x = 0;
    for (; x + 32 <= width; x += 32) {
      const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + x));
      if (_mm256_testz_si256(block, aboveNesColours))
        ConvertBlock(block, rows, row + x);
      else
        ConvertRow(pixels + x, row + x, 32, table.Colours);
    }
    ConvertRow(pixels + x, row + x, width - x, table.Colours);
  }
}
const bool kHasAvx2 = __builtin_cpu_supports("avx2");

// Where the processor looks up 64 bytes in a 64-byte table at once: one lookup per component
// for 64 pixels, laid out as the 32-pixel path does, in four quarters instead of two halves.
[[gnu::target("avx512f,avx512bw,avx512vbmi")]] void ConvertRowsAvx512(const uint8_t* pixels,
                                                                      int stride, int width,
                                                                      int height,
                                                                      const ColourTable& table,
                                                                      uint8_t* out, int pitch) {
  const __m512i red = _mm512_loadu_si512(table.Components[0]);
  const __m512i green = _mm512_loadu_si512(table.Components[1]);
  const __m512i blue = _mm512_loadu_si512(table.Components[2]);
  const __m512i alpha = _mm512_set1_epi8(static_cast<char>(0xFF));
  const __m512i aboveNesColours = _mm512_set1_epi8(static_cast<char>(0xC0));
  const __m512i deal = _mm512_setr_epi32(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  for (int y = 0; y < height; ++y, pixels += stride, out += pitch) {
    auto* row = reinterpret_cast<uint32_t*>(out);
    int x = 0;
    for (; x + 64 <= width; x += 64) {
      const __m512i block = _mm512_loadu_si512(pixels + x);
      if (_mm512_test_epi8_mask(block, aboveNesColours) != 0) {
        ConvertRow(pixels + x, row + x, 64, table.Colours);
        continue;
      }
      // (The zero-masked forms: the plain ones trip GCC 12's uninitialised-value warning.)
      const __m512i dealt = _mm512_maskz_permutexvar_epi32(0xFFFF, deal, block);
      const __m512i r = _mm512_maskz_permutexvar_epi8(~0ull, dealt, red);
      const __m512i g = _mm512_maskz_permutexvar_epi8(~0ull, dealt, green);
      const __m512i b = _mm512_maskz_permutexvar_epi8(~0ull, dealt, blue);
      const __m512i blueGreenLow = _mm512_unpacklo_epi8(b, g);
      const __m512i blueGreenHigh = _mm512_unpackhi_epi8(b, g);
      const __m512i redAlphaLow = _mm512_unpacklo_epi8(r, alpha);
      const __m512i redAlphaHigh = _mm512_unpackhi_epi8(r, alpha);
      _mm512_storeu_si512(row + x, _mm512_unpacklo_epi16(blueGreenLow, redAlphaLow));
      _mm512_storeu_si512(row + x + 16, _mm512_unpackhi_epi16(blueGreenLow, redAlphaLow));
      _mm512_storeu_si512(row + x + 32, _mm512_unpacklo_epi16(blueGreenHigh, redAlphaHigh));
      _mm512_storeu_si512(row + x + 48, _mm512_unpackhi_epi16(blueGreenHigh, redAlphaHigh));
    }
    ConvertRow(pixels + x, row + x, width - x, table.Colours);
  }
}
const bool kHasAvx512Vbmi =
    __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512bw");
#endif

}  // namespace

void ConvertToColoursPortable(const uint8_t* pixels, int stride, int width, int height,
                              const ColourTable& table, void* out, int pitch) {
  auto* bytes = static_cast<uint8_t*>(out);
  for (int y = 0; y < height; ++y, pixels += stride, bytes += pitch)
    ConvertRow(pixels, reinterpret_cast<uint32_t*>(bytes), width, table.Colours);
}

bool ConvertToColoursAvx512(const uint8_t* pixels, int stride, int width, int height,
                            const ColourTable& table, void* out, int pitch) {
#ifdef HALVOREN_HAS_AVX2_PATH
  if (kHasAvx512Vbmi) {
    ConvertRowsAvx512(pixels, stride, width, height, table, static_cast<uint8_t*>(out), pitch);
    return true;
  }
#endif
  (void)pixels, (void)stride, (void)width, (void)height, (void)table, (void)out, (void)pitch;
  return false;
}

bool ConvertToColoursAvx2(const uint8_t* pixels, int stride, int width, int height,
                          const ColourTable& table, void* out, int pitch) {
#ifdef HALVOREN_HAS_AVX2_PATH
  if (kHasAvx2) {
    ConvertRowsAvx2(pixels, stride, width, height, table, static_cast<uint8_t*>(out), pitch);
    return true;
  }
#endif
  (void)pixels, (void)stride, (void)width, (void)height, (void)table, (void)out, (void)pitch;
  return false;
}

void ConvertToColours(const uint8_t* pixels, int stride, int width, int height,
                      const ColourTable& table, void* out, int pitch) {
  if (!ConvertToColoursAvx512(pixels, stride, width, height, table, out, pitch) &&
      !ConvertToColoursAvx2(pixels, stride, width, height, table, out, pitch))
    ConvertToColoursPortable(pixels, stride, width, height, table, out, pitch);
}

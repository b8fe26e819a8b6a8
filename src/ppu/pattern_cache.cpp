// Pattern tables kept decoded, one byte (0-3) per pixel, so the renderer never touches the
// two bit planes while drawing.
#include <array>
#include <cstring>

#include "core/machine.h"

namespace {

// The eight pixels of one plane byte, one byte each (0 or 1), leftmost pixel (bit 7) first.
constexpr std::array<uint64_t, 256> MakePlaneTable() {
  std::array<uint64_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte)
    for (int column = 0; column < 8; ++column)
      if (byte & (0x80 >> column)) table[byte] |= uint64_t{1} << (8 * column);
  return table;
}
constexpr std::array<uint64_t, 256> kPlanePixels = MakePlaneTable();

void DecodeTile(Machine& m, uint32_t tile) {
  uint8_t* out = m.PatternCache + tile * 4;
  for (int row = 0; row < 8; ++row) {
    // Host byte order: the first pixel is the lowest byte in memory.
    const uint64_t pixels =
        kPlanePixels[m.PpuMemory[tile + row]] | (kPlanePixels[m.PpuMemory[tile + row + 8]] << 1);
    std::memcpy(out + row * 8, &pixels, 8);
  }
  std::memcpy(m.DecodedPatterns + tile, m.PpuMemory + tile, 16);
}

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the plane table assumes it");

}  // namespace

// Only tiles whose bytes differ from the ones last decoded are decoded again: boards that
// rewrite every CHR register each frame with the same banks cost a compare, not a decode.
void Machine::DecodePatterns(uint16_t start, uint16_t length) {
  uint32_t end = static_cast<uint32_t>(start) + length;
  if (end > 0x2000) end = 0x2000;
  for (uint32_t tile = start & ~15u; tile < end; tile += 16)
    if (std::memcmp(DecodedPatterns + tile, PpuMemory + tile, 16) != 0) DecodeTile(*this, tile);
}

// Everything again, whatever was recorded: the one way back if the cache was disturbed.
void Machine::RebuildPatternCache() {
  for (uint32_t tile = 0; tile < 0x2000; tile += 16) DecodeTile(*this, tile);
  PatternsDirty = 0;
}

// Pattern tables kept decoded, one byte (0-3) per pixel, so the renderer never touches the
// two bit planes while drawing.
#include "core/machine.h"

void Machine::DecodePatterns(uint16_t start, uint16_t length) {
  uint32_t end = static_cast<uint32_t>(start) + length;
  if (end > 0x2000) end = 0x2000;
  for (uint32_t tile = start & ~15u; tile < end; tile += 16) {
    uint8_t* out = PatternCache + tile * 4;
    for (int row = 0; row < 8; ++row) {
      const uint8_t low = PpuMemory[tile + row];
      const uint8_t high = PpuMemory[tile + row + 8];
      for (int column = 0; column < 8; ++column) {
        const int bit = 7 - column;
        *out++ = static_cast<uint8_t>(((low >> bit) & 1) | (((high >> bit) & 1) << 1));
      }
    }
  }
}

void Machine::RebuildPatternCache() {
  DecodePatterns(0, 0x2000);
  PatternsDirty = 0;
}

#include "apu/sound_tables.h"

uint8_t NoiseTable[2048];

void BuildNoiseTable() {
  // A plain 32-bit LCG with the C library's customary constants; only the low bits of the
  // upper half are used, as they are the best mixed.
  uint32_t state = 1;
  for (uint8_t& entry : NoiseTable) {
    state = state * 1103515245u + 12345u;
    const int32_t r = static_cast<int32_t>((state >> 16) & 0x7FFF);
    entry = static_cast<uint8_t>((-r) & 15);
  }
}

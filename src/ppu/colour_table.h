// Screen bytes to 32-bit colours (0xFFRRGGBB), for hosts that show true colour: a 256-entry
// table made again only when the palette changes, and a conversion that looks up 32 pixels at
// a time (64 with the wider vectors) where the processor can.
#pragma once

#include <cstdint>

#include "ppu/palette.h"

struct ColourTable {
  uint32_t Colours[256];
  // Entries 0-63 (the NES colours, nearly every picture byte) as byte shuffles take them: for
  // red, green and blue, four rows of 16.
  alignas(16) uint8_t Components[3][4][16];
  PaletteEntry MadeFrom[256];
  bool Made = false;

  // Makes the table again if `palette` differs from the one it was made from.
  void Follow(const PaletteEntry* palette);
};

// `height` rows of `width` screen bytes, `stride` bytes apart, into the colours' rows `pitch`
// bytes apart at `out` (a locked texture, say).
void ConvertToColours(const uint8_t* pixels, int stride, int width, int height,
                      const ColourTable& table, void* out, int pitch);
// The same one pixel at a time: what the fast path must equal, and its stand-in.
void ConvertToColoursPortable(const uint8_t* pixels, int stride, int width, int height,
                              const ColourTable& table, void* out, int pitch);
// The vector paths alone (tests, benchmarks): false, with nothing done, where the processor
// lacks them.
bool ConvertToColoursAvx512(const uint8_t* pixels, int stride, int width, int height,
                            const ColourTable& table, void* out, int pitch);
bool ConvertToColoursAvx2(const uint8_t* pixels, int stride, int width, int height,
                          const ColourTable& table, void* out, int pitch);

// The 256-entry display palette. Picture bytes are NES colour numbers and are shown through
// this table unchanged; only entries 0-63 are ever written by the emulation.
#pragma once

#include <cstdint>

struct PaletteEntry {
  uint8_t Red, Green, Blue;
};

extern PaletteEntry SystemPalette[256];

// Fills SystemPalette, turning it into greys when Monochrome is set. Run once at start-up,
// after the configuration is read.
void BuildSystemPalette();

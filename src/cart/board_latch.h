// Tile-latch board (mapper 10): two candidate 4 KB CHR banks per pattern table, chosen by a
// latch that the renderer flips when it fetches background tile $FD or $FE.
#pragma once

#include <cstdint>

#include "core/machine.h"

// The two tile latches ($FD or $FE), one per pattern table, kept in the line-counter bytes.
inline uint8_t& Mapper10Latch0(Machine& m) { return m.LineReload; }
inline uint8_t& Mapper10Latch1(Machine& m) { return m.LineIrqEnabled; }

void Mapper10High(Machine& m, uint16_t address, uint8_t value);
// Both latches start at $FE, all four bank registers at 0.
void Mapper10PowerOn(Machine& m);

// Tile-latch board (mapper 10): two candidate 4 KB CHR banks per pattern table, chosen by a
// latch that the renderer flips when it fetches background tile $FD or $FE.
#pragma once

#include <cstdint>

struct Machine;

void Mapper10High(Machine& m, uint16_t address, uint8_t value);

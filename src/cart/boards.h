// The write bus's two entries into the current board, looked up in the board table.
#pragma once

#include <cstdint>

struct Machine;

// $8000-$FFFF writes, by MapperNumber. Boards without a high-range handler ignore the write.
void WriteHighRange(Machine& m, uint16_t address, uint8_t value);
// $2008-$7FFF writes that are not PPU, sound or port registers, by MapperNumber.
void WriteLowRange(Machine& m, uint16_t address, uint8_t value);

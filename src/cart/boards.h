// Per-board register handlers. The write bus hands every cartridge-visible write to the
// current board through the two dispatch functions below; each board family lives in its own
// file (board_<family>.cpp) and adds its cases to the switches in dispatch.cpp.
#pragma once

#include <cstdint>

struct Machine;

// $8000-$FFFF writes, by MapperNumber. Boards without a high-range handler ignore the write.
void WriteHighRange(Machine& m, uint16_t address, uint8_t value);
// $2008-$7FFF writes that are not PPU, sound or port registers, by MapperNumber.
void WriteLowRange(Machine& m, uint16_t address, uint8_t value);
// Power-on values of a board's registers, after the loader laid out its windows.
void PowerOnBoardRegisters(Machine& m);

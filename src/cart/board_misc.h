// The other boards below 64: the copier boards (6, 17) with registers at $42FE-$4517, Irem's
// board 32, Taito's board 33 and board 48 with registers at $5103-$5116 (and its sprite 0 hit
// readable at $5204). Mapper 5 loads with its power-on layout and has no registers.
#pragma once

#include <cstdint>

#include "core/machine.h"

// What these boards keep in the shared bytes.
inline uint8_t& Mapper6Mode(Machine& m) { return m.CommandIndex; }
inline uint8_t& Mapper6ChrRamBank(Machine& m) { return m.PrgSelect; }
inline uint16_t& Mapper17CounterCopy(Machine& m) { return m.MapperWord; }
inline uint8_t& Mapper32PrgMode(Machine& m) { return m.LineIrqEnabled; }

void Mapper6High(Machine& m, uint16_t address, uint8_t value);
void Mapper6Low(Machine& m, uint16_t address, uint8_t value);
void Mapper17Low(Machine& m, uint16_t address, uint8_t value);
void Mapper32High(Machine& m, uint16_t address, uint8_t value);
void Mapper33High(Machine& m, uint16_t address, uint8_t value);
void Mapper48Low(Machine& m, uint16_t address, uint8_t value);
// $5204 reads the sprite 0 hit in bit 7.
uint8_t Mapper48Read(Machine& m, uint16_t address);
// Power-on: 6 in copier mode with CHR RAM bank 0 shown; 32's first $8FF0 bank goes to $C000;
// 33's first two windows already hold banks 0 and 1; 48 (and 5) start with both mode bytes 3.
void Mapper6PowerOn(Machine& m);
void Mapper32PowerOn(Machine& m);
void Mapper33PowerOn(Machine& m);
void Mapper48PowerOn(Machine& m);
// The copier boards' CPU-cycle counters: 6 on visible lines, 17 on every line.
void Mapper6Step(Machine& m, int line);
void Mapper17Step(Machine& m, int line);

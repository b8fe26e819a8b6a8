// The other boards below 64: the copier boards (6, 17) with registers at $42FE-$4517, Irem's
// board 32, Taito's board 33 and board 48 with registers at $5103-$5116. Mapper 5 loads with
// its power-on layout and has no registers.
#pragma once

#include <cstdint>

struct Machine;

void Mapper6High(Machine& m, uint16_t address, uint8_t value);
void Mapper6Low(Machine& m, uint16_t address, uint8_t value);
void Mapper17Low(Machine& m, uint16_t address, uint8_t value);
void Mapper32High(Machine& m, uint16_t address, uint8_t value);
void Mapper33High(Machine& m, uint16_t address, uint8_t value);
void Mapper48Low(Machine& m, uint16_t address, uint8_t value);

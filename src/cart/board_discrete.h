// Discrete-logic boards: one or two latches selecting PRG, CHR and sometimes the mirroring.
#pragma once

#include <cstdint>

struct Machine;

void Mapper2High(Machine& m, uint16_t address, uint8_t value);
void Mapper3High(Machine& m, uint16_t address, uint8_t value);
void Mapper7High(Machine& m, uint16_t address, uint8_t value);
void Mapper8High(Machine& m, uint16_t address, uint8_t value);
void Mapper11High(Machine& m, uint16_t address, uint8_t value);
void Mapper15High(Machine& m, uint16_t address, uint8_t value);
void Mapper34High(Machine& m, uint16_t address, uint8_t value);
void Mapper34Low(Machine& m, uint16_t address, uint8_t value);
void Mapper41High(Machine& m, uint16_t address, uint8_t value);
void Mapper41Low(Machine& m, uint16_t address, uint8_t value);

// Mapper 41 starts with its inner CHR select disabled and outer CHR bits 0.
void Mapper41PowerOn(Machine& m);
// Mapper 0 stores every low-range write in the CPU image.
void Mapper0Low(Machine& m, uint16_t address, uint8_t value);

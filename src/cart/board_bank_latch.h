// Latch boards: one value (or one address) written selects the PRG and CHR banks.
#pragma once

#include <cstdint>

struct Machine;

void Mapper66High(Machine& m, uint16_t address, uint8_t value);
void Mapper66Low(Machine& m, uint16_t address, uint8_t value);
void Mapper70High(Machine& m, uint16_t address, uint8_t value);
// Also mapper 232, whose outer bank bits this board never decodes.
void Mapper71High(Machine& m, uint16_t address, uint8_t value);
void Mapper78High(Machine& m, uint16_t address, uint8_t value);
void Mapper79Low(Machine& m, uint16_t address, uint8_t value);
void Mapper87Low(Machine& m, uint16_t address, uint8_t value);
void Mapper184Low(Machine& m, uint16_t address, uint8_t value);

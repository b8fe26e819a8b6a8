// Boards whose registers sit in the cartridge RAM area ($6000-$7FFF) and ignore the high range.
#pragma once

#include <cstdint>

struct Machine;

void Mapper80Low(Machine& m, uint16_t address, uint8_t value);
void Mapper91Low(Machine& m, uint16_t address, uint8_t value);
void Mapper246Low(Machine& m, uint16_t address, uint8_t value);

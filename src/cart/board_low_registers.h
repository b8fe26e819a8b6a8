// Boards whose registers sit in the cartridge RAM area ($6000-$7FFF) and ignore the high range.
#pragma once

#include <cstdint>

#include "core/machine.h"

// What this board keeps in the shared counter bytes.
inline uint8_t& Mapper80NameTableState(Machine& m) { return m.LineCounter; }

void Mapper80Low(Machine& m, uint16_t address, uint8_t value);
void Mapper91Low(Machine& m, uint16_t address, uint8_t value);
void Mapper246Low(Machine& m, uint16_t address, uint8_t value);
void Mapper80PowerOn(Machine& m);
// Mapper 91 raises its IRQ on the visible line after it is enabled, even with I set.
void Mapper91Step(Machine& m, int line);

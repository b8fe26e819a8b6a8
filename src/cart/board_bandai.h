// Bandai (mapper 16) and Jaleco (mapper 18) boards: direct bank registers and a CPU-cycle IRQ
// counter that the frame loop steps.
#pragma once

#include <cstdint>

struct Machine;

// Mapper 16's one register file answers at $6000-$7FFF and at $8000-$FFFF.
void Mapper16High(Machine& m, uint16_t address, uint8_t value);
void Mapper16Low(Machine& m, uint16_t address, uint8_t value);
void Mapper18High(Machine& m, uint16_t address, uint8_t value);

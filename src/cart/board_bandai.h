// Bandai (mapper 16) and Jaleco (mapper 18) boards: direct bank registers and a CPU-cycle IRQ
// counter stepped every line.
#pragma once

#include <cstdint>

#include "core/machine.h"

// What this board keeps in the shared counter bytes.
inline uint8_t& Mapper16IrqEnabled(Machine& m) { return m.IrqLatch; }
inline uint16_t& Mapper16Counter(Machine& m) { return m.IrqWord; }
inline uint8_t& Mapper18LastChrWindow(Machine& m) { return m.LineIrqEnabled; }

// Mapper 16's one register file answers at $6000-$7FFF and at $8000-$FFFF.
void Mapper16High(Machine& m, uint16_t address, uint8_t value);
void Mapper16Low(Machine& m, uint16_t address, uint8_t value);
void Mapper18High(Machine& m, uint16_t address, uint8_t value);
void Mapper16PowerOn(Machine& m);
// CPU-cycle counters, every line: 16 counts its word down, 18 its counter down.
void Mapper16Step(Machine& m, int line);
void Mapper18Step(Machine& m, int line);

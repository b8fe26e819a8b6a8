// Konami VRC2/VRC4 boards (21, 22, 23, 25): 8 KB PRG windows, eight 1 KB CHR windows written
// as two 4-bit halves, a four-way mirroring register and (except mapper 22) an IRQ counter
// stepped every line. The VRC6 boards (24, 26) are in board_vrc6.h.
#pragma once

#include <cstdint>

#include "core/machine.h"

// What these boards keep in the shared bytes.
inline uint16_t& VrcPrgTarget(Machine& m) { return m.MapperWord; }              // 21, 25
inline uint8_t& Mapper25PrgRecordSlot(Machine& m) { return m.LineIrqEnabled; }  // 25
inline uint8_t& Mapper23Wiring(Machine& m) { return m.LineCounter; }            // 0 or $FF
inline uint8_t& Mapper23ReloadAddend(Machine& m) { return m.LineIrqEnabled; }   // 0 each frame
inline uint8_t& Mapper25WiringKnown(Machine& m) { return m.ShiftValue; }
inline uint8_t& Mapper25WiringLines23(Machine& m) { return m.ShiftCount; }

void Mapper21High(Machine& m, uint16_t address, uint8_t value);
void Mapper22High(Machine& m, uint16_t address, uint8_t value);
void Mapper23High(Machine& m, uint16_t address, uint8_t value);
void Mapper25High(Machine& m, uint16_t address, uint8_t value);

// Power-on: the switchable PRG bank at $8000, no CHR half written, the counter off.
void Mapper21PowerOn(Machine& m);
void Mapper23PowerOn(Machine& m);
void Mapper25PowerOn(Machine& m);
// Konami line counters, every line: count up, fire at a threshold, reload from the latch.
void Mapper21Step(Machine& m, int line);
void Mapper23Step(Machine& m, int line);
void Mapper25Step(Machine& m, int line);

// Konami VRC boards: 8 KB PRG windows, eight 1 KB CHR windows, a four-way mirroring register
// and (except mapper 22) an IRQ counter the frame loop steps. Mappers 21, 22, 23 and 25 write
// each CHR bank as two 4-bit halves; 24 and 26 (VRC6) write whole bytes.
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
inline uint16_t& Vrc6Reload(Machine& m) { return m.IrqWord; }  // 24
inline uint8_t& Mapper26EnableAfterAck(Machine& m) { return m.IrqEnabled; }

void Mapper21High(Machine& m, uint16_t address, uint8_t value);
void Mapper22High(Machine& m, uint16_t address, uint8_t value);
void Mapper23High(Machine& m, uint16_t address, uint8_t value);
void Mapper25High(Machine& m, uint16_t address, uint8_t value);
void Mapper24High(Machine& m, uint16_t address, uint8_t value);
void Mapper26High(Machine& m, uint16_t address, uint8_t value);

// Power-on: the switchable PRG bank at $8000, no CHR half written, the counter off.
void Mapper21PowerOn(Machine& m);
void Mapper23PowerOn(Machine& m);
void Mapper25PowerOn(Machine& m);
// Konami line counters, every line: count up, fire at a threshold, reload from the latch.
void Mapper21Step(Machine& m, int line);
void Mapper23Step(Machine& m, int line);
void Mapper25Step(Machine& m, int line);
// VRC6: 24 counts every line and reloads; 26 counts visible lines down like MMC3.
void Mapper24Step(Machine& m, int line);
void Mapper26Step(Machine& m, int line);

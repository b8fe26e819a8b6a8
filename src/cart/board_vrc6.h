// Konami VRC6 boards (24, 26; 26 has address lines 0 and 1 exchanged): a 16 KB and an 8 KB PRG
// window, eight 1 KB CHR windows written as whole bytes, and an IRQ counter. Mapper 24's sound
// registers feed the expansion sound.
#pragma once

#include <cstdint>

#include "core/machine.h"

// What these boards keep in the shared counter bytes.
inline uint16_t& Vrc6Reload(Machine& m) { return m.IrqWord; }                // 24
inline uint8_t& Mapper26EnableAfterAck(Machine& m) { return m.IrqEnabled; }  // 26

void Mapper24High(Machine& m, uint16_t address, uint8_t value);
void Mapper26High(Machine& m, uint16_t address, uint8_t value);

// 24 counts every line up and reloads; 26 counts visible lines down like MMC3.
void Mapper24Step(Machine& m, int line);
void Mapper26Step(Machine& m, int line);

// Namco 106 (mapper 19): 1 KB CHR banks that can also stand in for name tables, three 8 KB PRG
// windows, a cycle counter and the port into the expansion sound's memory.
#pragma once

#include <cstdint>

#include "core/machine.h"

// What this board keeps in the shared counter bytes.
inline uint8_t& NamcoSoundAddressPort(Machine& m) { return m.IrqAckEnable; }
inline uint16_t& NamcoIrqsThisFrame(Machine& m) { return m.IrqWord; }

void NamcoHigh(Machine& m, uint16_t address, uint8_t value);
void NamcoLow(Machine& m, uint16_t address, uint8_t value);
// The sound port at $4800 and the counter at $5000-$5FFF read back.
uint8_t NamcoRead(Machine& m, uint16_t address);
void NamcoPowerOn(Machine& m);
// The cycle counter, every line; it runs a little fast on the first IRQs of a frame.
void NamcoStep(Machine& m, int line);

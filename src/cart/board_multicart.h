// Multicart boards: several games behind one outer bank latch, often decoded from the address.
#pragma once

#include <cstdint>

#include "core/machine.h"

// Mapper 227's outer latch (the board has no IRQ).
inline uint8_t& Mapper227OuterLatch(Machine& m) { return m.IrqAckEnable; }

void Mapper225High(Machine& m, uint16_t address, uint8_t value);
void Mapper227High(Machine& m, uint16_t address, uint8_t value);
void Mapper240High(Machine& m, uint16_t address, uint8_t value);
void Mapper240Low(Machine& m, uint16_t address, uint8_t value);
void Mapper241High(Machine& m, uint16_t address, uint8_t value);
void Mapper241Low(Machine& m, uint16_t address, uint8_t value);
// Boards recognised without banking (89, 228, 231, 242, 254): the write is only logged.
void LogOnlyHigh(Machine& m, uint16_t address, uint8_t value);
// Mapper 225 always starts with vertical mirroring, whatever the header says.
void Mapper225PowerOn(Machine& m);

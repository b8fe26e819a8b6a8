// Konami VRC boards: 8 KB PRG windows, eight 1 KB CHR windows, a four-way mirroring register
// and (except mapper 22) an IRQ counter the frame loop steps. Mappers 21, 22, 23 and 25 write
// each CHR bank as two 4-bit halves; 24 and 26 (VRC6) write whole bytes.
#pragma once

#include <cstdint>

struct Machine;

void Mapper21High(Machine& m, uint16_t address, uint8_t value);
void Mapper22High(Machine& m, uint16_t address, uint8_t value);
void Mapper23High(Machine& m, uint16_t address, uint8_t value);
void Mapper25High(Machine& m, uint16_t address, uint8_t value);
void Mapper24High(Machine& m, uint16_t address, uint8_t value);
void Mapper26High(Machine& m, uint16_t address, uint8_t value);

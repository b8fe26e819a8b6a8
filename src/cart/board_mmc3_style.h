// MMC3-style boards: a select write picks a window, a data write fills it, as on MMC3, each
// with its own register addresses, slot table or counter loading. Mapper 74 is MMC3 itself
// on the write side (its counter differs), so it uses Mmc3High.
#pragma once

#include <cstdint>

struct Machine;

void Mapper64High(Machine& m, uint16_t address, uint8_t value);
void Mapper112High(Machine& m, uint16_t address, uint8_t value);
void Mapper115High(Machine& m, uint16_t address, uint8_t value);
void Mapper118High(Machine& m, uint16_t address, uint8_t value);
void Mapper161High(Machine& m, uint16_t address, uint8_t value);
void Mapper161Low(Machine& m, uint16_t address, uint8_t value);
void Mapper245High(Machine& m, uint16_t address, uint8_t value);
void Mapper249High(Machine& m, uint16_t address, uint8_t value);
void Mapper249Low(Machine& m, uint16_t address, uint8_t value);

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

// 118 starts in one-screen mode; 245 has no swap-target step (slot 6 is $8000 for good).
void Mapper118PowerOn(Machine& m);
void Mapper245PowerOn(Machine& m);
// Their line counters (74 is MMC3 on the write side, but its counter differs).
void Mapper74Step(Machine& m, int line);
void Mapper118Step(Machine& m, int line);
void Mapper161Step(Machine& m, int line);
void Mapper245Step(Machine& m, int line);
void Mapper249Step(Machine& m, int line);

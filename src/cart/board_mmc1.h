// MMC1 (mapper 1): five-write serial port feeding four internal registers.
#pragma once

#include <cstdint>

struct Machine;

void Mmc1High(Machine& m, uint16_t address, uint8_t value);
void Mmc1PowerOn(Machine& m);

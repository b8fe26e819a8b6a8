// Register boards: each register fills one PRG or CHR window directly, at fixed addresses.
#pragma once

#include <cstdint>

struct Machine;

void Mapper65High(Machine& m, uint16_t address, uint8_t value);
void Mapper68High(Machine& m, uint16_t address, uint8_t value);
void Mapper69High(Machine& m, uint16_t address, uint8_t value);
void Mapper73High(Machine& m, uint16_t address, uint8_t value);
void Mapper90High(Machine& m, uint16_t address, uint8_t value);
void Mapper96High(Machine& m, uint16_t address, uint8_t value);
void Mapper160High(Machine& m, uint16_t address, uint8_t value);
void Mapper250High(Machine& m, uint16_t address, uint8_t value);
// 69: CPU-cycle counter, every line, stays enabled. 73: down-counter on visible lines. 160:
// MMC3-like line counter that reloads after its IRQ.
void Mapper69Step(Machine& m, int line);
void Mapper73Step(Machine& m, int line);
void Mapper160Step(Machine& m, int line);

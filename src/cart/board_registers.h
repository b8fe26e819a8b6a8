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

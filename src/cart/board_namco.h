// Namco 106 (mapper 19): 1 KB CHR banks that can also stand in for name tables, three 8 KB PRG
// windows, a cycle counter and the port into the expansion sound's memory.
#pragma once

#include <cstdint>

struct Machine;

// The two name-table pages saved while a table shows a CHR ROM page.
extern uint8_t CiramSave[2][0x400];

void NamcoHigh(Machine& m, uint16_t address, uint8_t value);
void NamcoLow(Machine& m, uint16_t address, uint8_t value);
void NamcoPowerOn(Machine& m);

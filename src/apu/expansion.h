// Sound chips on the cartridge: VRC6 (mapper 24) and Namco 106 (mapper 19).
#pragma once

#include <cstdint>

// VRC6 sound registers as mapper 24's write handler stores them: row = channel
// ($9000 -> 0, $A000 -> 1, $B000 -> 2), column = address AND 3 (0-2).
extern uint8_t Vrc6Registers[3][3];

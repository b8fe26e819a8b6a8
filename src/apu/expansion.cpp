#include "apu/expansion.h"

uint8_t Vrc6Registers[3][3];

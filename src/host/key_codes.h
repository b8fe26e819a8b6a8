// Key codes inside the program are DirectInput codes; hosts deliver USB HID keyboard usages
// (SDL's scancodes are those numbers) and translate them here.
#pragma once

#include <cstdint>

// 0 for keys that have no DirectInput code; such keys are never delivered.
uint8_t KeyCodeFromUsbUsage(uint32_t usage);

#pragma once

#include <cstdint>

// LoadCartridge result codes.
constexpr uint8_t kLoadOk = 0;
constexpr uint8_t kLoadUnsupportedMapper = 3;
constexpr uint8_t kLoadTooLarge = 253;  // header declares more than the stores hold
constexpr uint8_t kLoadNotInes = 254;
constexpr uint8_t kLoadCannotOpen = 255;

bool IsSupportedMapper(uint32_t mapper);
const char* LoadFailureText(uint8_t code);

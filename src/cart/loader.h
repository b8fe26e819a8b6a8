#pragma once

#include <cstdint>
#include <string>

// LoadCartridge result codes.
constexpr uint8_t kLoadOk = 0;
constexpr uint8_t kLoadUnsupportedMapper = 3;
constexpr uint8_t kLoadTruncated = 251;  // less than one 16 KB PRG bank in the file
constexpr uint8_t kLoadIsFolder = 252;
constexpr uint8_t kLoadTooLarge = 253;  // header declares more than the stores hold
constexpr uint8_t kLoadNotInes = 254;
constexpr uint8_t kLoadCannotOpen = 255;
// The header, a trainer and 64 units of each ROM come to about 1.5 MB; more is not an image.
constexpr size_t kLargestCartridgeFile = 4u << 20;

bool IsSupportedMapper(uint32_t mapper);
// What LoadCartridge would refuse the file for (kLoadOk if nothing), with no other effect:
// lets the program say so before it opens a window.
uint8_t CheckCartridgeFile(const char* path);
// The mapper number of the last image refused as unsupported, for its message.
extern uint8_t RefusedMapperNumber;
// How many bytes the last image loaded lacks of what its header declares (read as zero).
extern uint32_t ImageBytesMissing;
// What a refusal code means, as the messages to the user say it.
std::string LoadFailureText(uint8_t code);

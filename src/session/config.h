// The configuration file: fixed-position keys, read once at start-up before any device opens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/settings.h"

// Text values and the cartridge path live in fixed buffers; longer values are cut.
constexpr size_t kTextValueSize = kCartridgePathSize;
// A configuration line holds at most this many characters; the rest of a longer line is dropped.
constexpr size_t kConfigLineLength = 254;

// Player devices.
constexpr uint8_t kDeviceNone = 0;
constexpr uint8_t kDeviceKeyboard = 1;
constexpr uint8_t kDeviceJoystick = 2;

extern char RomDirectory[kTextValueSize];   // ROMDIR=
extern char BootName[kTextValueSize];       // BOOT=
extern char DisplayDevice[kTextValueSize];  // DDEVICE
extern uint8_t FpsSetting;                  // FPS=, read and never used
extern uint32_t ScanlineMode;               // SLMODE=, accepted but always 0
extern uint8_t RapidFireRate;               // RAPIDFIRE=: frames between turbo presses
extern uint8_t PlayerDevice[2];             // PLAYER1=, PLAYER2=
// The ten KEY... entries: Up, Down, Left, Right, Select, Start, A, B, turbo A, turbo B.
// Code 0 is no key: no keyboard event carries it.
extern uint8_t ConfigKeyCodes[10];
// Joystick buttons (0-based): A, B, turbo A, turbo B, Select, Start.
extern uint8_t JoyButtonMap[6];

// CartridgePath (core/settings.h) is built here: ROMDIR, '/', BOOT (BOOT alone with an empty
// ROMDIR), or the path given on the command line.
// Path length - 3: where the state and recording names put their own extension.
extern int ExtensionPosition;
// False, with an empty path, when the path is longer than the buffer holds: it is never cut.
bool BuildCartridgePath(const char* commandLinePath);

// Program-start values of everything the file can set (the settings globals included).
void ResetConfiguration();

// Applies one line, given in a zero-filled buffer of at least kConfigLineLength + 1 bytes.
void ApplyConfigLine(const char* line);

// Reads the file. Nothing is changed when it cannot be opened or is a folder.
// Refused: there but not a regular file of a sensible size (a pipe, a device, a huge file);
// ConfigReadError then says why.
enum class ConfigRead { Read, Missing, Folder, Refused };
ConfigRead ReadConfiguration(const char* path);
extern std::string ConfigReadError;
// A configuration is a page of settings; anything this large is not one.
constexpr size_t kLargestConfiguration = 1u << 20;

// What a player without a configuration file gets: player 1 on the keyboard (arrows, X = A,
// Z = B, Right Shift = Select, Enter = Start, S and A for turbo A and B) and no cartridge
// named, so the built-in demo runs.
void UseBuiltInConfiguration();

// The player's keys beyond the console's hot keys: fast-forward, rewind, screenshot, and the
// window's views. They work in both the running and the paused state.
#pragma once

#include <cstdint>
#include <string>

#include "host/platform.h"

struct Machine;

enum PlayerKey : uint8_t {
  kKeyBackspace = 14,  // held: rewind
  kKeyTab = 15,        // held: fast-forward
  kKeyF3 = 61,         // the debugger view on or off
  kKeyF6 = 64,         // square or 8:7 pixels
  kKeyF8 = 66,         // screenshot
};

// True when the record's key is one of the above (its action done).
bool HandlePlayerKey(Machine& m, const KeyEvent& record);

// The picture as a PNG in the current folder, named after the cartridge with a counter
// (GAME-001.png, GAME-002.png, ...); the message area names the file or says why not.
// Returns the file name, or "" when nothing was written.
std::string TakeScreenshot();

// The hot keys. The running handler reads the keyboard at the start of every running frame;
// the paused handler is the debugger's command set, run over and over while paused.
#pragma once

#include <cstdint>

#include "host/platform.h"

struct Machine;

// DirectInput codes of the keys that have a command.
enum HotKey : uint8_t {
  kKeyEscape = 1,
  kKeyDigit1 = 2,  // 1 to 9 are 2 to 10
  kKeyDigit0 = 11,
  kKeyLeftBracket = 26,
  kKeyRightBracket = 27,
  kKeySemicolon = 39,
  kKeyApostrophe = 40,
  kKeyZ = 44,
  kKeyX = 45,
  kKeyC = 46,
  kKeyV = 47,
  kKeyM = 50,
  kKeyComma = 51,
  kKeyPeriod = 52,
  kKeySlash = 53,
  kKeyRightShift = 54,
  kKeyF1 = 59,
  kKeyF2 = 60,
  kKeyF5 = 63,
  kKeyF7 = 65,
  kKeyF9 = 67,
  kKeyF10 = 68,
  kKeyPadMinus = 74,
  kKeyPadPlus = 78,
  kKeyF11 = 87,
  kKeyF12 = 88,
  kKeyHome = 199,
  kKeyPageUp = 201,
  kKeyInsert = 210,
};

constexpr int kKeyRecordsPerRead = 32;

inline bool KeyPressed(const KeyEvent& record) { return (record.Data & 0x80) != 0; }

// Handles the frame's records in order: each one's command, then it drives the controllers.
// Esc (on any event) shuts the host down and asks the window to close; F12 pauses.
void HandleFrameKeys(Machine& m);
// Handles the records read while paused; they do not reach the controllers. F11 lets
// SaveSlot + 1 frames run, F12 resumes.
void HandlePausedKeys(Machine& m);

// Shared by both handlers. Reads up to 32 records (a keyboard that cannot be read after a few
// tries yields none this time) and returns how many.
int ReadKeyRecords(KeyEvent* records);
// The commands both handlers have (Esc, the digits, the state keys F1, F2, F5 and F7, F10, the
// numeric-pad keys); true when the record's key is one of them.
bool HandleSharedKey(Machine& m, const KeyEvent& record);

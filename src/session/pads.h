// The two controllers: keyboard records and joystick state turned into one byte per port.
#pragma once

#include <cstdint>

#include "host/platform.h"

struct Machine;

// Indices into ButtonState, and the slots of a key map (the first eight are the same).
enum PadSlot : uint8_t {
  kSlotUp,
  kSlotDown,
  kSlotLeft,
  kSlotRight,
  kSlotSelect,
  kSlotStart,
  kSlotA,
  kSlotB,
  kSlotTurboA,
  kSlotTurboB
};

// The keyboard side of one player: held A and B keys, held turbo keys and the turbo flags
// (bit 0 turbo A down, bit 1 turbo B down).
struct KeyboardPad {
  uint8_t AHeld, BHeld, TurboAHeld, TurboBHeld, TurboFlags;
};

// The host's side of the controllers (key tables, held keys, turbo): the session's globals;
// what the console sees of them is the Machine's PadBits.
extern uint8_t KeyMap[2][10];
extern uint8_t KeyActionTable[2][256];  // key code -> slot + 1, 0 = no action
extern uint8_t ButtonState[2][8];       // 0x80 pressed, 0 released
extern KeyboardPad KeyboardPads[2];
// Port bits of the buttons pressed by this frame's records, released or not: each is pressed
// for at least the frame its key went down in.
extern uint8_t TappedButtons[2];
extern uint8_t TurboCountdown[2];
extern uint32_t JoystickPresent;

// Start-up: the players' key maps from the configuration, then the lookup tables.
void FillKeyMaps();
void BuildKeyActionTables();
// Start-up, when a player is on the joystick; false when there is none (start-up goes on).
bool OpenJoystick();
// Without a joystick, the first player set to it plays on the keyboard with the configured
// keys, when no player has the keyboard already. Returns that player (0 or 1), else -1.
int MoveJoystickPlayerToKeyboard();
// MainLoop's preparation: turbo state of both players back to rest.
void ResetRapidFire();

// One keyboard record, after its hot-key action: drives the keyboard player's buttons.
void ApplyPadKey(const KeyEvent& record);
// After the frame's records: turbo, joysticks, and packing into PadBits.
void UpdatePads(Machine& m);

// Program-start state of everything above (tests, and a fresh start-up).
void ResetPads();

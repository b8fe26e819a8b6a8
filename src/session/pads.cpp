// Keyboard buttons change only on key events, so a held key stays pressed across frames until
// its release arrives; joysticks are sampled whole every frame.
#include "session/pads.h"

#include <cstring>

#include "core/machine.h"
#include "log/log.h"
#include "session/config.h"

uint8_t KeyMap[2][10];
uint8_t KeyActionTable[2][256];
uint8_t ButtonState[2][8];
KeyboardPad KeyboardPads[2];
uint8_t TappedButtons[2];
uint8_t TurboCountdown[2];
uint32_t JoystickPresent;

namespace {

constexpr uint8_t kPressed = 0x80;
constexpr uint8_t kKeyZeroCode = 11;  // the main-keyboard 0 key also presses Up
// The port bit of each ButtonState slot.
constexpr uint8_t kPortBit[8] = {0x10, 0x20, 0x40, 0x80, 0x04, 0x08, 0x01, 0x02};

void ApplyAction(int player, uint8_t action, uint8_t data) {
  KeyboardPad& pad = KeyboardPads[player];
  if (action >= 1 && action <= 8) {
    const uint8_t value = data & kPressed;
    ButtonState[player][action - 1] = value;
    // A tap shorter than a frame brings its press and its release in the same read; the
    // press must still reach the game for one frame.
    if (value) TappedButtons[player] |= kPortBit[action - 1];
    if (action - 1 == kSlotA) pad.AHeld = value;
    if (action - 1 == kSlotB) pad.BHeld = value;
  } else if (action == kSlotTurboA + 1) {
    pad.TurboAHeld = data;
    pad.TurboFlags = static_cast<uint8_t>(data ? pad.TurboFlags | 1 : pad.TurboFlags & ~1);
  } else if (action == kSlotTurboB + 1) {
    pad.TurboBHeld = data;
    pad.TurboFlags = static_cast<uint8_t>(data ? pad.TurboFlags | 2 : pad.TurboFlags & ~2);
  }
}

// Turbo presses last one frame; between them A and B show only what the plain keys hold.
void KeyboardTurboStep(int player) {
  KeyboardPad& pad = KeyboardPads[player];
  uint8_t* state = ButtonState[player];
  if (pad.TurboFlags != 0 && --TurboCountdown[player] == 0) {
    if (pad.TurboAHeld) state[kSlotA] |= kPressed;
    if (pad.TurboBHeld) state[kSlotB] |= kPressed;
    TurboCountdown[player] = RapidFireRate;
    return;
  }
  // Also when the turbo keys were just released, or a turbo press would stick until the
  // plain key is pressed and released.
  if (!pad.AHeld) state[kSlotA] = 0;
  if (!pad.BHeld) state[kSlotB] = 0;
  if (pad.TurboFlags == 0) TurboCountdown[player] = 1;
}

// A button index past the 32 the state record holds is never pressed.
uint8_t JoystickButton(const JoystickState& joy, int slot) {
  const uint8_t index = JoyButtonMap[slot];
  return index < 32 ? joy.Buttons[index] & kPressed : 0;
}

void JoystickStep(int player) {
  JoystickState joy;
  if (!PlatformReadJoystick(&joy)) return;  // the buttons keep their last state
  uint8_t* state = ButtonState[player];
  state[kSlotUp] = state[kSlotDown] = state[kSlotLeft] = state[kSlotRight] = 0;
  if (joy.X < 0x4000)
    state[kSlotLeft] = kPressed;
  else if (joy.X > 0xC000)
    state[kSlotRight] = kPressed;
  if (joy.Y < 0x4000)
    state[kSlotUp] = kPressed;
  else if (joy.Y > 0xC000)
    state[kSlotDown] = kPressed;
  state[kSlotA] = JoystickButton(joy, 0);
  state[kSlotB] = JoystickButton(joy, 1);
  state[kSlotSelect] = JoystickButton(joy, 4);
  state[kSlotStart] = JoystickButton(joy, 5);
  const uint8_t turboA = JoystickButton(joy, 2);
  const uint8_t turboB = JoystickButton(joy, 3);
  if (turboA || turboB) {
    if (--TurboCountdown[player] == 0) {
      if (turboA) state[kSlotA] |= kPressed;
      if (turboB) state[kSlotB] |= kPressed;
      TurboCountdown[player] = RapidFireRate;
    }
  } else {
    TurboCountdown[player] = 1;
  }
}

uint8_t Pack(const uint8_t* state) {
  return static_cast<uint8_t>((state[kSlotA] >> 7) | (state[kSlotB] >> 6) |
                              (state[kSlotSelect] >> 5) | (state[kSlotStart] >> 4) |
                              (state[kSlotUp] >> 3) | (state[kSlotDown] >> 2) |
                              (state[kSlotLeft] >> 1) | state[kSlotRight]);
}

}  // namespace

void FillKeyMaps() {
  std::memset(ButtonState, 0, sizeof ButtonState);
  for (int player = 0; player < 2; ++player)
    if (PlayerDevice[player] == kDeviceKeyboard)
      std::memcpy(KeyMap[player], ConfigKeyCodes, sizeof ConfigKeyCodes);
}

void BuildKeyActionTables() {
  std::memset(KeyActionTable, 0, sizeof KeyActionTable);
  for (int player = 0; player < 2; ++player) {
    if (PlayerDevice[player] == kDeviceKeyboard)
      for (uint8_t slot = 0; slot < 10; ++slot)
        KeyActionTable[player][KeyMap[player][slot]] = static_cast<uint8_t>(slot + 1);
    KeyActionTable[player][kKeyZeroCode] = kSlotUp + 1;
  }
}

bool OpenJoystick() {
  if (!PlatformOpenJoystick()) {
    LogText("Fail to initialize joystick\n");
    return false;
  }
  JoystickPresent = 1;
  LogText("Joystick successfully initialized\n");
  return true;
}

int MoveJoystickPlayerToKeyboard() {
  // Both players on the keyboard would take the keys from the one who has them.
  if (PlayerDevice[0] == kDeviceKeyboard || PlayerDevice[1] == kDeviceKeyboard) return -1;
  for (int player = 0; player < 2; ++player) {
    if (PlayerDevice[player] != kDeviceJoystick) continue;
    PlayerDevice[player] = kDeviceKeyboard;
    FillKeyMaps();
    BuildKeyActionTables();
    return player;
  }
  return -1;
}

void ResetRapidFire() {
  for (int player = 0; player < 2; ++player) {
    TurboCountdown[player] = 1;
    KeyboardPad& pad = KeyboardPads[player];
    pad.TurboAHeld = pad.TurboBHeld = pad.TurboFlags = 0;
  }
}

void ApplyPadKey(const KeyEvent& record) {
  // With both players on the keyboard the keys drive player 1 only.
  int player = -1;
  if (PlayerDevice[0] == kDeviceKeyboard)
    player = 0;
  else if (PlayerDevice[1] == kDeviceKeyboard)
    player = 1;
  if (player < 0) return;
  ApplyAction(player, KeyActionTable[player][record.KeyCode], record.Data);
}

void UpdatePads(Machine& m) {
  for (int player = 0; player < 2; ++player)
    if (PlayerDevice[player] == kDeviceKeyboard) KeyboardTurboStep(player);
  for (int player = 0; player < 2; ++player)
    if (PlayerDevice[player] == kDeviceJoystick && JoystickPresent) JoystickStep(player);
  m.PadBits[0] = Pack(ButtonState[0]) | TappedButtons[0];
  // A recognised gamepad plays player 1 alongside whatever the configuration gives it.
  uint8_t gamepad = 0;
  if (PlatformReadGamepad(&gamepad)) m.PadBits[0] |= gamepad;
  m.PadBits[1] = PlayerDevice[1] != kDeviceNone ? Pack(ButtonState[1]) | TappedButtons[1] : 0;
  TappedButtons[0] = TappedButtons[1] = 0;
}

void ResetPads() {
  std::memset(KeyMap, 0, sizeof KeyMap);
  std::memset(KeyActionTable, 0, sizeof KeyActionTable);
  std::memset(ButtonState, 0, sizeof ButtonState);
  std::memset(KeyboardPads, 0, sizeof KeyboardPads);
  std::memset(TappedButtons, 0, sizeof TappedButtons);
  std::memset(TurboCountdown, 0, sizeof TurboCountdown);
  JoystickPresent = 0;
}

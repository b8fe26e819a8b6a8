// The automatic gamepad: any controller the host recognises drives player 1 alongside the
// keyboard, with no configuration. The host reads the controls; this turns them into port bits.
#pragma once

#include <cstdint>
#include <string_view>

// How far the left stick must lean (of 32767) before it presses a direction: well clear of
// the drift of a worn stick, and still reached on a diagonal.
constexpr int kStickThreshold = 12000;

// One controller's controls as the host reads them: buttons pressed or not, the left stick
// from -32768 (left, up) to 32767 (right, down).
struct GamepadControls {
  bool A = false, B = false, Back = false, Start = false;
  bool Up = false, Down = false, Left = false, Right = false;
  int16_t StickX = 0, StickY = 0;
};

// The controls as a port byte (bit 0 A, 1 B, 2 Select, 3 Start, 4 Up, 5 Down, 6 Left,
// 7 Right); the D-pad and the stick both press the directions.
uint8_t GamepadPadBits(const GamepadControls& controls);

// Tells the player (message area) and the log that a controller came or went.
void ReportGamepad(std::string_view name, bool connected);

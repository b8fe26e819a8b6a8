#include "host/gamepad.h"

#include <gtest/gtest.h>

namespace {

TEST(GamepadTest, ControlsToPortBits) {
  struct Case {
    GamepadControls controls;
    int bits;
  };
  const Case cases[] = {
      {{.A = true, .Back = true}, 0x05},
      {{.B = true, .Start = true}, 0x0A},
      {{.Up = true, .Down = true, .Left = true, .Right = true}, 0xF0},
      // The stick presses a direction only past the threshold, either way.
      {{.StickX = kStickThreshold, .StickY = -kStickThreshold}, 0},
      {{.StickX = kStickThreshold + 1, .StickY = -kStickThreshold - 1}, 0x90},
      {{.StickX = -32768, .StickY = 32767}, 0x60},
      // D-pad and stick together press both directions.
      {{.Left = true, .StickX = 32767}, 0xC0},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(GamepadPadBits(cases[i].controls), cases[i].bits) << i;
}

}  // namespace

#include "host/gamepad.h"

#include <gtest/gtest.h>

#include <string>

#include "debug/message_area.h"
#include "support/fixture.h"

namespace {

TEST(GamepadTest, ControlsToPortBits) {
  struct Case {
    GamepadControls controls;
    int bits;
  };
  const Case cases[] = {
      {{.A = true}, 0x01},
      {{.B = true}, 0x02},
      {{.Back = true}, 0x04},
      {{.Start = true}, 0x08},
      {{.Up = true, .Down = true, .Left = true, .Right = true}, 0xF0},
      // The stick presses a direction only past the threshold, either way.
      {{.StickX = kStickThreshold, .StickY = -kStickThreshold}, 0},
      {{.StickX = kStickThreshold + 1}, 0x80},
      {{.StickX = -kStickThreshold - 1}, 0x40},
      {{.StickY = -32768}, 0x10},
      {{.StickY = 32767}, 0x20},
      // D-pad and stick together: both directions, as on the pad.
      {{.A = true, .Left = true, .StickX = 32767, .StickY = 20000}, 0x01 | 0x40 | 0x80 | 0x20},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(GamepadPadBits(cases[i].controls), cases[i].bits) << i;
}

using GamepadMessageTest = MachineTest;  // the log in a folder of its own

TEST_F(GamepadMessageTest, ComingAndGoingIsShownInTheMessageArea) {
  const auto newest = [] { return std::string(NewestMessage().Text, NewestMessage().Length); };
  ReportGamepad("Pad", true);
  EXPECT_EQ(newest().find("Gamepad connected: Pad "), 0u);
  ReportGamepad("", false);  // a controller without a name
  EXPECT_EQ(newest().find("Gamepad removed: controller "), 0u);
}

}  // namespace

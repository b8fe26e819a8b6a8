#include "host/pads.h"

#include <algorithm>
#include <vector>

#include "host/config.h"
#include "host/headless/headless.h"
#include "support/fixture.h"

namespace {

constexpr uint8_t kUp = 200, kDown = 208, kLeft = 203, kRight = 205, kKeyX = 45, kKeyZ = 44,
                  kKeyS = 31, kKeyA = 30, kEnter = 28, kRightShift = 54;
constexpr uint8_t kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08,
                  kBitUp = 0x10, kBitDown = 0x20, kBitLeft = 0x40, kBitRight = 0x80;
constexpr uint8_t kNone = kDeviceNone, kKeys = kDeviceKeyboard, kJoy = kDeviceJoystick;

KeyEvent Press(uint8_t code) { return {code, 0x80}; }
KeyEvent Release(uint8_t code) { return {code, 0}; }

class PadsTest : public MachineTest {
 protected:
  // The built-in key map with these devices and turbo rate, pads at rest.
  void StartWith(uint8_t player1, uint8_t player2, uint8_t rapidFire) {
    ResetPads();
    HeadlessReset();
    UseBuiltInConfiguration();
    PlayerDevice[0] = player1;
    PlayerDevice[1] = player2;
    RapidFireRate = rapidFire;
    FillKeyMaps();
    BuildKeyActionTables();
    ResetRapidFire();
  }
  // One frame: the frame's key records, then the pads. Player 2's bits in the high byte.
  int Frame(const std::vector<KeyEvent>& records = {}) {
    for (const KeyEvent& record : records) ApplyPadKey(record);
    UpdatePads(m());
    return m().PadBits[0] | m().PadBits[1] << 8;
  }
};

TEST_F(PadsTest, ScriptedKeyRecords) {
  struct Case {
    const char* name;
    uint8_t player1, player2, rapidFire;
    std::vector<std::vector<KeyEvent>> frames;
    std::vector<int> bits;  // after each frame
  };
  const int kHeld = kBitB | kBitSelect | kBitStart | kBitUp | kBitRight;
  const Case cases[] = {
      {"keys pack into port bits and stay down until released", kKeys, kNone, 0,
       {{Press(kKeyX), Press(kKeyZ), Press(kRightShift), Press(kEnter), Press(kUp),
         Press(kDown), Press(kLeft), Press(kRight)},
        {},
        {Release(kKeyX), Release(kDown), Release(kLeft)}},
       {0xFF, 0xFF, kHeld}},
      {"release without press, unmapped keys", kKeys, kNone, 0,
       {{Release(kKeyX), Press(57), Press(0)}}, {0}},
      {"main-keyboard 0 is also Up", kKeys, kNone, 0, {{Press(11)}}, {kBitUp}},
      {"both players on the keyboard drive player 1 only", kKeys, kKeys, 0,
       {{Press(kKeyX), Press(kLeft)}}, {kBitA | kBitLeft}},
      {"player 2 alone on the keyboard", kNone, kKeys, 0, {{Press(kKeyZ)}}, {kBitB << 8}},
      {"turbo presses every RAPIDFIRE frames", kKeys, kNone, 3,
       {{Press(kKeyS)}, {}, {}, {}, {}, {}, {}}, {kBitA, 0, 0, kBitA, 0, 0, kBitA}},
      {"a held button wins over turbo; turbo B acts on B", kKeys, kNone, 2,
       {{Press(kKeyX), Press(kKeyA)}, {}, {}}, {kBitA | kBitB, kBitA, kBitA | kBitB}},
      // Releasing turbo on a press frame used to leave the button stuck down; the countdown
      // now goes back to 1, so the next press is at once.
      {"turbo released on a press frame", kKeys, kNone, 3,
       {{Press(kKeyS)}, {Release(kKeyS)}, {}, {Press(kKeyS)}}, {kBitA, 0, 0, kBitA}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith(c.player1, c.player2, c.rapidFire);
    std::vector<int> bits;
    for (const auto& records : c.frames) bits.push_back(Frame(records));
    EXPECT_EQ(bits, c.bits);
  }
}

TEST_F(PadsTest, JoystickAxisThresholdsAndButtons) {
  StartWith(kJoy, kNone, 2);
  const uint8_t buttons[6] = {0, 1, 2, 3, 40, 5};  // Select past the 32 buttons: never pressed
  std::copy(buttons, buttons + 6, JoyButtonMap);
  HeadlessHost.JoystickAttached = true;
  OpenJoystick();
  auto& joy = HeadlessHost.Joystick;
  joy.X = 0x4000;  // exactly on the threshold: neither way
  joy.Y = 0xC001;
  joy.Buttons[1] = 0x80;
  joy.Buttons[31] = 0x80;
  EXPECT_EQ(Frame(), kBitB | kBitDown);
  joy.X = 0x3FFF;
  joy.Y = 0xC000;
  joy.Buttons[1] = 0;
  joy.Buttons[2] = 0x80;  // turbo A
  EXPECT_EQ(Frame(), kBitLeft | kBitA);
  EXPECT_EQ(Frame(), kBitLeft);
  joy.X = 0xC001;
  HeadlessHost.JoystickAttached = false;  // a failed read keeps the last state
  EXPECT_EQ(Frame(), kBitLeft);
}

}  // namespace

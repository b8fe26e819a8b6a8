#include "host/pads.h"

#include <vector>

#include "host/config.h"
#include "host/headless/headless.h"
#include "support/fixture.h"

namespace {

constexpr uint8_t kUp = 200, kDown = 208, kLeft = 203, kRight = 205, kKeyX = 45, kKeyZ = 44,
                  kKeyS = 31, kKeyA = 30, kEnter = 28, kRightShift = 54;
constexpr uint8_t kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08,
                  kBitUp = 0x10, kBitDown = 0x20, kBitLeft = 0x40, kBitRight = 0x80;

class PadsTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    ResetConfiguration();
    ResetPads();
    HeadlessReset();
  }
  void StartWith(uint8_t player1, uint8_t player2, uint8_t rapidFire = 0) {
    UseBuiltInConfiguration();
    PlayerDevice[0] = player1;
    PlayerDevice[1] = player2;
    RapidFireRate = rapidFire;
    FillKeyMaps();
    BuildKeyActionTables();
    ResetRapidFire();
  }
  // One frame: the frame's key records, then the pads.
  void Frame(const std::vector<KeyEvent>& records = {}) {
    for (const KeyEvent& record : records) ApplyPadKey(record);
    UpdatePads(m());
  }
  static KeyEvent Press(uint8_t code) { return {code, 0x80}; }
  static KeyEvent Release(uint8_t code) { return {code, 0}; }
};

TEST_F(PadsTest, KeysPackIntoPortBitsAndStayDownUntilReleased) {
  StartWith(kDeviceKeyboard, kDeviceNone);
  Frame({Press(kKeyX), Press(kKeyZ), Press(kRightShift), Press(kEnter), Press(kUp),
         Press(kDown), Press(kLeft), Press(kRight)});
  EXPECT_EQ(m().PadBits[0], 0xFF);
  Frame();
  EXPECT_EQ(m().PadBits[0], 0xFF);
  Frame({Release(kKeyX), Release(kDown), Release(kLeft)});
  EXPECT_EQ(m().PadBits[0], kBitB | kBitSelect | kBitStart | kBitUp | kBitRight);
  EXPECT_EQ(m().PadBits[1], 0);  // player 2 has no device
}

TEST_F(PadsTest, ReleaseWithoutPressAndUnmappedKeysChangeNothing) {
  StartWith(kDeviceKeyboard, kDeviceNone);
  Frame({Release(kKeyX), Press(57), Press(0)});
  EXPECT_EQ(m().PadBits[0], 0);
}

TEST_F(PadsTest, MainKeyboardZeroAlsoPressesUp) {
  StartWith(kDeviceKeyboard, kDeviceNone);
  Frame({Press(11)});
  EXPECT_EQ(m().PadBits[0], kBitUp);
}

TEST_F(PadsTest, BothPlayersOnTheKeyboardDriveOnlyPlayerOne) {
  StartWith(kDeviceKeyboard, kDeviceKeyboard);
  Frame({Press(kKeyX), Press(kLeft)});
  EXPECT_EQ(m().PadBits[0], kBitA | kBitLeft);
  EXPECT_EQ(m().PadBits[1], 0);
}

TEST_F(PadsTest, PlayerTwoAloneOnTheKeyboard) {
  StartWith(kDeviceNone, kDeviceKeyboard);
  Frame({Press(kKeyZ)});
  EXPECT_EQ(m().PadBits[0], 0);
  EXPECT_EQ(m().PadBits[1], kBitB);
}

TEST_F(PadsTest, TurboPressesEveryRapidFireRateFrames) {
  StartWith(kDeviceKeyboard, kDeviceNone, 3);
  std::vector<int> pressedFrames;
  for (int frame = 1; frame <= 10; ++frame) {
    Frame(frame == 1 ? std::vector<KeyEvent>{Press(kKeyS)} : std::vector<KeyEvent>{});
    if (m().PadBits[0] & kBitA) pressedFrames.push_back(frame);
  }
  EXPECT_EQ(pressedFrames, (std::vector<int>{1, 4, 7, 10}));
}

TEST_F(PadsTest, HeldButtonWinsOverTurboAndTurboBActsOnB) {
  StartWith(kDeviceKeyboard, kDeviceNone, 2);
  Frame({Press(kKeyX), Press(kKeyA)});
  EXPECT_EQ(m().PadBits[0], kBitA | kBitB);
  Frame();
  EXPECT_EQ(m().PadBits[0], kBitA);  // B released between turbo presses, A still held
  Frame();
  EXPECT_EQ(m().PadBits[0], kBitA | kBitB);
}

TEST_F(PadsTest, ReleasingTurboOnAPressFrameDoesNotLeaveTheButtonStuck) {
  StartWith(kDeviceKeyboard, kDeviceNone, 3);
  Frame({Press(kKeyS)});
  EXPECT_EQ(m().PadBits[0], kBitA);
  Frame({Release(kKeyS)});
  EXPECT_EQ(m().PadBits[0], 0);
  Frame({Press(kKeyS)});  // the countdown is back at 1: pressed at once
  EXPECT_EQ(m().PadBits[0], kBitA);
}

TEST_F(PadsTest, JoystickAxesButtonsAndTurbo) {
  StartWith(kDeviceJoystick, kDeviceNone, 2);
  JoyButtonMap[0] = 0;  // A
  JoyButtonMap[1] = 1;  // B
  JoyButtonMap[2] = 2;  // turbo A
  JoyButtonMap[4] = 40;  // Select past the 32 buttons: never pressed
  HeadlessHost.JoystickAttached = true;
  OpenJoystick();
  auto& joy = HeadlessHost.Joystick;
  joy.X = 0x4000;  // exactly on the threshold: neither way
  joy.Y = 0xC001;
  joy.Buttons[1] = 0x80;
  joy.Buttons[31] = 0x80;
  Frame();
  EXPECT_EQ(m().PadBits[0], kBitB | kBitDown);
  joy.X = 0x3FFF;
  joy.Y = 0x8000;
  joy.Buttons[1] = 0;
  joy.Buttons[2] = 0x80;
  std::vector<uint8_t> bits;
  for (int frame = 0; frame < 4; ++frame) {
    Frame();
    bits.push_back(m().PadBits[0]);
  }
  EXPECT_EQ(bits, (std::vector<uint8_t>{kBitLeft | kBitA, kBitLeft, kBitLeft | kBitA, kBitLeft}));
  joy.X = 0xC001;
  HeadlessHost.JoystickAttached = false;  // a failed read keeps the last buttons
  Frame();
  EXPECT_EQ(m().PadBits[0], kBitLeft);
}

TEST_F(PadsTest, MissingJoystickIsReportedAndStartUpGoesOn) {
  StartWith(kDeviceJoystick, kDeviceNone);
  OpenJoystick();
  EXPECT_EQ(JoystickPresent, 0u);
  EXPECT_EQ(HeadlessHost.MessageBoxes, "Error!: Fail to initialize DirectInput\n");
  EXPECT_EQ(ReadLog(), "Fail to initialize joystick\n");
  Frame();
  EXPECT_EQ(m().PadBits[0], 0);
}

}  // namespace

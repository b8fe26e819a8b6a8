// The controller ports as the game reads them, and what fills them: keyboard records with
// turbo, a joystick's axes and buttons, a gamepad's controls.
#include "session/pads.h"

#include <algorithm>
#include <vector>

#include "headless/headless.h"
#include "session/config.h"
#include "session/gamepad.h"
#include "support/fixture.h"

namespace {

constexpr uint8_t kUp = 200, kDown = 208, kLeft = 203, kRight = 205, kKeyX = 45, kKeyZ = 44,
                  kKeyS = 31, kKeyA = 30, kEnter = 28, kRightShift = 54;
constexpr uint8_t kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08, kBitUp = 0x10,
                  kBitDown = 0x20, kBitLeft = 0x40, kBitRight = 0x80;
constexpr uint8_t kNone = kDeviceNone, kKeys = kDeviceKeyboard, kJoy = kDeviceJoystick;

struct Devices {
  uint8_t player1, player2, rapidFire;
};
KeyEvent Press(uint8_t code) { return {code, 0x80}; }
KeyEvent Release(uint8_t code) { return {code, 0}; }

class PadsTest : public MachineTest {
 protected:
  void TearDown() override {
    ResetPads();  // no key left held for the tests that follow in this process
    MachineTest::TearDown();
  }
  // The built-in key map with these devices and turbo rate, pads at rest.
  void StartWith(const Devices& devices) {
    ResetPads();
    HeadlessReset();
    UseBuiltInConfiguration();
    PlayerDevice[0] = devices.player1;
    PlayerDevice[1] = devices.player2;
    RapidFireRate = devices.rapidFire;
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
  const Devices keys{kKeys, kNone, 0}, turbo2{kKeys, kNone, 2}, turbo3{kKeys, kNone, 3};
  struct Case {
    Devices devices;
    std::vector<std::vector<KeyEvent>> frames;
    std::vector<int> bits;  // after each frame
  };
  const Case cases[] = {
      // Keys pack into port bits and stay down until released. A release without a press and
      // unmapped keys (57, 0) change nothing.
      {keys,
       {{Release(kKeyX), Press(kKeyX), Press(kKeyZ), Press(kRightShift), Press(kEnter), Press(kUp),
         Press(kDown), Press(kLeft), Press(kRight)},
        {},
        {Release(kKeyX), Release(kDown), Release(kLeft), Press(57), Press(0)}},
       {0xFF, 0xFF, kBitB | kBitSelect | kBitStart | kBitUp | kBitRight}},
      {keys, {{Press(11)}}, {kBitUp}},  // the main keyboard's 0 is also Up
      // A tap shorter than a frame, press and release in one read, is pressed for one frame,
      // on player 2's port too, and between turbo presses.
      {keys, {{Press(kKeyX), Release(kKeyX)}, {}}, {kBitA, 0}},
      {{kNone, kKeys, 0}, {{Press(kUp), Release(kUp)}, {}}, {kBitUp << 8, 0}},
      {turbo3, {{Press(kKeyS)}, {Press(kKeyX), Release(kKeyX)}, {}}, {kBitA, kBitA, 0}},
      // Both players on the keyboard drive player 1 only; player 2 alone gets the keys.
      {{kKeys, kKeys, 0}, {{Press(kKeyX), Press(kLeft)}}, {kBitA | kBitLeft}},
      {{kNone, kKeys, 0}, {{Press(kKeyZ)}}, {kBitB << 8}},
      // Turbo presses every RAPIDFIRE frames.
      {turbo3, {{Press(kKeyS)}, {}, {}, {}, {}, {}, {}}, {kBitA, 0, 0, kBitA, 0, 0, kBitA}},
      // A held button wins over turbo; turbo B acts on B.
      {turbo2, {{Press(kKeyX), Press(kKeyA)}, {}, {}}, {kBitA | kBitB, kBitA, kBitA | kBitB}},
      // Releasing turbo on a press frame used to leave the button stuck down; the countdown
      // now goes back to 1, so the next press is at once.
      {turbo3, {{Press(kKeyS)}, {Release(kKeyS)}, {}, {Press(kKeyS)}}, {kBitA, 0, 0, kBitA}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    StartWith(cases[i].devices);
    std::vector<int> bits;
    for (const auto& records : cases[i].frames) bits.push_back(Frame(records));
    EXPECT_EQ(bits, cases[i].bits);
  }
}

TEST_F(PadsTest, JoystickAxisThresholdsAndButtons) {
  StartWith({kJoy, kNone, 2});
  const uint8_t buttons[6] = {0, 1, 2, 3, 40, 5};  // Select past the 32 buttons: never pressed
  std::copy(buttons, buttons + 6, JoyButtonMap);
  HeadlessHost.JoystickAttached = true;
  OpenJoystick();
  // X exactly on the threshold: neither way.
  HeadlessHost.Joystick = {.X = 0x4000, .Y = 0xC001, .Buttons = {0, 0x80}};
  EXPECT_EQ(Frame(), kBitB | kBitDown);
  HeadlessHost.Joystick = {.X = 0x3FFF, .Y = 0xC000, .Buttons = {0, 0, 0x80}};  // turbo A
  EXPECT_EQ(Frame(), kBitLeft | kBitA);
  EXPECT_EQ(Frame(), kBitLeft);
  EXPECT_EQ(Frame(), kBitLeft | kBitA);  // every second frame at RAPIDFIRE=2
  HeadlessHost.Joystick.X = 0xC001;
  HeadlessHost.JoystickAttached = false;  // a failed read keeps the last state
  EXPECT_EQ(Frame(), kBitLeft | kBitA);
}

using PortsTest = MachineTest;

TEST_F(PortsTest, SerialReadOfBothPortsAndTheStrobe) {
  m().PadBits[0] = 0b1010'0101;  // A, Select, Down, Right
  m().CpuWrite(0x4016, 1);
  m().CpuWrite(0x4016, 0);
  const auto reads = [&](uint16_t port, int count) {
    std::string bits;
    for (int i = 0; i < count; ++i) bits += char('0' + m().CpuRead(port));
    return bits;
  };
  // The buttons, nothing, the adapter signature on read 20, and round again.
  EXPECT_EQ(reads(0x4016, 25),
            "10100101"
            "00000000"
            "00010000"
            "1");
  m().CpuWrite(0x4016, 1);
  EXPECT_EQ(reads(0x4017, 20),
            "00000000"
            "00000000"
            "0010")
      << "an empty pad, signature on 19";
  // A strobe write with bit 0 clear does not rewind; the port keeps no written value.
  m().PadBits[0] = 0x01;
  m().CpuWrite(0x4016, 1);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
  m().CpuWrite(0x4016, 0);
  EXPECT_EQ(m().CpuRead(0x4016), 0);  // B, not A again
  m().CpuWrite(0x4016, 3);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
}

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

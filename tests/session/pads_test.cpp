// The controller ports as the game reads them, and what fills them: keyboard records with
// turbo, a joystick's axes and buttons, a gamepad's controls.
#include "session/pads.h"

#include <map>
#include <sstream>

#include "headless/headless.h"
#include "session/config.h"
#include "session/gamepad.h"
#include "support/fixture.h"

namespace {

constexpr int kA = 0x01, kB = 0x02, kSelect = 0x04, kStart = 0x08, kUp = 0x10, kDown = 0x20,
              kLeft = 0x40, kRight = 0x80;
constexpr uint8_t kNone = kDeviceNone, kKeys = kDeviceKeyboard, kJoy = kDeviceJoystick;

class PadsTest : public MachineTest {
 protected:
  // No key left held for the tests that follow in this process.
  void TearDown() override { ResetPads(), MachineTest::TearDown(); }
  // The built-in key map with these devices and turbo rate, pads at rest.
  void StartWith(uint8_t player1, uint8_t player2, uint8_t rapidFire) {
    ResetPads(), HeadlessReset(), UseBuiltInConfiguration();
    PlayerDevice[0] = player1, PlayerDevice[1] = player2, RapidFireRate = rapidFire;
    FillKeyMaps(), BuildKeyActionTables(), ResetRapidFire();
  }
  // One frame: its key records ("+key" a press, "-key" a release; the key a name of the
  // built-in map or a code), then the pads. Player 2's bits in the high byte.
  int Frame(const std::string& records = "") {
    static const std::map<std::string, int> names = {
        {"up", 200}, {"down", 208},  {"left", 203}, {"right", 205}, {"a", 45},
        {"b", 44},   {"select", 54}, {"start", 28}, {"turboa", 31}, {"turbob", 30}};
    std::istringstream words(records);
    for (std::string word; words >> word;) {
      const auto named = names.find(word.substr(1));
      const int code = named != names.end() ? named->second : std::stoi(word.substr(1));
      ApplyPadKey({static_cast<uint8_t>(code), static_cast<uint8_t>(word[0] == '+' ? 0x80 : 0)});
    }
    UpdatePads(m());
    return m().PadBits[0] | m().PadBits[1] << 8;
  }
};

TEST_F(PadsTest, ScriptedKeyRecords) {
  // clang-format off
  const struct { uint8_t player1, player2, rapidFire; std::vector<std::string> frames; std::vector<int> bits; } cases[] = {
      // Keys pack into port bits and stay down until released. A release without a press and
      // unmapped keys (57, 0) change nothing. The main keyboard's 0 is also Up.
      {kKeys, kNone, 0, {"-a +a +b +select +start +up +down +left +right", "", "-a -down -left +57 +0"},
       {0xFF, 0xFF, kB | kSelect | kStart | kUp | kRight}}, {kKeys, kNone, 0, {"+11"}, {kUp}},
      // Select and Start each have their own bit, held or tapped.
      {kKeys, kNone, 0, {"+select", "", "-select +start", ""}, {kSelect, kSelect, kStart, kStart}},
      // A tap shorter than a frame, press and release in one read, is pressed for one frame,
      // on player 2's port too (player 2 alone gets the keys), and between turbo presses. Both
      // players on the keyboard drive player 1 only.
      {kKeys, kNone, 0, {"+a -a", ""}, {kA, 0}}, {kNone, kKeys, 0, {"+up -up", ""}, {kUp << 8, 0}},
      {kKeys, kNone, 3, {"+turboa", "+a -a", ""}, {kA, kA, 0}}, {kKeys, kKeys, 0, {"+a +left"}, {kA | kLeft}},
      // Turbo presses every RAPIDFIRE frames; a held button wins over it; turbo B acts on B.
      {kKeys, kNone, 3, {"+turboa", "", "", "", "", "", ""}, {kA, 0, 0, kA, 0, 0, kA}},
      {kKeys, kNone, 2, {"+a +turbob", "", ""}, {kA | kB, kA, kA | kB}},
      // Releasing turbo on a press frame used to leave the button stuck down; the countdown
      // now goes back to 1, so the next press is at once.
      {kKeys, kNone, 3, {"+turboa", "-turboa", "", "+turboa"}, {kA, 0, 0, kA}},
  };
  // clang-format on
  for (size_t i = 0; i < std::size(cases); ++i) {
    StartWith(cases[i].player1, cases[i].player2, cases[i].rapidFire);
    std::vector<int> bits;
    for (const auto& records : cases[i].frames) bits.push_back(Frame(records));
    EXPECT_EQ(bits, cases[i].bits) << "case " << i;
  }
}

// A joystick's axes press a direction only past the threshold; a failed read keeps the last
// state. A gamepad's stick likewise, either way; its D-pad and stick together press both.
TEST_F(PadsTest, JoystickAndGamepadThresholdsAndButtons) {
  StartWith(kJoy, kNone, 2);
  const uint8_t buttons[6] = {0, 1, 2, 3, 40, 5};  // Select past the 32 buttons: never pressed
  std::copy(buttons, buttons + 6, JoyButtonMap);
  HeadlessHost.JoystickAttached = true, OpenJoystick();
  HeadlessHost.Joystick = {.X = 0x4000, .Y = 0xC001, .Buttons = {0, 0x80}};  // X on it
  EXPECT_EQ(Frame(), kB | kDown);
  HeadlessHost.Joystick = {.X = 0x3FFF, .Y = 0xC000, .Buttons = {0, 0, 0x80}};  // turbo A
  EXPECT_EQ(std::vector({Frame(), Frame(), Frame()}), std::vector({kLeft | kA, kLeft, kLeft | kA}));
  HeadlessHost.Joystick.X = 0xC001, HeadlessHost.JoystickAttached = false;
  EXPECT_EQ(Frame(), kLeft | kA);
  // clang-format off
  const struct { GamepadControls controls; int bits; } cases[] = {
      {{.A = true, .Back = true}, 0x05}, {{.B = true, .Start = true}, 0x0A},
      {{.Up = true, .Down = true, .Left = true, .Right = true}, 0xF0},
      {{.StickX = kStickThreshold, .StickY = -kStickThreshold}, 0},
      {{.StickX = kStickThreshold + 1, .StickY = -kStickThreshold - 1}, 0x90},
      {{.StickX = -32768, .StickY = 32767}, 0x60}, {{.Left = true, .StickX = 32767}, 0xC0},
  };
  // clang-format on
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(GamepadPadBits(cases[i].controls), cases[i].bits) << i;
}

// The serial read: the buttons, nothing, the adapter signature on read 20 (19 on port 2), and
// round again. A strobe write with bit 0 clear does not rewind; the port keeps no written value.
TEST_F(PadsTest, SerialReadOfBothPortsAndTheStrobe) {
  m().PadBits[0] = 0b1010'0101;  // A, Select, Down, Right
  const auto reads = [&](uint16_t port, int count, uint8_t strobe = 1) {
    m().CpuWrite(0x4016, strobe);
    std::string bits;
    for (int i = 0; i < count; ++i) bits += char('0' + m().CpuRead(port));
    return bits;
  };
  m().CpuWrite(0x4016, 1);
  const std::string first = reads(0x4016, 25, 0);
  EXPECT_EQ(first + " " + reads(0x4017, 20), "1010010100000000000100001 00000000000000000010");
  m().PadBits[0] = 0x01;  // after 0 the next read is B, not A again
  std::string strobed;
  for (uint8_t strobe : {1, 0, 3}) strobed += reads(0x4016, 1, strobe);
  EXPECT_EQ(strobed, "101");
}

}  // namespace

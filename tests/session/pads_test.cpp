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

constexpr int kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08, kBitUp = 0x10,
              kBitDown = 0x20, kBitLeft = 0x40, kBitRight = 0x80;
constexpr uint8_t kNone = kDeviceNone, kKeys = kDeviceKeyboard, kJoy = kDeviceJoystick;

class PadsTest : public MachineTest {
 protected:
  void TearDown() override {
    ResetPads();  // no key left held for the tests that follow in this process
    MachineTest::TearDown();
  }
  // The built-in key map with these devices and turbo rate, pads at rest.
  void StartWith(uint8_t player1, uint8_t player2, uint8_t rapidFire) {
    ResetPads();
    HeadlessReset();
    UseBuiltInConfiguration();
    PlayerDevice[0] = player1, PlayerDevice[1] = player2, RapidFireRate = rapidFire;
    FillKeyMaps();
    BuildKeyActionTables();
    ResetRapidFire();
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
  const struct {
    uint8_t player1, player2, rapidFire;
    std::vector<std::string> frames;
    std::vector<int> bits;  // after each frame
  } cases[] = {
      // Keys pack into port bits and stay down until released. A release without a press and
      // unmapped keys (57, 0) change nothing.
      {kKeys, kNone, 0, {"-a +a +b +select +start +up +down +left +right", "", "-a -down -left +57 +0"},
       {0xFF, 0xFF, kBitB | kBitSelect | kBitStart | kBitUp | kBitRight}},
      {kKeys, kNone, 0, {"+11"}, {kBitUp}},  // the main keyboard's 0 is also Up
      // Select and Start each have their own bit, held or tapped.
      {kKeys, kNone, 0, {"+select", "", "-select +start", ""},
       {kBitSelect, kBitSelect, kBitStart, kBitStart}},
      // A tap shorter than a frame, press and release in one read, is pressed for one frame,
      // on player 2's port too, and between turbo presses.
      {kKeys, kNone, 0, {"+a -a", ""}, {kBitA, 0}},
      {kNone, kKeys, 0, {"+up -up", ""}, {kBitUp << 8, 0}},
      {kKeys, kNone, 3, {"+turboa", "+a -a", ""}, {kBitA, kBitA, 0}},
      // Both players on the keyboard drive player 1 only; player 2 alone gets the keys.
      {kKeys, kKeys, 0, {"+a +left"}, {kBitA | kBitLeft}},
      {kNone, kKeys, 0, {"+b"}, {kBitB << 8}},
      // Turbo presses every RAPIDFIRE frames.
      {kKeys, kNone, 3, {"+turboa", "", "", "", "", "", ""}, {kBitA, 0, 0, kBitA, 0, 0, kBitA}},
      // A held button wins over turbo; turbo B acts on B.
      {kKeys, kNone, 2, {"+a +turbob", "", ""}, {kBitA | kBitB, kBitA, kBitA | kBitB}},
      // Releasing turbo on a press frame used to leave the button stuck down; the countdown
      // now goes back to 1, so the next press is at once.
      {kKeys, kNone, 3, {"+turboa", "-turboa", "", "+turboa"}, {kBitA, 0, 0, kBitA}},
  };
  // clang-format on
  for (size_t i = 0; i < std::size(cases); ++i) {
    StartWith(cases[i].player1, cases[i].player2, cases[i].rapidFire);
    std::vector<int> bits;
    for (const auto& records : cases[i].frames) bits.push_back(Frame(records));
    EXPECT_EQ(bits, cases[i].bits) << "case " << i;
  }
}

TEST_F(PadsTest, JoystickAxisThresholdsAndButtons) {
  StartWith(kJoy, kNone, 2);
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

// The serial read: the buttons, nothing, the adapter signature on read 20, and round again.
// A strobe write with bit 0 clear does not rewind; the port keeps no written value.
TEST_F(PadsTest, SerialReadOfBothPortsAndTheStrobe) {
  m().PadBits[0] = 0b1010'0101;  // A, Select, Down, Right
  const auto reads = [&](uint16_t port, int count) {
    std::string bits;
    for (int i = 0; i < count; ++i) bits += char('0' + m().CpuRead(port));
    return bits;
  };
  m().CpuWrite(0x4016, 1);
  m().CpuWrite(0x4016, 0);
  EXPECT_EQ(reads(0x4016, 25), "1010010100000000000100001");
  m().CpuWrite(0x4016, 1);
  EXPECT_EQ(reads(0x4017, 20), "00000000000000000010") << "an empty pad, signature on 19";
  m().PadBits[0] = 0x01;  // after 0 the next read is B, not A again
  for (const auto& [strobe, read] : {std::pair{1, 1}, {0, 0}, {3, 1}}) {
    m().CpuWrite(0x4016, strobe);
    EXPECT_EQ(m().CpuRead(0x4016), read) << strobe;
  }
}

// The stick presses a direction only past the threshold, either way; the D-pad and the stick
// together press both directions.
TEST(GamepadTest, ControlsToPortBits) {
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

}  // namespace

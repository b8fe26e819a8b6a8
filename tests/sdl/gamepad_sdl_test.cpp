// Game controllers on SDL's virtual joysticks: plugged in and pulled out while the game runs,
// their controls reaching player 1's port bits, and the configured joystick kept apart.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/machine.h"
#include "debug/message_area.h"
#include "host/config.h"
#include "host/pads.h"
#include "host/platform.h"
#include "log/log.h"

namespace {

constexpr int kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08, kBitUp = 0x10,
              kBitDown = 0x20, kBitLeft = 0x40, kBitRight = 0x80;

class SdlGamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogPath = (std::filesystem::temp_directory_path() / "halvoren-sdl-gamepad.tst").string();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    // The dummy window never has the keyboard focus, and SDL drops joystick input without it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ResetConfiguration();
    ResetPads();
    ResetMessageArea();
    ASSERT_TRUE(PlatformOpenDisplay(640, 480));
  }
  void TearDown() override {
    while (SDL_NumJoysticks() > 0) Pull(0);
    PlatformCloseDevices();
    std::filesystem::remove(LogPath);
    LogPath = "halvoren.tst";
  }
  // Plugs in a game controller with every standard button and axis; its joystick handle sets
  // the controls the way a player would.
  SDL_Joystick* Plug(const char* name) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    return SDL_JoystickOpen(index);
  }
  static void Pull(int index) {
    SDL_Joystick* handle = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
    SDL_JoystickDetachVirtual(index);
    if (handle) SDL_JoystickClose(handle);
  }
  // One frame: the host's poll, the keyboard records, the pads. Player 1's bits.
  int Frame(std::initializer_list<KeyEvent> keys = {}) {
    PlatformPollEvents();
    for (const KeyEvent& key : keys) ApplyPadKey(key);
    UpdatePads(*machine);
    return machine->PadBits[0];
  }
  static std::string Newest() {
    const MessageLine& line = NewestMessage();
    std::string text(line.Text, line.Length);
    return text.substr(0, text.find_last_not_of(' ') + 1);
  }
  std::unique_ptr<Machine> machine = std::make_unique<Machine>();
};

void Release(SDL_Joystick* pad) {
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button)
    SDL_JoystickSetVirtualButton(pad, button, 0);
  for (int axis = 0; axis < SDL_CONTROLLER_AXIS_MAX; ++axis)
    SDL_JoystickSetVirtualAxis(pad, axis, 0);
}

TEST_F(SdlGamepadTest, AControllerPlugsInMidGameAndPlaysPlayerOneAlongsideTheKeyboard) {
  UseBuiltInConfiguration();  // player 1 on the keyboard
  FillKeyMaps();
  BuildKeyActionTables();
  EXPECT_EQ(Frame(), 0);
  uint8_t bits = 0xAA;
  EXPECT_FALSE(PlatformReadGamepad(&bits));
  SDL_Joystick* pad = Plug("Test pad");
  ASSERT_NE(pad, nullptr);
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(Newest(), "Gamepad connected: Test pad");

  struct Case {
    int button;             // pressed, or -1
    int axis, value;        // moved, or -1
    int bits;
  };
  const Case cases[] = {
      {SDL_CONTROLLER_BUTTON_A, -1, 0, kBitA},
      {SDL_CONTROLLER_BUTTON_B, -1, 0, kBitB},
      {SDL_CONTROLLER_BUTTON_BACK, -1, 0, kBitSelect},
      {SDL_CONTROLLER_BUTTON_START, -1, 0, kBitStart},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, -1, 0, kBitUp},
      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, -1, 0, kBitDown},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 0, kBitLeft},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, -1, 0, kBitRight},
      {SDL_CONTROLLER_BUTTON_X, -1, 0, 0},
      {-1, SDL_CONTROLLER_AXIS_LEFTX, -32768, kBitLeft},
      {-1, SDL_CONTROLLER_AXIS_LEFTX, 32767, kBitRight},
      {-1, SDL_CONTROLLER_AXIS_LEFTY, -20000, kBitUp},
      {-1, SDL_CONTROLLER_AXIS_LEFTY, 5000, 0},  // inside the dead zone
      {-1, SDL_CONTROLLER_AXIS_RIGHTX, 32767, 0},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_AXIS_LEFTX, 30000, kBitUp | kBitRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "button " << c.button << " axis " << c.axis);
    Release(pad);
    if (c.button >= 0) SDL_JoystickSetVirtualButton(pad, c.button, 1);
    if (c.axis >= 0) SDL_JoystickSetVirtualAxis(pad, c.axis, static_cast<Sint16>(c.value));
    EXPECT_EQ(Frame(), c.bits);
  }
  // The keyboard's X (A) and the pad's Start at once; each lets go of its own.
  Release(pad);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_EQ(Frame({{45, 0x80}}), kBitA | kBitStart);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_START, 0);
  EXPECT_EQ(Frame(), kBitA);
  EXPECT_EQ(Frame({{45, 0}}), 0);
}

TEST_F(SdlGamepadTest, PullingAControllerOutReleasesItsButtonsAndPluggingItBackWorks) {
  SDL_Joystick* first = Plug("First pad");
  SDL_Joystick* second = Plug("Second pad");
  EXPECT_EQ(Frame(), 0);  // player 1 has no configured device at all
  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualButton(second, SDL_CONTROLLER_BUTTON_B, 1);
  EXPECT_EQ(Frame(), kBitA | kBitRight | kBitB);
  Pull(0);
  EXPECT_EQ(Frame(), kBitB);
  EXPECT_EQ(Newest(), "Gamepad removed: First pad");
  Pull(0);
  EXPECT_EQ(Frame(), 0);
  uint8_t bits;
  EXPECT_FALSE(PlatformReadGamepad(&bits));
  SDL_Joystick* again = Plug("First pad");
  EXPECT_EQ(Frame(), 0);
  SDL_JoystickSetVirtualButton(again, SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_EQ(Frame(), kBitStart);
  const std::string log = [] {
    std::string text(4096, 0);
    FILE* file = std::fopen(LogPath.c_str(), "rb");
    if (!file) return std::string();
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
  }();
  EXPECT_NE(log.find("Gamepad connected: First pad\nGamepad connected: Second pad\n"),
            std::string::npos);
  EXPECT_NE(log.find("Gamepad removed: Second pad\n"), std::string::npos);
}

// PLAYER1=J: the first joystick is read raw by the configured buttons (all on button 1 here),
// never also as the gamepad; it reads as released once pulled out. Another controller still
// plays as player 1's gamepad.
TEST_F(SdlGamepadTest, TheConfiguredJoystickIsReadRawAndNeverAlsoAsTheGamepad) {
  PlayerDevice[0] = kDeviceJoystick;
  SDL_Joystick* joystick = Plug("Configured pad");
  OpenJoystick();
  ASSERT_EQ(JoystickPresent, 1u);
  ResetRapidFire();
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(Newest(), "");  // not announced as a gamepad
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_EQ(Frame(), 0);  // button 7 is nothing here
  uint8_t bits;
  EXPECT_FALSE(PlatformReadGamepad(&bits));
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);  // button 1
  SDL_JoystickSetVirtualAxis(joystick, 0, -32768);
  EXPECT_EQ(Frame(), kBitA | kBitB | kBitSelect | kBitStart | kBitLeft);
  SDL_Joystick* other = Plug("Other pad");
  SDL_JoystickSetVirtualButton(other, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
  EXPECT_EQ(Frame(), kBitA | kBitB | kBitSelect | kBitStart | kBitLeft | kBitDown);
  Pull(0);
  EXPECT_EQ(Frame(), kBitDown);
  // The next joystick plugged in takes the configured one's place.
  SDL_Joystick* back = Plug("Configured pad");
  EXPECT_EQ(Frame(), kBitDown);
  SDL_JoystickSetVirtualButton(back, 0, 1);
  EXPECT_EQ(Frame(), kBitA | kBitB | kBitSelect | kBitStart | kBitDown);
  EXPECT_EQ(Newest(), "Gamepad connected: Other pad");  // the configured one is no gamepad
}

}  // namespace

// Game controllers on SDL's virtual joysticks: plugged in and pulled out while the game runs,
// reaching player 1's port bits, and the configured joystick kept apart.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/machine.h"
#include "host/platform.h"
#include "log/log.h"
#include "session/config.h"
#include "session/message_area.h"
#include "session/pads.h"

namespace {

constexpr int kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08, kBitDown = 0x20,
              kBitLeft = 0x40, kBitRight = 0x80;
constexpr int kAllOnButton1 = kBitA | kBitB | kBitSelect | kBitStart;  // JOY... defaults

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
  // A game controller with every standard control; the handle moves them as a player would.
  static SDL_Joystick* Plug(const char* name) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = name;
    return SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
  }
  static void Pull(int index) {
    SDL_Joystick* handle = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
    SDL_JoystickDetachVirtual(index);
    if (handle) SDL_JoystickClose(handle);
  }
  // One frame: the host's poll, the keyboard records, the pads; player 1's bits.
  int Frame(std::initializer_list<KeyEvent> keys = {}) {
    PlatformPollEvents();
    for (const KeyEvent& key : keys) ApplyPadKey(key);
    UpdatePads(*machine);
    return machine->PadBits[0];
  }
  static std::string Newest() {
    const std::string text(NewestMessage().Text, NewestMessage().Length);
    return text.substr(0, text.find_last_not_of(' ') + 1);
  }
  std::unique_ptr<Machine> machine = std::make_unique<Machine>();
};

// Two controllers and the keyboard play player 1 together; a controller pulled out lets go of
// everything it held, and one plugged in again plays at once.
TEST_F(SdlGamepadTest, ControllersComeAndGoMidGameAndPlayPlayerOneWithTheKeyboard) {
  UseBuiltInConfiguration();  // player 1 on the keyboard
  FillKeyMaps();
  BuildKeyActionTables();
  SDL_Joystick* first = Plug("First pad");
  SDL_Joystick* second = Plug("Second pad");
  ASSERT_TRUE(first && second) << SDL_GetError();
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(Newest(), "Gamepad connected: Second pad");
  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_BACK, 1);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_RIGHTY, 32767);  // not a control here
  SDL_JoystickSetVirtualButton(second, SDL_CONTROLLER_BUTTON_B, 1);
  EXPECT_EQ(Frame({{45, 0x80}}), kBitA | kBitSelect | kBitRight | kBitB);  // X is A
  Pull(0);
  EXPECT_EQ(Frame(), kBitA | kBitB);
  EXPECT_EQ(Newest(), "Gamepad removed: First pad");
  Pull(0);
  SDL_JoystickSetVirtualButton(Plug("First pad"), SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_EQ(Frame({{45, 0}}), kBitStart);
}

// PLAYER1=J: the first joystick is read raw by the JOY... buttons, never also as a gamepad,
// and reads as released once pulled out; the next joystick plugged in takes its place.
TEST_F(SdlGamepadTest, TheConfiguredJoystickIsReadRawAndNeverAlsoAsAGamepad) {
  PlayerDevice[0] = kDeviceJoystick;
  SDL_Joystick* joystick = Plug("Configured pad");
  OpenJoystick();
  ASSERT_EQ(JoystickPresent, 1u);
  ResetRapidFire();
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 1);  // button 7
  SDL_JoystickSetVirtualAxis(joystick, 0, -32768);
  EXPECT_EQ(Frame(), kBitLeft);
  EXPECT_EQ(Newest(), "");
  SDL_JoystickSetVirtualButton(joystick, 0, 1);
  SDL_JoystickSetVirtualButton(Plug("Other pad"), SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
  EXPECT_EQ(Frame(), kAllOnButton1 | kBitLeft | kBitDown);
  Pull(0);
  EXPECT_EQ(Frame(), kBitDown);
  SDL_JoystickSetVirtualButton(Plug("Configured pad"), 0, 1);
  EXPECT_EQ(Frame(), kAllOnButton1 | kBitDown);
}

}  // namespace

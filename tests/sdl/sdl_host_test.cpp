// The SDL host on SDL's dummy drivers, what reaches the portable code: the keyboard's records,
// the sound queue, and game controllers on SDL's virtual joysticks, plugged in and pulled out
// while the game runs. The window itself is the smoke run's business.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/machine.h"
#include "core/settings.h"
#include "host/platform.h"
#include "log/log.h"
#include "sdl/audio_sdl.h"
#include "session/config.h"
#include "session/message_area.h"
#include "session/pads.h"
#include "session/sound_output.h"

namespace {

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogPath = (std::filesystem::temp_directory_path() / "halvoren-sdl-host.tst").string();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    // The dummy window never has the keyboard focus, and SDL drops joystick input without it.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ResetSettings(), ResetConfiguration(), ResetPads(), ResetMessageArea();
    ASSERT_TRUE(PlatformOpenDisplay(640, 480));
  }
  void TearDown() override {
    while (SDL_NumJoysticks() > 0) Pull(0);
    PlatformCloseDevices();
    std::filesystem::remove(LogPath), LogPath = "halvoren.tst";
  }
  // A game controller with every standard control; the handle moves them as a player would.
  static SDL_Joystick* Plug(const char* name) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION, desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX, desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
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

// The display's start-up lines, as a log from any host has them. Scancodes arrive as
// keyboard codes in order (F13 has none: dropped); a full buffer of 32 records drops new ones;
// Alt+Enter belongs to the window, not to the game; closing twice is harmless.
TEST_F(SdlHostTest, KeysArriveAsKeyboardRecordsInOrderAndTheBufferHoldsThirtyTwo) {
  std::stringstream logged;
  logged << std::ifstream(LogPath).rdbuf();
  EXPECT_NE(logged.str().find("1 Level Pass\nInterface got\nCooperativeLevel Set\nlpDD2 object "
                              "inited.\nall surfaces created.\nKeyboard initialized\n"),
            std::string::npos)
      << logged.str();
  const auto push = [](SDL_Scancode code, bool down, uint16_t mod = KMOD_NONE) {
    SDL_Event event{};
    event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.scancode = code, event.key.keysym.mod = mod, SDL_PushEvent(&event);
  };
  push(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  for (SDL_Scancode key : {SDL_SCANCODE_UP, SDL_SCANCODE_X, SDL_SCANCODE_ESCAPE, SDL_SCANCODE_0,
                           SDL_SCANCODE_KP_MINUS, SDL_SCANCODE_F13})
    push(key, true);
  push(SDL_SCANCODE_UP, false);
  for (int i = 0; i < 40; ++i) push(SDL_SCANCODE_A, i % 2 == 0);
  PlatformPollEvents();
  KeyEvent records[64];
  std::vector<std::pair<int, int>> keys;
  for (int i = 0, n = PlatformReadKeyEvents(records, 64); i < n; ++i)
    keys.emplace_back(records[i].KeyCode, records[i].Data);
  ASSERT_EQ(keys.size(), 32u);
  EXPECT_EQ(PlatformReadKeyEvents(records, 64), 0) << "read once";
  keys.resize(6);
  EXPECT_EQ(keys, (std::vector<std::pair<int, int>>{
                      {200, 0x80}, {45, 0x80}, {1, 0x80}, {11, 0x80}, {74, 0x80}, {200, 0}}));
  PlatformRequestClose();
  EXPECT_FALSE(PlatformPollEvents());
  PlatformCloseDevices();  // TearDown closes again
}

// Two controllers and the keyboard play player 1 together; a controller pulled out lets go of
// everything it held, and one plugged in again plays at once.
TEST_F(SdlHostTest, ControllersComeAndGoMidGameAndPlayPlayerOneWithTheKeyboard) {
  UseBuiltInConfiguration(), FillKeyMaps(), BuildKeyActionTables();  // player 1 on the keyboard
  SDL_Joystick *first = Plug("First pad"), *second = Plug("Second pad");
  ASSERT_TRUE(first && second) << SDL_GetError();
  EXPECT_EQ(Frame(), 0);
  EXPECT_EQ(Newest(), "Gamepad connected: Second pad");
  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_BACK, 1);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_RIGHTY, 32767);  // not a control here
  SDL_JoystickSetVirtualButton(second, SDL_CONTROLLER_BUTTON_B, 1);
  EXPECT_EQ(Frame({{45, 0x80}}), 0x87);  // X is A; Select, Right and B from the pads
  Pull(0);
  EXPECT_EQ(Frame(), 0x03);
  EXPECT_EQ(Newest(), "Gamepad removed: First pad");
  Pull(0);
  SDL_JoystickSetVirtualButton(Plug("First pad"), SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_EQ(Frame({{45, 0}}), 0x08);
}

// With a device the sound waits for three frames (about 50 ms) so it never starts dry, and a
// host that runs ahead of it loses frames rather than letting the queue grow.
TEST_F(SdlHostTest, TheQueueStartsAfterThreeFramesAndStaysShort) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (uint32_t stereo : {0u, 1u}) {
    SoundStereo = stereo;
    ASSERT_EQ(OpenSound(), 1u);
    std::vector<int16_t> frame(2 * 368, 1000);
    for (int i = 0; i < 60; ++i) {
      EXPECT_EQ(SdlAudioPlaying(), i >= 3) << i << (stereo ? " stereo" : "");
      PlatformQueueAudio(frame.data(), i % 2 ? 368 : 367, stereo != 0);
    }
    EXPECT_TRUE(SdlQueuedAudioMs() > 50 && SdlQueuedAudioMs() <= 100) << SdlQueuedAudioMs();
    CloseSound();
  }
}

}  // namespace

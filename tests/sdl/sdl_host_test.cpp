// The SDL host on SDL's dummy drivers, what reaches the portable code: the keyboard's records,
// the window, the sound queue, and game controllers on SDL's virtual joysticks, plugged in and
// pulled out while the game runs, with the configured joystick kept apart. The window-close
// event itself is the smoke run's business.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "apu/sound_buffers.h"
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

constexpr int kBitA = 0x01, kBitB = 0x02, kBitSelect = 0x04, kBitStart = 0x08, kBitDown = 0x20,
              kBitLeft = 0x40, kBitRight = 0x80;
constexpr int kAllOnButton1 = kBitA | kBitB | kBitSelect | kBitStart;  // JOY... defaults

class SdlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogPath = (std::filesystem::temp_directory_path() / "halvoren-sdl-host.tst").string();
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
  static void Key(SDL_Scancode code, bool down, uint16_t mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.scancode = code;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
  }
  // The records of the events pushed so far, as (code, data) pairs.
  static std::vector<std::pair<int, int>> ReadKeys() {
    PlatformPollEvents();
    KeyEvent records[64];
    std::vector<std::pair<int, int>> keys;
    for (int i = 0, n = PlatformReadKeyEvents(records, 64); i < n; ++i)
      keys.emplace_back(records[i].KeyCode, records[i].Data);
    return keys;
  }
  // A game controller with every standard control; the handle moves them as a player would.
  static SDL_Joystick* Plug(const char* name) {
    SDL_VirtualJoystickDesc desc{.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION,
                                 .type = SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                 .naxes = SDL_CONTROLLER_AXIS_MAX,
                                 .nbuttons = SDL_CONTROLLER_BUTTON_MAX,
                                 .name = name};
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

TEST_F(SdlHostTest, KeysArriveAsKeyboardRecordsInOrderAndTheBufferHoldsThirtyTwo) {
  // The display's start-up lines, as a log from any host has them.
  std::stringstream logged;
  logged << std::ifstream(LogPath).rdbuf();
  EXPECT_NE(
      logged.str().find("1 Level Pass\nInterface got\nCooperativeLevel Set\n"
                        "lpDD2 object inited.\nall surfaces created.\nKeyboard initialized\n"),
      std::string::npos)
      << logged.str();
  for (SDL_Scancode key : {SDL_SCANCODE_UP, SDL_SCANCODE_X, SDL_SCANCODE_ESCAPE, SDL_SCANCODE_0,
                           SDL_SCANCODE_KP_MINUS, SDL_SCANCODE_F13})
    Key(key, true);
  Key(SDL_SCANCODE_UP, false);
  // F13 has no keyboard code: dropped.
  const std::vector<std::pair<int, int>> expected = {{200, 0x80}, {45, 0x80}, {1, 0x80},
                                                     {11, 0x80},  {74, 0x80}, {200, 0}};
  EXPECT_EQ(ReadKeys(), expected);
  EXPECT_TRUE(ReadKeys().empty());
  // A full buffer drops new records; Alt+Enter belongs to the window, not to the game.
  for (int i = 0; i < 40; ++i) Key(SDL_SCANCODE_A, i % 2 == 0);
  EXPECT_EQ(ReadKeys().size(), 32u);
  Key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  EXPECT_TRUE(ReadKeys().empty());
  // A picture of another size than the window's is not shown; closing twice is harmless.
  std::vector<uint8_t> pixels(800 * 600, 120);
  PaletteEntry palette[256] = {};
  PlatformShowScreen(pixels.data(), 800, 600, palette);
  PlatformRequestClose();
  EXPECT_FALSE(PlatformPollEvents());
  PlatformCloseDevices();  // TearDown closes again
}

// Two controllers and the keyboard play player 1 together; a controller pulled out lets go of
// everything it held, and one plugged in again plays at once.
TEST_F(SdlHostTest, ControllersComeAndGoMidGameAndPlayPlayerOneWithTheKeyboard) {
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
TEST_F(SdlHostTest, TheConfiguredJoystickIsReadRawAndNeverAlsoAsAGamepad) {
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

// Without an audio device the open fails. With one, the device waits for three frames (about
// 50 ms) so it never starts dry, and a host that runs ahead of it loses frames rather than
// letting the queue grow.
TEST(SdlAudioTest, OpenFailsWithoutADeviceAndTheQueueStaysShort) {
  LogPath = testing::TempDir() + "halvoren-sdl-audio.tst";
  LogStart();
  ResetSettings();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(OpenSound(), 0u);
  EXPECT_FALSE(SoundOpen);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  for (uint32_t stereo : {0u, 1u}) {
    SCOPED_TRACE(testing::Message() << "stereo " << stereo);
    SoundStereo = stereo;
    ASSERT_EQ(OpenSound(), 1u);
    std::vector<int16_t> frame(2 * 368, 1000);
    for (int i = 0; i < 60; ++i) {
      EXPECT_EQ(SdlAudioPlaying(), i >= 3) << i;
      PlatformQueueAudio(frame.data(), i % 2 ? 368 : 367, stereo != 0);
    }
    EXPECT_GT(SdlQueuedAudioMs(), 50u);
    EXPECT_LE(SdlQueuedAudioMs(), 100u);
    CloseSound();
  }
  std::remove(LogPath.c_str());
  LogPath = "halvoren.tst";
}

}  // namespace

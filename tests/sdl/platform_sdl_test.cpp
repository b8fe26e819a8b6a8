// The SDL host's window, keyboard and joystick on SDL's dummy video driver and a virtual
// joystick: what reaches the portable code.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "host/platform.h"
#include "host/settings.h"
#include "log/log.h"

namespace {

class SdlPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogPath = (std::filesystem::temp_directory_path() / "halvoren-sdl-platform.tst").string();
    LogStart();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Windowed = 1;
    ASSERT_TRUE(PlatformOpenDisplay(640, 480));
  }
  void TearDown() override {
    PlatformCloseDevices();
    Windowed = 0;
    std::filesystem::remove(LogPath);
    LogPath = "halvoren.tst";
  }
  static void Key(SDL_Scancode code, bool down, uint16_t mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = code;
    event.key.keysym.mod = mod;
    SDL_PushEvent(&event);
  }
  static std::vector<KeyEvent> ReadKeys() {
    KeyEvent records[64];
    const int count = PlatformReadKeyEvents(records, 64);
    return std::vector<KeyEvent>(records, records + (count > 0 ? count : 0));
  }
};

TEST_F(SdlPlatformTest, KeysArriveAsDirectInputRecordsInOrder) {
  Key(SDL_SCANCODE_UP, true);
  Key(SDL_SCANCODE_X, true);
  Key(SDL_SCANCODE_UP, false);
  Key(SDL_SCANCODE_F13, true);  // no DirectInput code: dropped
  ASSERT_TRUE(PlatformPollEvents());
  const auto keys = ReadKeys();
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].KeyCode, 200);
  EXPECT_EQ(keys[0].Data, 0x80);
  EXPECT_EQ(keys[1].KeyCode, 45);
  EXPECT_EQ(keys[2].KeyCode, 200);
  EXPECT_EQ(keys[2].Data, 0);
  EXPECT_TRUE(ReadKeys().empty());
}

TEST_F(SdlPlatformTest, TheBufferHoldsThirtyTwoRecordsAndAltEnterIsNotAKey) {
  for (int i = 0; i < 20; ++i) {
    Key(SDL_SCANCODE_A, true);
    Key(SDL_SCANCODE_A, false);
  }
  Key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  PlatformPollEvents();
  EXPECT_EQ(ReadKeys().size(), 32u);
  Key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
  PlatformPollEvents();
  EXPECT_TRUE(ReadKeys().empty());
}

TEST_F(SdlPlatformTest, WindowCloseAndCloseRequestEndThePolling) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_FALSE(PlatformPollEvents());
  PlatformCloseDevices();
  EXPECT_FALSE(PlatformPollEvents());  // still closed after the shut-down
  ASSERT_TRUE(PlatformOpenDisplay(640, 480));
  EXPECT_TRUE(PlatformPollEvents());
  PlatformRequestClose();
  EXPECT_FALSE(PlatformPollEvents());
}

TEST_F(SdlPlatformTest, ShowingTheScreenAndClosingTwiceAreHarmless) {
  std::vector<uint8_t> pixels(640 * 480, 120);
  PaletteEntry palette[256] = {};
  PlatformShowScreen(pixels.data(), 640, 480, palette);
  PlatformShowScreen(pixels.data(), 320, 200, palette);  // a size it was not opened with
  PlatformCloseDevices();
  PlatformCloseDevices();
  PlatformShowScreen(pixels.data(), 640, 480, palette);
}

TEST_F(SdlPlatformTest, VirtualJoystickAxesAndButtons) {
  // The dummy driver's window never has the focus; SDL drops joystick input without it.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
  const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 0);
  ASSERT_GE(index, 0) << SDL_GetError();
  ASSERT_TRUE(PlatformOpenJoystick());
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr);
  SDL_JoystickSetVirtualAxis(stick, 0, -32768);
  SDL_JoystickSetVirtualAxis(stick, 1, 32767);
  SDL_JoystickSetVirtualButton(stick, 3, SDL_PRESSED);
  JoystickState state{};
  ASSERT_TRUE(PlatformReadJoystick(&state));
  EXPECT_EQ(state.X, 0);
  EXPECT_EQ(state.Y, 65535);
  EXPECT_EQ(state.Buttons[3], 0x80);
  EXPECT_EQ(state.Buttons[0], 0);
  EXPECT_EQ(state.Buttons[31], 0);  // past the joystick's 12 buttons
  SDL_JoystickClose(stick);
  PlatformCloseDevices();
  SDL_JoystickDetachVirtual(index);
  EXPECT_FALSE(PlatformReadJoystick(&state));
}

}  // namespace

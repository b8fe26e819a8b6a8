// The SDL host's keyboard, window and sound on SDL's dummy drivers: what reaches the portable
// code. The window-close event itself is the smoke run's business.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "apu/sound_buffers.h"
#include "core/settings.h"
#include "host/platform.h"
#include "log/log.h"
#include "sdl/audio_sdl.h"
#include "session/sound_output.h"

namespace {

class SdlPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LogPath = (std::filesystem::temp_directory_path() / "halvoren-sdl-platform.tst").string();
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_TRUE(PlatformOpenDisplay(640, 480));
  }
  void TearDown() override {
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
};

TEST_F(SdlPlatformTest, KeysArriveAsKeyboardRecordsInOrderAndTheBufferHoldsThirtyTwo) {
  // The display's start-up lines, as a log from any host has them.
  std::ifstream log(LogPath);
  const std::string logged((std::istreambuf_iterator<char>(log)), {});
  EXPECT_NE(logged.find("1 Level Pass\nInterface got\nCooperativeLevel Set\n"
                        "lpDD2 object inited.\nall surfaces created.\nKeyboard initialized\n"),
            std::string::npos)
      << logged;
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

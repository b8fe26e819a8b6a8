// The SDL audio output without a window, on SDL's dummy driver.
#include "host/sdl/audio_sdl.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "apu/sound_buffers.h"
#include "host/platform.h"
#include "host/settings.h"
#include "log/log.h"

namespace {

class SdlAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // ctest runs tests side by side: each gets a log of its own.
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    LogPath = (std::filesystem::temp_directory_path() /
               ("halvoren-sdl-" + std::to_string(getpid()) + "-" + info->name() + ".tst"))
                  .string();
    LogStart();
    ResetSettings();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override {
    CloseSound();
    std::filesystem::remove(LogPath);
    LogPath = "halvoren.tst";
  }
};

// A host that runs ahead of the device loses frames rather than letting the queue grow.
TEST_F(SdlAudioTest, QueueStaysShortWhenTheEmulatorRunsAhead) {
  for (uint32_t stereo : {0u, 1u}) {
    SoundStereo = stereo;
    ASSERT_EQ(OpenSound(), 1u) << "stereo " << stereo;
    std::vector<int16_t> frame(2 * 368, 1000);
    for (int i = 0; i < 60; ++i) PlatformQueueAudio(frame.data(), 368, stereo != 0);
    EXPECT_GT(SdlQueuedAudioMs(), 50u);
    EXPECT_LE(SdlQueuedAudioMs(), 100u);
    CloseSound();
  }
}

// The device waits for three frames (about 50 ms) before it plays, so it never starts dry.
TEST_F(SdlAudioTest, PlaysOnceFiftyMillisecondsAreQueued) {
  ASSERT_EQ(OpenSound(), 1u);
  std::vector<int16_t> frame(368, 1000);
  PlatformQueueAudio(frame.data(), 367, false);
  PlatformQueueAudio(frame.data(), 368, false);
  EXPECT_FALSE(SdlAudioPlaying());
  PlatformQueueAudio(frame.data(), 367, false);
  EXPECT_TRUE(SdlAudioPlaying());
}

TEST_F(SdlAudioTest, MissingAudioFailsTheOpen) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(OpenSound(), 0u);
  EXPECT_FALSE(SoundOpen);
}

}  // namespace

// The SDL audio output without a window, on SDL's dummy driver.
#include "host/sdl/audio_sdl.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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
    // ctest runs tests side by side, each in a process of its own with a log of its own.
    LogPath = testing::TempDir() + "halvoren-sdl-" + std::to_string(getpid()) + ".tst";
    LogStart();
    ResetSettings();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override {
    CloseSound();
    std::remove(LogPath.c_str());
    LogPath = "halvoren.tst";
  }
};

// The device waits for three frames (about 50 ms) so it never starts dry; a host that runs
// ahead of it loses frames rather than letting the queue grow.
TEST_F(SdlAudioTest, QueueStartsAtFiftyMillisecondsAndStaysShort) {
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
}

TEST_F(SdlAudioTest, MissingAudioFailsTheOpen) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(OpenSound(), 0u);
  EXPECT_FALSE(SoundOpen);
}

}  // namespace

// The SDL audio output without a window, on SDL's dummy driver.
#include "host/sdl/audio_sdl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "apu/sound_buffers.h"
#include "core/settings.h"
#include "host/platform.h"
#include "log/log.h"
#include "session/sound_output.h"

namespace {

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

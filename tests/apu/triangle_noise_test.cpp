// Triangle and noise channels: wave shape, noise step length and modes.
#include "apu/sound_fixture.h"

namespace {

using TriangleTest = SoundTest;
using NoiseTest = SoundTest;

// The same period gives a pulse wave of 50 samples and a triangle wave of 100: an octave
// lower, positive in its first half, negative in its second, 15 steps each way.
TEST_F(TriangleTest, OneOctaveBelowThePulse) {
  Write(0x4015, 0x04);
  Write(0x4008, {0xFF, 0, 253, 0});  // control set: the counters never mute it
  const auto out = Frame(kTriangleBuffer);
  for (size_t i = 0; i + 100 < out.size(); ++i) ASSERT_EQ(out[i], out[i + 100]) << i;
  // The last quarter reaches 0 a few samples early and the next rise begins before the wave
  // restarts.
  for (size_t i = 0; i < 97; ++i) ASSERT_TRUE(i < 50 ? out[i] >= 0 : out[i] <= 0) << i;
  // Every level from -15 to 15 appears, and nothing beyond.
  EXPECT_EQ(MaxMagnitude(out), 15 * 128);
  for (int level = -15; level <= 15; ++level)
    EXPECT_NE(std::find(out.begin(), out.end(), level * 128), out.end()) << level;
}

// Period index 0 holds each random level for 3 samples; short mode repeats every 93 steps.
// Without the halt bit, length index 0 gives 4 frames, then the ring falls silent.
TEST_F(NoiseTest, StepLengthModesAndLength) {
  for (int mode : {0x00, 0x80}) {
    SCOPED_TRACE(testing::Message() << "mode " << mode);
    Fresh();
    Write(0x4015, 0x08);
    Write(0x400C, {0x1F, 0, mode, 0});  // constant volume 15
    const auto out = Frame(kNoiseBuffer);
    bool repeats = true;
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(std::abs(out[i]), 1920) << i;
      ASSERT_EQ(out[i], out[i - i % 3]) << i;
      if (i + 279 < out.size() && out[i] != out[i + 279]) repeats = false;
    }
    EXPECT_EQ(repeats, mode == 0x80);
    EXPECT_NE(std::count(out.begin(), out.end(), 1920), 0);
    EXPECT_NE(std::count(out.begin(), out.end(), -1920), 0);
    Frames(4, kNoiseBuffer);
    EXPECT_TRUE(RingSilent(kNoiseBuffer));
  }
}

}  // namespace

// Triangle and noise channels: wave shape, muting, noise step lengths and modes.
#include "apu/sound_fixture.h"

namespace {

using TriangleTest = SoundTest;
using NoiseTest = SoundTest;

// The same period gives a pulse wave of 50 samples and a triangle wave of 100: an octave
// lower, positive in its first half, negative in its second, 15 steps each way.
TEST_F(TriangleTest, OneOctaveBelowThePulse) {
  Write(0x4015, 0x04);
  Write(0x4008, 0xFF);  // control set: the counters never mute it
  Write(0x400A, 253);
  Write(0x400B, 0);
  const auto out = Frame(kTriangleBuffer);
  for (size_t i = 0; i + 100 < out.size(); ++i) ASSERT_EQ(out[i], out[i + 100]) << i;
  // The last quarter reaches 0 a few samples early and the next rise begins before the wave
  // restarts.
  for (size_t i = 0; i < 97; ++i) ASSERT_TRUE(i < 50 ? out[i] >= 0 : out[i] <= 0) << i;
  EXPECT_EQ(*std::max_element(out.begin(), out.end()), 15 * 128);
  EXPECT_EQ(*std::min_element(out.begin(), out.end()), -15 * 128);
  // Sixteen steps each way: every level from -15 to 15 appears.
  for (int level = -15; level <= 15; ++level)
    EXPECT_NE(std::find(out.begin(), out.end(), level * 128), out.end()) << level;
}

// Linear counter reload 16 counts 4 frames, then the channel is muted.
TEST_F(TriangleTest, LinearCounterMutesAfterItsFrames) {
  Write(0x4015, 0x04);
  Write(0x4008, 0x10);
  Write(0x400A, 253);
  Write(0x400B, 0x08);  // length 16 frames, longer than the linear count
  for (int frame = 1; frame <= 6; ++frame)
    EXPECT_EQ(MaxMagnitude(Frame(kTriangleBuffer), 0, 368), frame <= 4 ? 1920 : 0) << frame;
}

// Period index 0 holds each random level for 3 samples; short mode repeats every 93 steps.
TEST_F(NoiseTest, StepLengthAndModes) {
  for (uint8_t mode : {0x00, 0x80}) {
    SoundTest::TearDown();
    SoundTest::SetUp();
    Write(0x4015, 0x08);
    Write(0x400C, 0x3F);  // constant volume 15, length halted
    Write(0x400E, mode);
    Write(0x400F, 0x08);
    const auto out = Frame(kNoiseBuffer);
    bool repeats = true;
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(std::abs(out[i]), 1920) << i;
      ASSERT_EQ(out[i], out[i - i % 3]) << i;
      if (i + 279 < out.size() && out[i] != out[i + 279]) repeats = false;
    }
    EXPECT_EQ(repeats, mode == 0x80) << "mode " << int(mode);
    EXPECT_NE(std::count(out.begin(), out.end(), 1920), 0);
    EXPECT_NE(std::count(out.begin(), out.end(), -1920), 0);
  }
}

// Without the halt bit a $400F write gives (0 >> 3) + 4 frames, then the ring falls silent.
TEST_F(NoiseTest, LengthRunsOutWithoutHalt) {
  Write(0x4015, 0x08);
  Write(0x400C, 0x1F);
  Write(0x400E, 0x00);
  Write(0x400F, 0x00);
  EXPECT_EQ(MaxMagnitude(Frame(kNoiseBuffer), 0, 368), 1920);
  Frames(4, kNoiseBuffer);
  const int16_t* ring = ChannelBuffers[kNoiseBuffer].Samples;
  EXPECT_EQ(std::count(ring, ring + kRingSamples, 0), static_cast<long>(kRingSamples));
}

}  // namespace

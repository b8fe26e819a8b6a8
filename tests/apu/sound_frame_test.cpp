// The frame around the channels: ring positions, disabled channels, the start of playback.
#include "apu/sound_fixture.h"

namespace {

using SoundFrameTest = SoundTest;

// 367 and 368 samples in turn: sixty frames fill the one-second ring exactly once.
TEST_F(SoundFrameTest, SixtyFramesGoRoundTheRingOnce) {
  uint32_t expected = 0;
  for (int frame = 0; frame < 60; ++frame) {
    ASSERT_EQ(WritePosition, expected);
    expected += frame % 2 ? 368 : 367;
    m().RunSoundFrame();
  }
  EXPECT_EQ(expected, kRingSamples);
  EXPECT_EQ(WritePosition, 0u);
  EXPECT_EQ(FrameSamples, 367);
}

// A channel switched off plays silence over its whole ring and keeps its place.
TEST_F(SoundFrameTest, DisabledChannelClearsItsRingAndKeepsItsState) {
  Write(0x4015, 0x01);
  Write(0x4000, 0xBF);
  Write(0x4002, 253);
  Write(0x4003, 0);
  Frames(3, kPulse1Buffer);
  const uint16_t phase = Pulse1.Phase;
  Write(0x4015, 0x00);
  Frame(kPulse1Buffer);
  const int16_t* ring = ChannelBuffers[kPulse1Buffer].Samples;
  EXPECT_EQ(std::count(ring, ring + kRingSamples, 0), static_cast<long>(kRingSamples));
  EXPECT_EQ(Pulse1.Phase, phase);
}

// Nothing reaches the host until the frame whose FrameCount is 2; from then on every frame.
TEST_F(SoundFrameTest, PlaybackStartsAtFrameTwo) {
  for (FrameCount = 0; FrameCount < 2; ++FrameCount) m().RunSoundFrame();
  EXPECT_TRUE(queued.empty());
  EXPECT_FALSE(ChannelBuffers[kPulse1Buffer].Playing);
  m().RunSoundFrame();
  EXPECT_EQ(queued.size(), 367u) << "silence is played too";
  EXPECT_EQ(std::count(queued.begin(), queued.end(), 0), 367);
  for (const SoundBuffer& buffer : ChannelBuffers) EXPECT_TRUE(buffer.Playing);
  FrameCount = 7;
  m().RunSoundFrame();
  EXPECT_EQ(queued.size(), 367u + 368u);
}

TEST_F(SoundFrameTest, ClosedSoundTouchesNothing) {
  CloseSound();
  Write(0x4015, 0x10);
  Write(0x4011, 0x00);
  m().RunSoundFrame();
  EXPECT_EQ(m().CpuMemory[0x4011], 0x80);
  EXPECT_EQ(WritePosition, 0u);
}

}  // namespace

// The frame around the channels: ring positions, disabled channels, the start of playback.
#include "apu/sound_fixture.h"

namespace {

using SoundFrameTest = SoundTest;

// 367 and 368 samples in turn: sixty frames fill the one-second ring exactly once. Nothing
// reaches the host until the frame whose FrameCount is 2; from then on every frame, silence
// included.
TEST_F(SoundFrameTest, RingPositionsAndTheStartOfPlayback) {
  uint32_t expected = 0;
  for (FrameCount = 0; FrameCount < 60; ++FrameCount) {
    ASSERT_EQ(WritePosition, expected);
    // Frames 0 and 1 (367 + 368 samples) are never queued.
    EXPECT_EQ(queued.size(), FrameCount < 3 ? 0u : expected - 735);
    EXPECT_EQ(ChannelBuffers[kDeltaBuffer].Playing, FrameCount > 2);
    expected += FrameCount % 2 ? 368 : 367;
    m().RunSoundFrame();
  }
  EXPECT_EQ(expected, kRingSamples);
  EXPECT_EQ(WritePosition, 0u);
  EXPECT_EQ(std::count(queued.begin(), queued.end(), 0), static_cast<long>(queued.size()));
}

// A channel switched off plays silence over its whole ring and keeps its place.
TEST_F(SoundFrameTest, DisabledChannelClearsItsRingAndKeepsItsState) {
  Note(2, 253);
  Frames(3, kPulse1Buffer);
  const uint16_t phase = Pulse1.Phase;
  Write(0x4015, 0x00);
  Frame(kPulse1Buffer);
  EXPECT_TRUE(RingSilent(kPulse1Buffer));
  EXPECT_EQ(Pulse1.Phase, phase);
}

}  // namespace

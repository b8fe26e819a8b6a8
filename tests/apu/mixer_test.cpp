// Opening the output, and the mix of the channel rings with volume and pan.
#include "apu/mixer.h"

#include "apu/sound_fixture.h"
#include "core/settings.h"
#include "log/log.h"
#include "session/sound_output.h"

namespace {

class MixerTest : public SoundTest {
 protected:
  // Fills the frame at ring position 0 of a channel with one value.
  void Fill(int channel, int16_t value) {
    std::fill_n(LockSoundBuffer(ChannelBuffers[channel]), 367, value);
  }
  std::vector<int16_t> Mix() {
    queued.clear();
    MixSoundFrame(0, 367);
    QueueMixedSound();
    return queued;
  }
};

TEST_F(MixerTest, MonoAddsTheChannelsAtTheirVolumesAndClamps) {
  StartSoundPlayback();
  Fill(kPulse1Buffer, 1000);
  Fill(kTriangleBuffer, 1000);
  Fill(kDeltaBuffer, -300);
  SetSoundVolume(ChannelBuffers[kTriangleBuffer], -600);
  const auto out = Mix();
  EXPECT_EQ(out, std::vector<int16_t>(367, 1000 + 501 - 300));
  PauseSoundVolume();
  EXPECT_EQ(Mix()[0], 0);
  ResumeSoundVolume();
  EXPECT_EQ(Mix()[0], 1000 + 1000 - 300) << "every channel back at full volume";
  for (int16_t value : {30000, -30000}) {
    for (int channel = 0; channel < kChannelBufferCount; ++channel) Fill(channel, value);
    EXPECT_EQ(Mix()[0], value > 0 ? 32767 : -32768);
  }
  // A block reaches the host once, and a muted frame (fast-forward, rewind) not at all.
  MixedSound block;
  EXPECT_FALSE(TakeMixedSound(block));
  SoundMuted = 1;
  EXPECT_TRUE(Mix().empty());
  SoundMuted = 0;
}

TEST_F(MixerTest, StereoPansPulsesApart) {
  SoundStereo = 1;
  CloseSound();
  LogStart();
  ASSERT_EQ(OpenSound(), 1u);
  EXPECT_NE(ReadLog().find("OK!Initialize stereo sound output\n"), std::string::npos);
  StartSoundPlayback();
  Fill(kPulse1Buffer, 1000);
  auto out = Mix();
  ASSERT_EQ(out.size(), 2 * 367u);
  EXPECT_NEAR(out[0], 631, 1) << "pulse 1 is 4 dB down on the left";
  EXPECT_EQ(out[1], 1000);
  Fill(kPulse1Buffer, 0);
  Fill(kPulse2Buffer, 1000);
  Fill(kNoiseBuffer, 100);
  out = Mix();
  EXPECT_EQ(out[0], 1100);
  EXPECT_NEAR(out[1], 731, 1) << "pulse 2 is 4 dB down on the right, noise centred";
}

}  // namespace

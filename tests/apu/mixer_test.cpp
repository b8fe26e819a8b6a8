// Opening the output, and the mix of the channel rings with volume and pan.
#include "apu/mixer.h"

#include <cmath>

#include "apu/sound_fixture.h"
#include "host/settings.h"
#include "log/log.h"

namespace {

class MixerTest : public SoundTest {
 protected:
  void Reopen() {
    CloseSound();
    ASSERT_EQ(OpenSound(), 1u);
  }
  // Fills the frame at ring position 0 of a channel with one value.
  void Fill(int channel, int16_t value) {
    std::fill_n(LockSoundBuffer(ChannelBuffers[channel]), 367, value);
  }
  std::vector<int16_t> Mix() {
    queued.clear();
    MixSoundFrame(0, 367);
    return queued;
  }
};

TEST_F(MixerTest, OpeningLogsAndPlacesTheBuffers) {
  EXPECT_EQ(ReadLog(),
            "Direct Sound Object Created\nPrimary Buffer Established\nBuffer Size:44100\n"
            "NES Sound Channels Created\nOK!Mono sound output\n");
  for (const SoundBuffer& buffer : ChannelBuffers) {
    EXPECT_TRUE(buffer.Created);
    EXPECT_FALSE(buffer.Playing);
    EXPECT_EQ(buffer.Pan, 0);
  }

  SoundStereo = 1;
  HardwareBuffers = 2;
  LogStart();
  Reopen();
  EXPECT_NE(ReadLog().find("OK!Initialize stereo sound output\n"), std::string::npos);
  EXPECT_EQ(ChannelBuffers[kPulse1Buffer].Pan, 400);
  EXPECT_EQ(ChannelBuffers[kPulse2Buffer].Pan, -400);
  EXPECT_EQ(ChannelBuffers[kTriangleBuffer].Pan, 0);
  // HARDBUf=2: the first two may use hardware, the other three are software buffers.
  const uint8_t software[] = {0, 0, 1, 1, 1};
  for (int i = 0; i < kChannelBufferCount; ++i)
    EXPECT_EQ(ChannelBuffers[i].Software, software[i]) << i;
}

TEST_F(MixerTest, GainFromHundredthsOfADecibel) {
  EXPECT_EQ(DecibelsToGain(0), 4096);
  EXPECT_EQ(DecibelsToGain(-10000), 0);
  EXPECT_EQ(DecibelsToGain(-600), std::lround(4096 * std::pow(10.0, -0.3)));  // about half
}

TEST_F(MixerTest, NothingIsQueuedUntilPlaybackStarts) {
  Fill(kPulse1Buffer, 1000);
  EXPECT_TRUE(Mix().empty());
}

TEST_F(MixerTest, MonoAddsTheChannelsAtTheirVolumes) {
  StartSoundPlayback();
  Fill(kPulse1Buffer, 1000);
  Fill(kTriangleBuffer, 1000);
  Fill(kDeltaBuffer, -300);
  SetSoundVolume(ChannelBuffers[kTriangleBuffer], -600);
  const auto out = Mix();
  ASSERT_EQ(out.size(), 367u);
  EXPECT_NEAR(out[0], 1000 + 501 - 300, 1);
  EXPECT_EQ(out[0], out[366]);
}

TEST_F(MixerTest, StereoPansPulsesApart) {
  SoundStereo = 1;
  Reopen();
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

TEST_F(MixerTest, LoudSumsClampTo16Bits) {
  StartSoundPlayback();
  for (int channel = 0; channel < kChannelBufferCount; ++channel) Fill(channel, 30000);
  EXPECT_EQ(Mix()[0], 32767);
  for (int channel = 0; channel < kChannelBufferCount; ++channel) Fill(channel, -30000);
  EXPECT_EQ(Mix()[0], -32768);
}

TEST_F(MixerTest, PauseSilencesAndResumeRestores) {
  StartSoundPlayback();
  Fill(kPulse1Buffer, 1000);
  PauseSoundVolume();
  EXPECT_EQ(ChannelBuffers[kPulse1Buffer].Volume, kSilentVolume);
  EXPECT_EQ(Mix()[0], 0);
  ResumeSoundVolume();
  EXPECT_EQ(Mix()[0], 1000);
}

}  // namespace

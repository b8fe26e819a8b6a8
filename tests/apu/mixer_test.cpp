// The cartridge sound chips on their buffers (VRC6 pulses and sawtooth, the Namco wavetable,
// silence; which boards get them is the WAV runner test's), opening the output, and the mix of
// all the rings with volume and pan.
#include "apu/mixer.h"

#include <tuple>

#include "apu/expansion.h"
#include "apu/sound_fixture.h"
#include "core/settings.h"
#include "log/log.h"

namespace {

class MixerTest : public SoundTest {
 protected:
  // A fresh console with the cartridge's sound chip.
  void Fresh(SoundChip chip) {
    SoundTest::Fresh();
    m().CartridgeChip = chip, CreateExpansionChannels(m());
  }
  std::vector<int16_t> Slot(int slot, int n = 1) { return Frames(n, ExpansionBuffers[slot]); }
  void Vrc6(int channel, int r0, int period) {
    const uint8_t r[3] = {uint8_t(r0), uint8_t(period), uint8_t(0x80 | period >> 8)};
    std::copy(r, r + 3, m().Vrc6Registers[channel]);
  }
  // Namco channel 0 with its wave at $10 (bytes 1, 2, 3, ...).
  void Namco(uint32_t frequency, int lengthCode, int volume) {
    for (int k = 0; k < 16; ++k) m().NamcoSoundRam[0x10 + k] = static_cast<uint8_t>(k + 1);
    uint8_t* c = m().NamcoSoundRam + 0x40;
    c[0] = uint8_t(frequency), c[2] = uint8_t(frequency >> 8), c[6] = 0x10;
    c[4] = uint8_t(lengthCode << 2 | frequency >> 16), c[7] = uint8_t(volume);
  }
  // Fills the frame at ring position 0 of a channel with one value.
  void Fill(int channel, int16_t value) {
    std::fill_n(LockSoundBuffer(ChannelBuffers[channel]), 367, value);
  }
  std::vector<int16_t> Mix() {
    queued.clear(), MixSoundFrame(0, 367), QueueMixedSound();
    return queued;
  }
};

// VRC6 rate 8 every 81 cycles (a step a sample): the accumulator's top five bits climb six
// steps and the seventh step is 0. Namco frequency 49778 is a wave step every 162 cycles, two
// samples; a wave shortened while it plays (16 bytes, 367 steps in) starts again inside its
// new length. Then the quiet cases: switched off, digitised, too short to hear, volume 0 or
// frequency 0 are silence; a pulse left at period 0 for a while plays a real period at once.
TEST_F(MixerTest, Vrc6SawtoothNamcoWaveStepsAndQuietChannels) {
  Fresh(SoundChip::Vrc6), Vrc6(2, 8, 81);
  auto out = Slot(2);
  for (size_t i = 0; i < 28; ++i) ASSERT_EQ(out[i], (i + 1) % 7 * 256) << i;
  Vrc6(0, 0x7F, 0);
  EXPECT_EQ(MaxMagnitude(Slot(0, 100)), 0);
  Vrc6(0, 0x7F, 100);
  EXPECT_EQ(Slot(0)[0], 15 << 8);
  Slot(0, 60), Vrc6(0, 0xFF, 100);  // digitised mode: not last second's samples either
  EXPECT_EQ(std::tuple(MaxMagnitude(Slot(0)), ReadLog().find('D') != std::string::npos),
            std::tuple(0, true));
  m().Vrc6Registers[0][2] = 0x00, Slot(0);
  EXPECT_TRUE(RingSilent(ExpansionBuffers[0]));
  Fresh(SoundChip::Namco), Namco(49778, 6, 3);  // length (8 - 6) x 2 = 4
  out = Slot(0);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], ((i / 2 + 1) % 4 + 1) * 3) << i;
  Namco(99556, 0, 3), Slot(0, 2);  // one step a sample, 16 bytes
  Namco(99556, 7, 3);              // 2 bytes
  out = Slot(0);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], (i % 2 + 1) * 3) << i;
  Namco(0, 0, 3);
  EXPECT_EQ(MaxMagnitude(Slot(0)), 0);
  Namco(99556, 0, 0), Slot(0);
  EXPECT_TRUE(RingSilent(ExpansionBuffers[0]));
}

TEST_F(MixerTest, MonoAddsTheChannelsAtTheirVolumesAndClamps) {
  StartSoundPlayback();
  Fill(kPulse1Buffer, 1000), Fill(kTriangleBuffer, 1000), Fill(kDeltaBuffer, -300);
  SetSoundVolume(ChannelBuffers[kTriangleBuffer], -600);
  EXPECT_EQ(Mix(), std::vector<int16_t>(367, 1000 + 501 - 300));
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

// Pulse 1 is 4 dB down on the left, pulse 2 on the right, the noise centred.
TEST_F(MixerTest, StereoPansPulsesApart) {
  SoundStereo = 1, CloseSound(), LogStart();
  ASSERT_EQ(OpenSound(), 1u);
  EXPECT_NE(ReadLog().find("OK!Initialize stereo sound output\n"), std::string::npos);
  StartSoundPlayback(), Fill(kPulse1Buffer, 1000);
  auto out = Mix();  // left, right; 4 dB down is 631 of 1000, give or take the rounding
  ASSERT_EQ(out.size(), 2 * 367u);
  EXPECT_TRUE(std::abs(out[0] - 631) <= 1 && out[1] == 1000) << out[0] << " " << out[1];
  Fill(kPulse1Buffer, 0), Fill(kPulse2Buffer, 1000), Fill(kNoiseBuffer, 100), out = Mix();
  EXPECT_TRUE(out[0] == 1100 && std::abs(out[1] - 731) <= 1) << out[0] << " " << out[1];
}

}  // namespace

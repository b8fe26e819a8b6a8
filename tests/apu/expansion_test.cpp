// The cartridge sound chips on their buffers: VRC6 pulses and sawtooth, the Namco wavetable,
// silence. Which boards get the channels is the WAV runner test's.
#include "apu/expansion.h"

#include "apu/sound_fixture.h"

namespace {

class ExpansionTest : public SoundTest {
 protected:
  void Chip(SoundChip chip) {
    m().CartridgeChip = chip;
    CreateExpansionChannels(m());
  }
  std::vector<int16_t> Slot(int slot, int frames = 1) {
    return Frames(frames, ExpansionBuffers[slot]);
  }
  void Vrc6(int channel, int r0, int period) {
    const uint8_t r[3] = {uint8_t(r0), uint8_t(period), uint8_t(0x80 | period >> 8)};
    std::copy(r, r + 3, m().Vrc6Registers[channel]);
  }
  // Namco channel 0 with its wave at $10 (bytes 1, 2, 3, ...).
  void Namco(uint32_t frequency, int lengthCode, int volume) {
    for (int k = 0; k < 16; ++k) m().NamcoSoundRam[0x10 + k] = static_cast<uint8_t>(k + 1);
    const uint8_t c[8] = {uint8_t(frequency),
                          0,
                          uint8_t(frequency >> 8),
                          0,
                          uint8_t(lengthCode << 2 | frequency >> 16),
                          0,
                          0x10,
                          uint8_t(volume)};
    std::copy(c, c + 8, m().NamcoSoundRam + 0x40);
  }
};

// Rate 8 every 81 cycles (a step a sample): the accumulator's top five bits climb six steps
// and the seventh step is 0.
TEST_F(ExpansionTest, Vrc6SawtoothSteps) {
  Chip(SoundChip::Vrc6);
  Vrc6(2, 8, 81);
  const auto out = Slot(2);
  for (size_t i = 0; i < 28; ++i) ASSERT_EQ(out[i], (i + 1) % 7 * 256) << i;
}

// Frequency 49778 is a wave step every 162 cycles, two samples. A wave shortened while it
// plays (16 bytes, 367 steps in) starts again inside its new length.
TEST_F(ExpansionTest, NamcoWaveStepsAndWraps) {
  Chip(SoundChip::Namco);
  Namco(49778, 6, 3);  // length (8 - 6) x 2 = 4
  auto out = Slot(0);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], ((i / 2 + 1) % 4 + 1) * 3) << i;
  Namco(99556, 0, 3);  // one step a sample, 16 bytes
  Slot(0, 2);
  Namco(99556, 7, 3);  // 2 bytes
  out = Slot(0);
  for (size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], (i % 2 + 1) * 3) << i;
}

// Switched off, digitised, too short to hear, volume 0 or frequency 0: silence. A pulse left
// at period 0 for a while plays a real period at once.
TEST_F(ExpansionTest, QuietChannelsAreSilent) {
  Chip(SoundChip::Vrc6);
  Vrc6(0, 0x7F, 0);
  EXPECT_EQ(MaxMagnitude(Slot(0, 100)), 0);
  Vrc6(0, 0x7F, 100);
  EXPECT_EQ(Slot(0)[0], 15 << 8);
  Slot(0, 60);
  Vrc6(0, 0xFF, 100);  // digitised mode: not last second's samples either
  EXPECT_EQ(MaxMagnitude(Slot(0)), 0);
  EXPECT_NE(ReadLog().find('D'), std::string::npos);
  m().Vrc6Registers[0][2] = 0x00;
  Slot(0);
  EXPECT_TRUE(RingSilent(ExpansionBuffers[0]));

  Fresh();
  Chip(SoundChip::Namco);
  Namco(99556, 0, 15);
  EXPECT_GT(MaxMagnitude(Slot(0)), 0);
  Namco(0, 0, 15);
  EXPECT_EQ(MaxMagnitude(Slot(0)), 0);
  Namco(99556, 0, 0);
  Slot(0);
  EXPECT_TRUE(RingSilent(ExpansionBuffers[0]));
}

}  // namespace

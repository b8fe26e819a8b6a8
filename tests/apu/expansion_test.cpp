// The cartridge sound chips: VRC6 pulses and sawtooth, the Namco wavetable, their creation at
// start-up and their way into the mix.
#include <cmath>

#include "apu/expansion.h"
#include "apu/sound_fixture.h"
#include "host/settings.h"

namespace {

class ExpansionTest : public SoundTest {
 protected:
  void Chip(uint8_t mapper) {
    MapperNumber = mapper;
    CreateExpansionChannels();
  }
  std::vector<int16_t> Slot(int slot, int frames = 1) {
    return Frames(frames, ExpansionBuffers[slot]);
  }
  // Namco channel n: frequency, wave length code, wave start, volume.
  void Namco(int n, uint32_t frequency, int lengthCode, int start, int volume) {
    uint8_t* c = m().NamcoSoundRam + 0x40 + 8 * n;
    c[0] = frequency & 0xFF;
    c[2] = (frequency >> 8) & 0xFF;
    c[4] = static_cast<uint8_t>((lengthCode << 2) | (frequency >> 16));
    c[6] = static_cast<uint8_t>(start);
    c[7] = static_cast<uint8_t>(volume);
  }
};

// P x 16 CPU cycles a period at 81 cycles a sample; each period starts at volume x 256 and
// is high for its first (15 - D) / 16.
TEST_F(ExpansionTest, Vrc6PulsePeriodAndDuty) {
  const int cases[][4] = {{0, 7, 100, 15}, {0, 0, 100, 15}, {1, 3, 200, 9}, {1, 7, 60, 1}};
  for (const auto& [channel, duty, period, volume] : cases) {
    SCOPED_TRACE(testing::Message() << "channel " << channel << " duty " << duty);
    Fresh();
    Chip(24);
    uint8_t* r = Vrc6Registers[channel];
    r[0] = static_cast<uint8_t>(duty << 4 | volume);
    r[1] = period & 0xFF;
    r[2] = static_cast<uint8_t>(0x80 | period >> 8);
    const auto out = Slot(channel, 3);
    const double samples = period * 16 / 81.0;
    std::vector<size_t> rises;
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_TRUE(out[i] == 0 || out[i] == volume << 8) << i;
      if (i > 0 && out[i] && !out[i - 1]) rises.push_back(i);
    }
    ASSERT_GE(rises.size(), 2u);
    for (size_t k = 1; k < rises.size(); ++k) {
      EXPECT_LE(std::abs(rises[k] - rises[k - 1] - samples), 1.0) << k;
      size_t high = 0;
      while (out[rises[k - 1] + high]) ++high;
      EXPECT_LE(std::abs(high - samples * (15 - duty) / 16), 1.0) << k;
    }
  }
}

// One accumulator step per P cycles; the five top bits are heard and the seventh step is 0.
TEST_F(ExpansionTest, Vrc6SawtoothSteps) {
  const int cases[][3] = {{81, 8, 1}, {81, 42, 1}, {162, 8, 2}};  // period, rate, samples a step
  for (const auto& [period, rate, hold] : cases) {
    SCOPED_TRACE(testing::Message() << "period " << period << " rate " << rate);
    Fresh();
    Chip(24);
    Vrc6Registers[2][0] = static_cast<uint8_t>(rate);
    Vrc6Registers[2][1] = static_cast<uint8_t>(period);
    Vrc6Registers[2][2] = 0x80;
    const auto out = Slot(2);
    for (size_t i = 0; i < 28; ++i)
      ASSERT_EQ(out[i], ((i / hold + 1) % 7 * rate & 0xF8) << 5) << i;
  }
}

// Channel n reads the wave from the sound memory, one byte a step, and starts the wave again
// at its length; a wave shortened while it plays restarts inside the new length.
TEST_F(ExpansionTest, NamcoWaveStepsAndWraps) {
  Chip(19);
  for (int k = 0; k < 16; ++k) m().NamcoSoundRam[0x10 + k] = static_cast<uint8_t>(k + 1);
  Namco(7, 99556, 6, 0x10, 3);  // 81 cycles a step: one a sample; length (8 - 6) x 2 = 4
  Namco(0, 49778, 0, 0x10, 15);  // 162 cycles a step; length 16
  const int16_t* sixteen = ExpansionBuffers[0].Samples + WritePosition;
  auto four = Slot(7);
  for (size_t i = 0; i < four.size(); ++i) {
    ASSERT_EQ(four[i], ((i + 1) % 4 + 1) * 3) << i;
    ASSERT_EQ(sixteen[i], ((i / 2 + 1) % 16 + 1) * 15) << i;
  }
  Namco(7, 99556, 0, 0x10, 3);
  Slot(7);  // 367 steps into a 16-byte wave: position 15
  Namco(7, 99556, 7, 0x10, 3);
  four = Slot(7);
  for (size_t i = 0; i < four.size(); ++i) ASSERT_EQ(four[i], (i % 2 + 1) * 3) << i;
}

// Switched off, digitised, too short to hear, volume 0 or frequency 0: silence. A period
// too short for a sample leaves the pulse ready to play at once when a real one comes.
TEST_F(ExpansionTest, QuietChannelsAreSilent) {
  Chip(24);
  Vrc6Registers[0][0] = 0x7F;
  Vrc6Registers[0][2] = 0x80;  // period 0
  Slot(0, 100);
  EXPECT_EQ(MaxMagnitude(Slot(0)), 0);
  Vrc6Registers[0][1] = 100;
  EXPECT_EQ(Slot(0)[0], 15 << 8);
  Vrc6Registers[0][0] = 0xFF;  // digitised mode
  EXPECT_EQ(MaxMagnitude(Slot(0)), 0);
  EXPECT_NE(ReadLog().find('D'), std::string::npos);
  Vrc6Registers[0][2] = 0x00;
  Slot(0);
  EXPECT_TRUE(RingSilent(ExpansionBuffers[0]));

  Fresh();
  Chip(19);
  m().NamcoSoundRam[0] = 200;
  Namco(0, 99556, 0, 0, 15);
  EXPECT_GT(MaxMagnitude(Slot(0, 60)), 0);
  Namco(0, 0, 0, 0, 15);
  EXPECT_EQ(MaxMagnitude(Slot(0)), 0);
  Namco(0, 99556, 0, 0, 0);
  Slot(0);
  EXPECT_TRUE(RingSilent(ExpansionBuffers[0]));
}

// Start-up creates the chip's buffers only for its own board, with its switch and the sound on.
TEST_F(ExpansionTest, CreatedForTheirBoardAndSwitch) {
  struct Case {
    uint8_t mapper;
    uint32_t vrc6, namco, sound;
    int created;
    const char* log;
  };
  const Case cases[] = {{24, 1, 0, 1, 3, "VRC6 Extened Sound Channel Created\n"},
                        {19, 0, 1, 1, 8, "Namco Extened Sound Channel Created\n"},
                        {24, 0, 1, 1, 0, ""}, {19, 1, 0, 1, 0, ""}, {26, 1, 1, 1, 0, ""},
                        {24, 1, 1, 0, 0, ""}, {19, 1, 1, 0, 0, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int{c.mapper} << " sound " << c.sound);
    Fresh();
    if (!c.sound) CloseSound();
    Vrc6Extension = c.vrc6;
    NamcoExtension = c.namco;
    const size_t logStart = ReadLog().size();
    Chip(c.mapper);
    int created = 0;
    for (const SoundBuffer& buffer : ExpansionBuffers) created += buffer.Created;
    EXPECT_EQ(created, c.created);
    EXPECT_EQ(ReadLog().substr(logStart), c.log);
  }
}

// Playback starts with the console channels at the frame whose count is 2, and from then on
// the chip's samples are in every mixed block (the console channels are off here).
TEST_F(ExpansionTest, ChipSamplesReachTheMix) {
  for (uint8_t mapper : {24, 19}) {
    SCOPED_TRACE(testing::Message() << "mapper " << int{mapper});
    Fresh();
    Chip(mapper);
    Vrc6Registers[2][0] = 8;
    Vrc6Registers[2][1] = 81;
    Vrc6Registers[2][2] = 0x80;
    for (int n = 0; n < kNamcoChannelCount; ++n) {
      m().NamcoSoundRam[n] = static_cast<uint8_t>(n + 1);
      Namco(n, 99556 - 4000 * n, 0, 0, n + 1);
    }
    std::vector<int32_t> sum;
    for (FrameCount = 0; FrameCount < 4; ++FrameCount) {
      const uint32_t at = WritePosition;
      m().RunSoundFrame();
      EXPECT_EQ(ExpansionBuffers[0].Playing, FrameCount >= 2);
      if (FrameCount < 2) continue;
      for (uint32_t i = at; i < WritePosition; ++i) {
        int32_t total = 0;
        for (const SoundBuffer& buffer : ExpansionBuffers) total += buffer.Samples[i];
        sum.push_back(total);
      }
    }
    ASSERT_EQ(queued.size(), sum.size());
    EXPECT_GT(MaxMagnitude(queued), 0);
    for (size_t i = 0; i < sum.size(); ++i) ASSERT_EQ(queued[i], sum[i]) << i;
    EXPECT_EQ(ReadLog().find("Start VRC6 Sound Channel\n") != std::string::npos, mapper == 24);
  }
}

}  // namespace

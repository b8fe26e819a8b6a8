// Pulse channel arithmetic: wave length from the period, duty, envelope and sweep.
#include "apu/sound_fixture.h"

namespace {

class PulseTest : public SoundTest {
 protected:
  // Constant volume 15 at the given duty and period on pulse 1.
  void Note(uint8_t duty, uint16_t period, uint8_t control = 0x1F) {
    Write(0x4015, 0x01);
    Write(0x4000, static_cast<uint8_t>((duty << 6) | control));
    Write(0x4002, period & 0xFF);
    Write(0x4003, static_cast<uint8_t>(period >> 8));
  }
  // A fresh console for the next case of a loop.
  void Fresh() {
    SoundTest::TearDown();
    SoundTest::SetUp();
  }
};

// Period 253 gives (254 * 22050) / 111860 = 50 samples per wave; each duty sets how many of
// them are high (1/8, 1/4, 1/2, 3/4).
TEST_F(PulseTest, WaveLengthAndDuty) {
  const int highSamples[4] = {6, 12, 25, 36};
  for (uint8_t duty = 0; duty < 4; ++duty) {
    Fresh();
    Note(duty, 253);
    const auto out = Frame(kPulse1Buffer);
    ASSERT_EQ(out.size(), 367u);
    for (size_t i = 0; i < out.size(); ++i)
      ASSERT_EQ(out[i], (i % 50) < size_t(highSamples[duty]) ? 1920 : -1920)
          << "duty " << int(duty) << " sample " << i;
  }
}

// The wave in progress finishes at its old length; the new period starts with the next wave.
TEST_F(PulseTest, NewPeriodWaitsForTheNextWave) {
  Note(2, 253);
  Frame(kPulse1Buffer);  // 367 samples: seven waves and 17 samples of the eighth
  Write(0x4002, 126);    // (127 * 22050) / 111860 = 25 samples per wave
  const auto out = Frame(kPulse1Buffer);
  for (int i = 0; i < 33; ++i) ASSERT_EQ(out[i], i < 8 ? 1920 : -1920) << i;
  for (int i = 33; i < 368; ++i) ASSERT_EQ(out[i], (i - 33) % 25 < 12 ? 1920 : -1920) << i;
}

TEST_F(PulseTest, PeriodsOutsideTheAudibleRange) {
  Note(2, 0);
  EXPECT_EQ(MaxMagnitude(Frames(2, kPulse1Buffer), 0, 368), 0) << "period 0 is silent";
  // Too short or too long a period: no wave at all, a constant level.
  for (uint16_t period : {1, 4, 2045, 2047}) {
    Note(2, period);
    for (int16_t sample : Frames(2, kPulse1Buffer)) ASSERT_EQ(sample, 1920) << period;
  }
}

// Envelope period 0: one step per clock, four clocks a frame, 15 clocks from 15 to 0.
TEST_F(PulseTest, EnvelopeDecaysAndStopsOrLoops) {
  for (uint8_t loop : {0, 1}) {
    Fresh();
    Note(2, 253, static_cast<uint8_t>(loop << 5));
    Frame(kPulse1Buffer);  // the envelope restarts only once a wave has started
    Write(0x4003, 0);      // retrigger
    const size_t bounds[5] = {0, 92, 188, 275, 367};
    int level = 15;
    for (int frame = 0; frame < 4; ++frame) {
      const auto out = Frame(kPulse1Buffer);
      for (int part = 0; part < 4; ++part, --level) {
        const int expected = level > 0 ? level : (loop ? 15 : 0);
        ASSERT_EQ(MaxMagnitude(out, bounds[part], bounds[part + 1]), expected * 128)
            << "loop " << int(loop) << " frame " << frame << " part " << part;
      }
    }
    // Without loop it stays silent; with loop it went back to 15 and has decayed one step.
    EXPECT_EQ(MaxMagnitude(Frame(kPulse1Buffer), 0, 368), loop ? 14 * 128 : 0);
  }
}

// An envelope restarted while the period is 0 (so no wave starts), then constant volume 0,
// then the envelope again: it stops at 0 instead of wrapping to a volume of 255.
TEST_F(PulseTest, EnvelopeNeverWrapsBelowZero) {
  Note(2, 253, 0x20);  // looping envelope
  Frame(kPulse1Buffer);
  Note(2, 0, 0x20);  // restart with period 0: no wave starts from here
  Frame(kPulse1Buffer);
  Write(0x4000, 0xB0);  // constant volume 0
  Frame(kPulse1Buffer);
  Note(2, 253, 0x00);  // envelope again, no loop
  for (int frame = 0; frame < 6; ++frame)
    ASSERT_LE(MaxMagnitude(Frame(kPulse1Buffer), 0, 368), 15 * 128) << frame;
}

// Sweeping down from period 10 by halves: 10, 5, 3, then below 3 the channel falls silent.
TEST_F(PulseTest, SweepDownStopsBelowThree) {
  Note(2, 10);
  Write(0x4001, 0x89);  // on, period 0 (every clock), negate, shift 1
  Frame(kPulse1Buffer);
  EXPECT_EQ(Pulse1.Period, 3);
  Frame(kPulse1Buffer);
  EXPECT_EQ(Pulse1.Period, 0);
  EXPECT_EQ(MaxMagnitude(Frame(kPulse1Buffer), 0, 368), 0);
}

// Sweeping up past 2046 pins the period at 2047, which has no wave: a constant level.
TEST_F(PulseTest, SweepUpPinsAt2047) {
  Note(2, 1500);
  Write(0x4001, 0x81);  // on, every clock, add, shift 1
  Frame(kPulse1Buffer);
  EXPECT_EQ(Pulse1.Period, 2047);
  const auto out = Frames(2, kPulse1Buffer);
  for (int16_t sample : out) ASSERT_EQ(sample, 1920);
}

// Sweep period 3 clocks the change on every fourth sweep clock: twice a frame, so every two
// frames.
TEST_F(PulseTest, SweepPeriodDividesTheClocks) {
  Note(2, 1024);
  Write(0x4001, 0xB1);  // on, period 3, add, shift 1
  Frame(kPulse1Buffer);
  EXPECT_EQ(Pulse1.Period, 1024);
  Frame(kPulse1Buffer);
  EXPECT_EQ(Pulse1.Period, 1536);
}

}  // namespace

// Pulse channel arithmetic: wave length from the period, duty, envelope and sweep.
#include "apu/sound_fixture.h"

namespace {

using PulseTest = SoundTest;

// Period 253 gives (254 * 22050) / 111860 = 50 samples per wave, period 126 gives 25; the duty
// sets how many of them are high. A new period waits for the wave in progress to finish.
TEST_F(PulseTest, WaveLengthDutyAndPeriodChange) {
  const size_t high[4][2] = {{6, 3}, {12, 6}, {25, 12}, {36, 18}};
  for (int duty = 0; duty < 4; ++duty) {
    SCOPED_TRACE(testing::Message() << "duty " << duty);
    Fresh();
    Note(duty, 253);
    auto out = Frame(kPulse1Buffer);
    for (size_t i = 0; i < out.size(); ++i)
      ASSERT_EQ(out[i], i % 50 < high[duty][0] ? 1920 : -1920) << i;
    Write(0x4002, 126);  // the eighth wave is 17 samples in
    out = Frame(kPulse1Buffer);
    for (size_t i = 0; i < out.size(); ++i) {
      const bool up = i < 33 ? i + 17 < high[duty][0] : (i - 33) % 25 < high[duty][1];
      ASSERT_EQ(out[i], up ? 1920 : -1920) << i;
    }
  }
}

// Period 0, or a sweep down below 3 (10, 5, 3, then 2), is silent; a period too short or too
// long to hear, or a sweep up pinned at 2047, holds a constant level. Sweep period 3 acts on
// every fourth of the two sweep clocks a frame.
TEST_F(PulseTest, SilentPeriodsAndSweepLimits) {
  // Period, sweep register, period after two frames, lowest and highest sample of the third.
  const int cases[][5] = {
      {0, 0, 0, 0, 0},     {4, 0, 4, 1920, 1920},          {2045, 0, 2045, 1920, 1920},
      {10, 0x89, 0, 0, 0}, {1500, 0x81, 2047, 1920, 1920}, {1024, 0xB1, 1536, -1920, 1920}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "period " << c[0] << " sweep " << c[1]);
    Fresh();
    Note(2, c[0]);
    Write(0x4001, c[1]);
    Frames(2, kPulse1Buffer);
    EXPECT_EQ(Pulse1.Period, c[2]);
    const auto out = Frame(kPulse1Buffer);
    EXPECT_EQ(*std::min_element(out.begin(), out.end()), c[3]);
    EXPECT_EQ(*std::max_element(out.begin(), out.end()), c[4]);
  }
}

// Envelope period 0: one step per clock, four clocks a frame, 15 clocks from 15 to 0.
TEST_F(PulseTest, EnvelopeDecaysAndStopsOrLoops) {
  for (int loop : {0, 1}) {
    SCOPED_TRACE(testing::Message() << "loop " << loop);
    Fresh();
    Note(2, 253, loop << 5);
    Frame(kPulse1Buffer);  // the envelope restarts only once a wave has started
    Write(0x4003, 0);      // retrigger
    const size_t bounds[5] = {0, 92, 188, 275, 367};
    int level = 15;
    for (int frame = 0; frame < 4; ++frame) {
      const auto out = Frame(kPulse1Buffer);
      for (int part = 0; part < 4; ++part, --level) {
        const int expected = level > 0 ? level : (loop ? 15 : 0);
        ASSERT_EQ(MaxMagnitude(out, bounds[part], bounds[part + 1]), expected * 128)
            << "frame " << frame << " part " << part;
      }
    }
    // Without loop it stays silent; with loop it went back to 15 and has decayed one step.
    EXPECT_EQ(MaxMagnitude(Frame(kPulse1Buffer)), loop ? 14 * 128 : 0);
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
    ASSERT_LE(MaxMagnitude(Frame(kPulse1Buffer)), 15 * 128) << frame;
}

}  // namespace

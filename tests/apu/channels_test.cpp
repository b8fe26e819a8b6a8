// The console's sound channels on their rings: the frame around them (ring positions, the
// start of playback, disabled channels), pulse wave length, duty, envelope and sweep, the
// triangle and noise shapes, and delta modulation (restarts, the level carried through $4011,
// the sample end and the fetch address wrapping from $FFFF to $8000).
#include <array>
#include <set>
#include <tuple>

#include "apu/sound_fixture.h"

namespace {

// The loudest level in each part of a frame split at `bounds` (-1 for no whole level).
std::vector<int> PartLevels(const std::vector<int16_t>& out, const std::vector<size_t>& bounds) {
  std::vector<int> levels;
  for (size_t part = 0; part + 1 < bounds.size(); ++part) {
    const int most = MaxMagnitude(out, bounds[part], bounds[part + 1]);
    levels.push_back(most % 128 ? -1 : most / 128);
  }
  return levels;
}

// 367 and 368 samples in turn: sixty frames fill the one-second ring exactly once. Nothing
// reaches the host until the frame whose FrameCount is 2; from then on every frame, silence
// included. A channel switched off plays silence over its whole ring and keeps its place.
TEST_F(SoundTest, FrameRingPositionsStartOfPlaybackAndDisabledChannels) {
  uint32_t expected = 0;
  for (FrameCount = 0; FrameCount < 60; ++FrameCount) {
    // 735: frames 0 and 1.
    ASSERT_EQ(std::tuple(WritePosition, queued.size(), ChannelBuffers[kDeltaBuffer].Playing),
              std::tuple(expected, FrameCount < 3 ? 0u : expected - 735, FrameCount > 2));
    expected += FrameCount % 2 ? 368 : 367;
    SoundFrame();
  }
  EXPECT_EQ(std::tuple(expected, WritePosition), std::tuple(kRingSamples, 0u));
  EXPECT_EQ(std::count(queued.begin(), queued.end(), 0), static_cast<long>(queued.size()));
  Note(2, 253), Frame(kPulse1Buffer, 3);
  const uint16_t phase = m().Pulse1.Phase;
  Write(0x4015, 0x00), Frame(kPulse1Buffer);
  EXPECT_TRUE(RingSilent(ChannelBuffers[kPulse1Buffer]) && m().Pulse1.Phase == phase);
}

// Period 253 gives (254 * 22050) / 111860 = 50 samples per wave, period 126 gives 25; the duty
// sets how many of them are high. A new period waits for the wave in progress to finish.
TEST_F(SoundTest, PulseWaveLengthDutyAndPeriodChange) {
  const size_t high[4][2] = {{6, 3}, {12, 6}, {25, 12}, {36, 18}};
  for (int duty = 0; duty < 4; ++duty) {
    Fresh(), Note(duty, 253);
    auto out = Frame(kPulse1Buffer);
    for (size_t i = 0; i < out.size(); ++i)
      ASSERT_EQ(out[i], i % 50 < high[duty][0] ? 1920 : -1920) << duty << " " << i;
    Write(0x4002, 126);  // the eighth wave is 17 samples in
    out = Frame(kPulse1Buffer);
    for (size_t i = 0; i < out.size(); ++i)
      ASSERT_EQ(out[i] > 0, i < 33 ? i + 17 < high[duty][0] : (i - 33) % 25 < high[duty][1])
          << duty << " " << i;
  }
}

// Period 0, or a sweep down below 3 (10, 5, 3, then 2; or 4 to 2 at once), is silent; a
// period too short or too long to hear, or a sweep up pinned at 2047, holds a constant
// level. Sweep period 3 acts on every fourth of the two sweep clocks a frame.
TEST_F(SoundTest, PulseSilentPeriodsAndSweepLimits) {
  // Period, sweep register, period after two frames, lowest and highest sample of the third.
  const int cases[][5] = {
      {0, 0, 0, 0, 0},     {4, 0, 4, 1920, 1920},          {2045, 0, 2045, 1920, 1920},
      {10, 0x89, 0, 0, 0}, {1500, 0x81, 2047, 1920, 1920}, {1024, 0xB1, 1536, -1920, 1920},
      {4, 0xB9, 0, 0, 0}};
  for (const auto& c : cases) {
    Fresh(), Note(2, c[0]), Write(0x4001, c[1]), Frame(kPulse1Buffer, 2);
    EXPECT_EQ(m().Pulse1.Period, c[2]) << c[0] << " " << c[1];
    const auto out = Frame(kPulse1Buffer);
    const auto [low, high] = std::minmax_element(out.begin(), out.end());
    EXPECT_EQ(std::tuple(*low, *high), std::tuple(c[3], c[4])) << c[0] << " " << c[1];
  }
}

// Envelope period 0: one step per clock, four clocks a frame, 15 clocks from 15 to 0; then it
// stays silent, or with loop goes back to 15. An envelope restarted while the period is 0 (so
// no wave starts), then constant volume 0, then the envelope again stops at 0 instead of
// wrapping to a volume of 255.
TEST_F(SoundTest, PulseEnvelopeDecaysStopsOrLoopsAndNeverWraps) {
  for (int loop : {0, 1}) {
    // The envelope restarts (the write) only once a wave has started.
    Fresh(), Note(2, 253, loop << 5), Frame(kPulse1Buffer), Write(0x4003, 0);
    for (int frame = 0, level = 15; frame < 4; ++frame, level -= 4) {
      std::vector<int> want;
      for (int step = level; step > level - 4; --step) want.push_back(step > 0 ? step : loop * 15);
      EXPECT_EQ(PartLevels(Frame(kPulse1Buffer), {0, 92, 188, 275, 367}), want) << loop << frame;
    }
    // With loop it went back to 15 and has decayed one step.
    EXPECT_EQ(MaxMagnitude(Frame(kPulse1Buffer)), loop ? 14 * 128 : 0) << loop;
  }
  // A looping envelope; period 0, so no wave starts; constant volume 0; the envelope again.
  Fresh(), Note(2, 253, 0x20), Frame(kPulse1Buffer), Note(2, 0, 0x20), Frame(kPulse1Buffer);
  Write(0x4000, 0xB0), Frame(kPulse1Buffer), Note(2, 253, 0x00);
  for (int frame = 0; frame < 6; ++frame)
    ASSERT_LE(MaxMagnitude(Frame(kPulse1Buffer)), 15 * 128) << frame;
}

// The same period gives a pulse wave of 50 samples and a triangle wave of 100: an octave
// lower, positive in its first half, negative in its second, 15 steps each way. Without the
// control bit the linear counter ((r0 AND $7F) >> 2 frames) or the length ((r3 AND $F8) x 2
// frames) mutes the channel, whichever runs out first, and it stays muted.
TEST_F(SoundTest, TriangleOctaveBelowThePulseAndTheCountersThatMuteIt) {
  Play(0x04, 0x4008, {0xFF, 0, 253, 0});  // control set: the counters never mute it
  const auto out = Frame(kTriangleBuffer);
  for (size_t i = 0; i + 100 < out.size(); ++i) ASSERT_EQ(out[i], out[i + 100]) << i;
  // The last quarter reaches 0 a few samples early: the next rise begins before the restart.
  for (size_t i = 0; i < 97; ++i) ASSERT_TRUE(i < 50 ? out[i] >= 0 : out[i] <= 0) << i;
  // Levels -15 to 15.
  EXPECT_EQ(std::tuple(std::set<int16_t>(out.begin(), out.end()).size(), MaxMagnitude(out)),
            std::tuple(31u, 15 * 128));
  // $4008, $400B, the last frame that sounds.
  for (const auto& c : {std::array{0x08, 0xF8, 2}, {0x7C, 0x08, 16}}) {
    Fresh(), Play(0x04, 0x4008, {c[0], 0, 253, c[1]});
    for (int frame = 1; frame <= c[2] + 3; ++frame)
      ASSERT_EQ(MaxMagnitude(Frame(kTriangleBuffer)) > 0, frame <= c[2]) << c[0] << " " << frame;
  }
}

// Period index 0 holds each random level for 3 samples; short mode repeats every 93 steps.
// Envelope period 0 steps down once at each of four points a frame; without loop it rests at
// 0 for the rest of the frame and restarts from 15 the next.
TEST_F(SoundTest, NoiseStepLengthModesAndEnvelope) {
  for (int mode : {0x00, 0x80}) {
    Fresh(), Play(0x08, 0x400C, {0x1F, 0, mode, 0xF8});  // constant volume 15
    const auto out = Frame(kNoiseBuffer);
    bool repeats = true;
    for (size_t i = 0; i < out.size(); ++i) {
      ASSERT_EQ(std::tuple(std::abs(out[i]), out[i]), std::tuple(1920, out[i - i % 3])) << i;
      repeats &= i + 279 >= out.size() || out[i] == out[i + 279];
    }
    EXPECT_EQ(std::tuple(repeats, std::set<int16_t>(out.begin(), out.end()).size()),
              std::tuple(mode == 0x80, 2u));
  }
  Fresh(), Play(0x08, 0x400C, {0x00, 0, 0, 0xF8});  // envelope, long length
  const std::vector<int> levels[5] = {
      {14, 13, 12, 11}, {10, 9, 8, 7}, {6, 5, 4, 3}, {2, 1, 0, 0}, {14, 13, 12, 11}};
  for (const auto& want : levels)
    EXPECT_EQ(PartLevels(Frame(kNoiseBuffer), {0, 93, 186, 270, 367}), want);
}

// With the halt bit and the envelope the length reloads itself: (r3 >> 3) + 5 frames after the
// frame in which it ran out, which is silent (the write's own count, (r3 >> 3) + 4, runs out
// in frame 4). With constant volume it counts (r3 >> 3) + 4 again: a silent frame every five.
// Without the halt bit the frame in which the length runs out is silence, not what the ring
// held a second before, and from the next the whole ring is.
TEST_F(SoundTest, NoiseLengthReloadsWithTheHaltBitOrEndsInSilence) {
  for (const auto& [control, silentFrames] :
       {std::pair{0x2F, std::vector<int>{4, 10, 16}}, {0x3F, std::vector<int>{4, 9, 14}}}) {
    Fresh(), Play(0x08, 0x400C, {control, 0, 0, 0});
    std::vector<int> silent;
    for (int frame = 1; frame <= 16; ++frame)
      if (MaxMagnitude(Frame(kNoiseBuffer)) == 0) silent.push_back(frame);
    EXPECT_EQ(silent, silentFrames) << control;
  }
  Fresh(), Play(0x08, 0x400C, {0x1F, 0, 0, 0xF8});  // constant volume 15, 35 frames
  for (int frame = 0; frame < 90; ++frame) {
    if (frame % 30 == 0) Write(0x400F, 0xF8);
    ASSERT_EQ(MaxMagnitude(Frame(kNoiseBuffer)), 1920) << frame;
  }
  Write(0x400F, 0x00);  // four frames, then the length runs out
  EXPECT_EQ(MaxMagnitude(Frame(kNoiseBuffer, 3)), 1920);
  EXPECT_EQ(MaxMagnitude(Frame(kNoiseBuffer)), 0);
  Frame(kNoiseBuffer);
  EXPECT_TRUE(RingSilent(ChannelBuffers[kNoiseBuffer]));
}

// From level 15, first bit up, to level 30: $4011 reads (30 << 2) | 0x80, and the next frame
// carries the level on. Any write restarts, even of the value already there, $4011 included.
TEST_F(SoundTest, DeltaLevelCarriesThroughTheRegisterUntilAWriteRestarts) {
  RisingSample(0x4F, 0x00, 0x00);  // looping
  auto out = Frame(kDeltaBuffer);
  EXPECT_EQ(std::tuple(out[0], out.back(), m().CpuRead(0x4011)), std::tuple(-256, -3840, 0xF8));
  out = Frame(kDeltaBuffer);
  EXPECT_EQ(std::count(out.begin(), out.end(), -3840), static_cast<long>(out.size()));
  for (uint16_t reg : {0x4010, 0x4011, 0x4012, 0x4013}) {
    Frame(kDeltaBuffer), Write(reg, m().CpuRead(reg)), out = Frame(kDeltaBuffer);
    const size_t carried = std::count(out.begin(), out.begin() + 3, -3840);
    // Level 15 again, one or two bits in (the first bit may fall between samples).
    EXPECT_GE(out[carried], -512) << std::hex << reg;
  }
}

// Without loop a short sample ends at level 15 (output 0); its interrupt request is not
// raised, only marked once in the log. A sample at $FFC0 runs past $FFFF and carries on from
// $8000, where zero bits bring the level down to 0 (a read past the image, or wrapping to
// anywhere but $8000, would find ones). Length register 0 plays one byte and the first bit of
// the next: the level rises 9 steps, to 24, of which the samples (a bit is 54 cycles, a sample
// 81) catch 23 at most.
TEST_F(SoundTest, DeltaSampleEndAndFetchWrap) {
  // Control, address and length registers, the frame's lowest and last samples, log marks.
  // clang-format off
  const int cases[][6] = {
      {0x8F, 0x00, 0x01, -3840, 0, 1}, {0x0F, 0xFF, 0xFF, -3840, 3840, 0}, {0x0F, 0, 0, -2048, 0, 0}};
  // clang-format on
  for (const auto& c : cases) {
    Fresh(), std::fill_n(m().PpuMemory, 64, 0xFF);
    std::fill_n(m().CpuMemory + 0x8400, 0x3C00, 0xFF), RisingSample(c[0], c[1], c[2]);
    const auto out = Frame(kDeltaBuffer);
    EXPECT_EQ(std::tuple(*std::min_element(out.begin(), out.end()), out.back()),
              std::tuple(c[3], c[4]))
        << c[1];
    Frame(kDeltaBuffer, 3);
    EXPECT_EQ(std::ranges::count(ReadLog(), 'I'), c[5]) << c[1];
  }
}

}  // namespace

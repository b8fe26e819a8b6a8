#include "driver/pacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A clock that moves only when the loop looks at it (0.1 ms per look), sleeps, or runs a frame.
struct FakeHost {
  uint64_t micros = 5'000'000'000ull;  // past the 32-bit wrap of milliseconds, on purpose
  int slowFrame = -1;                  // this frame takes 60 ms, the others 2 ms
  int pauseAfterFrame = -1;            // pause for 500 ms after this frame
  int maxFrames = 130;
  int pausedCalls = 0;
  std::vector<int> skips;
  std::vector<uint32_t> starts;  // ms

  uint32_t TimeMs() { return static_cast<uint32_t>((micros += 100) / 1000); }
  void SleepMs(uint32_t ms) { micros += ms * 1000ull; }
  void RunFrame(int skip) {
    const int n = static_cast<int>(skips.size());
    skips.push_back(skip);
    starts.push_back(static_cast<uint32_t>(micros / 1000));
    micros += (n == slowFrame ? 60 : 2) * 1000ull;
    if (n == pauseAfterFrame) Paused = 1;
  }
  void HandlePausedKeys() {
    micros += 1000;
    if (++pausedCalls == 500) Paused = 0;
  }
  bool PollEvents() { return static_cast<int>(skips.size()) < maxFrames; }
};

class PacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    BuildFrameTimes();
  }
};

// Two seconds with a late frame in the second one, then a pause early in the third.
TEST_F(PacingTest, ScheduleLateFramesAndPause) {
  FakeHost host;
  host.slowFrame = 70;
  host.pauseAfterFrame = 125;
  const uint32_t base = static_cast<uint32_t>((host.micros + 200) / 1000);  // the first look
  RunPacedFrames(host);
  // A fast machine draws every frame of the first second on time: each starts 4 ms before the
  // previous one's due time, and frame 60 waits for the full second.
  for (int n = 1; n <= 60; ++n) {
    const int dueAt = FrameTimes[n - 1];
    EXPECT_GE(static_cast<int32_t>(host.starts[n] - base), dueAt - (n < 60 ? 4 : 0)) << n;
    EXPECT_LE(static_cast<int32_t>(host.starts[n] - base), dueAt + 1) << n;
  }
  // Frame 70 starts at ~162 ms into its second and ends at ~222 ms: frames 71 and 72 (due 200
  // and 216) are emulated undrawn; skipped frames cost only 2 ms, so frame 73 (due 233) is
  // back on time. The late second still waits for its full second. The first frame after
  // the pause is skipped too: its `now` is older than the new second start.
  std::vector<int> skipped;
  for (int n = 0; n < 130; ++n)
    if (host.skips[n]) skipped.push_back(n);
  EXPECT_EQ(skipped, (std::vector<int>{71, 72, 126}));
  EXPECT_GE(host.starts[120] - base, 2000u);
  // The pause ran only the key handler; after it, frames wait for their due times measured
  // from the resume.
  EXPECT_EQ(host.pausedCalls, 500);
  EXPECT_GE(host.starts[128] - host.starts[126], FrameTimes[7] - 5u);
}

// While fast-forward is held frames follow each other without waiting, one in four drawn, and
// the sound is muted; let go, the schedule starts afresh from that moment.
TEST_F(PacingTest, FastForwardRunsUnpacedAndDrawsEveryFourthFrame) {
  FastForward = 1;
  struct Host : FakeHost {
    void RunFrame(int skip) {
      FakeHost::RunFrame(skip);
      muted.push_back(SoundMuted);
      if (skips.size() == 40) FastForward = 0;
    }
    std::vector<uint32_t> muted;
  } fast;
  fast.maxFrames = 50;
  RunPacedFrames(fast);
  ASSERT_EQ(fast.skips.size(), 50u);
  for (int n = 0; n < 40; ++n) {
    EXPECT_EQ(fast.skips[n], n % kFastForwardDrawEvery == 0 ? 0 : 1) << n;
    EXPECT_EQ(fast.muted[n], 1u) << n;
  }
  // 40 frames of 2 ms each, back to back.
  EXPECT_LE(fast.starts[39] - fast.starts[0], 40 * 2u + 2);
  // Paced again: drawn, heard, and due a sixtieth of a second apart.
  for (int n = 41; n < 50; ++n) {
    EXPECT_EQ(fast.skips[n], 0) << n;
    EXPECT_EQ(fast.muted[n], 0u) << n;
  }
  EXPECT_GE(fast.starts[45] - fast.starts[44], 12u);
}

}  // namespace

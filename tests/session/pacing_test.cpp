#include "session/pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "session/run_frame.h"

namespace {

// A clock that moves only when the loop looks at it (0.1 ms per look), sleeps, or runs a frame.
struct FakeHost {
  uint64_t micros = 5'000'000'000ull;  // past the 32-bit wrap of milliseconds, on purpose
  std::vector<int> slowFrames;         // these frames take 60 ms, the others 2 ms
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
    const bool slow = std::find(slowFrames.begin(), slowFrames.end(), n) != slowFrames.end();
    micros += (slow ? 60 : 2) * 1000ull;
    if (n == pauseAfterFrame) Paused = 1;
    if (StepCount != 0) --StepCount;
  }
  // Part way through the pause two frames are stepped; the pause then goes on.
  void HandlePausedKeys() {
    micros += 1000;
    if (++pausedCalls == 200) StepCount = 2;
    if (pausedCalls == 500) Paused = 0;
  }
  bool PollEvents() { return static_cast<int>(skips.size()) < maxFrames; }
};

class PacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSession();
    BuildFrameTimes();
  }
};

// A late frame in the second second, then a pause early in the third: the frames due while
// the late one ran (71, 72) are emulated undrawn. The pause runs only the key handler; the
// frames stepped in it (126, slow, and 127, late after it) and the first after the pause
// (128) are drawn, though the clock moved on while paused.
TEST_F(PacingTest, LateFramesSkipDrawingAndFramesAfterAPauseOrStepDoNot) {
  FakeHost host;
  host.slowFrames = {70, 126};
  host.pauseAfterFrame = 125;
  RunPacedFrames(host);
  std::vector<int> skipped;
  for (int n = 0; n < 130; ++n)
    if (host.skips[n]) skipped.push_back(n);
  EXPECT_EQ(skipped, (std::vector<int>{71, 72}));
  EXPECT_EQ(host.pausedCalls, 500);
  EXPECT_GE(host.starts[128] - host.starts[127], 290u) << "the steps ran inside the pause";
  EXPECT_GE(host.starts[60] - host.starts[0], 990u) << "paced, not as fast as it can";
}

// While fast-forward is held frames follow each other without waiting, one in four drawn, and
// the sound is muted; let go, every frame is drawn and heard again.
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
  for (int n = 0; n < 50; ++n) {
    if (n == 40) continue;  // the frame that lets go
    const bool held = n < 40;
    EXPECT_EQ(fast.skips[n], held && n % kFastForwardDrawEvery != 0 ? 1 : 0) << n;
    EXPECT_EQ(fast.muted[n], held ? 1u : 0u) << n;
  }
  EXPECT_LE(fast.starts[39] - fast.starts[0], 40 * 2u + 2) << "back to back";
}

}  // namespace

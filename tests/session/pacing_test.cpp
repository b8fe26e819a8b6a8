// What the player sees of the frames: paced at 60 a second (late frames undrawn, fast-forward
// unpaced) on a fake clock.
#include "session/pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "session/run_frame.h"

namespace {

// A clock that moves only when the loop looks at it (0.1 ms per look), sleeps, or runs a frame.
// Frames take 2 ms, the slow ones 60; part way through a pause two frames are stepped.
struct FakeHost {
  uint64_t micros = 5'000'000'000ull;  // past the 32-bit wrap of milliseconds, on purpose
  std::vector<int> slowFrames{};
  int pauseAfterFrame = -1, maxFrames = 130, fastForwardUntil = 0, pausedCalls = 0;
  std::vector<int> skips{};
  std::vector<uint32_t> starts{}, muted{};  // ms, SoundMuted

  uint32_t TimeMs() { return static_cast<uint32_t>((micros += 100) / 1000); }
  void SleepMs(uint32_t ms) { micros += ms * 1000ull; }
  void RunFrame(int skip) {
    const int n = static_cast<int>(skips.size());
    skips.push_back(skip), starts.push_back(static_cast<uint32_t>(micros / 1000));
    micros += (std::ranges::count(slowFrames, n) ? 60 : 2) * 1000ull;
    if (n == pauseAfterFrame) Paused = 1;
    if (StepCount != 0) --StepCount;
    muted.push_back(SoundMuted);
    if (n + 1 == fastForwardUntil) FastForward = 0;
  }
  void HandlePausedKeys() {
    micros += 1000;
    if (++pausedCalls == 200) StepCount = 2;
    if (pausedCalls == 500) Paused = 0;
  }
  bool PollEvents() { return static_cast<int>(skips.size()) < maxFrames; }
};

// A late frame in the second second, then a pause early in the third: the frames due while
// the late one ran (71, 72) are emulated undrawn. The pause runs only the key handler; the
// frames stepped in it (126, slow, and 127, late after it) and the first after the pause
// (128) are drawn, though the clock moved on while paused.
TEST(PacingTest, LateFramesPausesStepsAndFastForward) {
  ResetSession(), BuildFrameTimes();
  FakeHost host{.slowFrames = {70, 126}, .pauseAfterFrame = 125};
  RunPacedFrames(host);
  std::vector<int> skips(130);
  skips[71] = skips[72] = 1;
  EXPECT_EQ(std::tuple(host.skips, host.pausedCalls), std::tuple(skips, 500));
  EXPECT_GE(host.starts[128] - host.starts[127], 290u) << "the steps ran inside the pause";
  EXPECT_GE(host.starts[60] - host.starts[0], 990u) << "paced, not as fast as it can";
  // Fast-forward held for 40 frames: back to back, one in four drawn, muted; let go, every
  // frame drawn and heard again.
  ResetSession(), BuildFrameTimes(), FastForward = 1;
  FakeHost fast{.maxFrames = 50, .fastForwardUntil = 40};
  RunPacedFrames(fast);
  EXPECT_LE(fast.starts[39] - fast.starts[0], 40 * 2u + 2) << "back to back";
  EXPECT_EQ(
      std::tuple(fast.skips[36], fast.skips[37], fast.muted[39], fast.skips[45], fast.muted[45]),
      std::tuple(0, 1, 1u, 0, 0u));
}

}  // namespace

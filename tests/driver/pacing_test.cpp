#include "driver/pacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A clock that moves only when the loop looks at it (0.1 ms per look), sleeps, or runs a frame.
struct FakeHost {
  uint64_t micros = 5'000'000'000ull;  // past the 32-bit wrap of milliseconds, on purpose
  std::vector<uint32_t> frameCosts;      // ms per frame, by frame number; default 2
  struct Frame {
    int Skip;
    uint32_t StartMs, EndMs;
  };
  std::vector<Frame> frames;
  int maxFrames = 120;
  int pausedCalls = 0;
  int sleeps = 0;
  int pauseAfterFrame = -1;  // pause for 500 ms after this frame
  int steps = 0;

  uint32_t TimeMs() {
    micros += 100;
    return static_cast<uint32_t>(micros / 1000);
  }
  void SleepMs(uint32_t ms) {
    ++sleeps;
    micros += ms * 1000ull;
  }
  void RunFrame(int skip) {
    const uint32_t start = static_cast<uint32_t>(micros / 1000);
    const size_t n = frames.size();
    micros += (n < frameCosts.size() ? frameCosts[n] : 2) * 1000ull;
    frames.push_back({skip, start, static_cast<uint32_t>(micros / 1000)});
    if (static_cast<int>(n) == pauseAfterFrame) Paused = 1;
  }
  void HandlePausedKeys() {
    ++pausedCalls;
    micros += 1000;
    if (pausedCalls == 500) Paused = 0;
  }
  bool PollEvents() { return static_cast<int>(frames.size()) < maxFrames; }
};

class PacingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetGlobals();
    BuildFrameTimes();
  }
};

TEST_F(PacingTest, FrameTimesRoundDown) {
  EXPECT_EQ(FrameTimes[0], 16);
  EXPECT_EQ(FrameTimes[1], 33);
  EXPECT_EQ(FrameTimes[3], 66);
  EXPECT_EQ(FrameTimes[58], 983);
  EXPECT_EQ(FrameTimes[59], 1000);
}

TEST_F(PacingTest, FastMachineDrawsSixtyFramesPerSecondOnSchedule) {
  FakeHost host;
  const uint32_t base = static_cast<uint32_t>((host.micros + 200) / 1000);
  RunPacedFrames(host);
  ASSERT_EQ(host.frames.size(), 120u);
  for (size_t n = 0; n < host.frames.size(); ++n) {
    const auto& frame = host.frames[n];
    EXPECT_EQ(frame.Skip, 0) << n;
    const uint32_t secondStart = base + 1000 * static_cast<uint32_t>(n / 60);
    // Frame i of a second is not started before the previous frame's due time minus 4 ms...
    if (n % 60 != 0) {
      EXPECT_GE(frame.StartMs - secondStart, FrameTimes[n % 60 - 1] - 4u) << n;
    }
    // ...and a second's first frame not before the full second.
    if (n % 60 == 0 && n > 0) {
      EXPECT_GE(frame.StartMs - base, 1000u * (n / 60)) << n;
    }
    EXPECT_LE(frame.EndMs - secondStart, FrameTimes[n % 60] + 1u) << n;
  }
  // Waiting sleeps: far fewer clock looks than spinning for two seconds would take.
  EXPECT_GT(host.sleeps, 1000);
}

TEST_F(PacingTest, LateFramesAreSkippedUntilBackOnScheduleAndTheSecondStillEnds) {
  FakeHost host;
  host.maxFrames = 61;
  host.frameCosts.assign(61, 2);
  host.frameCosts[10] = 60;  // frame 10 takes 60 ms: frames due by then are emulated undrawn
  const uint32_t base = static_cast<uint32_t>((host.micros + 200) / 1000);
  RunPacedFrames(host);
  std::vector<int> skipped;
  for (size_t n = 0; n < host.frames.size(); ++n)
    if (host.frames[n].Skip) skipped.push_back(static_cast<int>(n));
  // Frame 10 starts at ~162 ms and ends at ~222 ms: frames 11 and 12 (due 200 and 216) are
  // late; skipped frames cost only 2 ms, so frame 13 (due 233) is back within the schedule.
  EXPECT_EQ(skipped, (std::vector<int>{11, 12}));
  // The second's last frame still waited for the full second before frame 60 began.
  EXPECT_GE(host.frames[60].StartMs - base, 1000u);
  EXPECT_EQ(host.frames[60].Skip, 0);
}

TEST_F(PacingTest, PauseRunsOnlyTheKeyHandlerAndTheFirstFrameAfterItIsSkipped) {
  FakeHost host;
  host.maxFrames = 30;
  host.pauseAfterFrame = 4;
  RunPacedFrames(host);
  EXPECT_EQ(host.pausedCalls, 500);
  ASSERT_EQ(host.frames.size(), 30u);
  EXPECT_EQ(host.frames[5].Skip, 1);  // its `now` is older than the new second start
  for (size_t n = 6; n < host.frames.size(); ++n) EXPECT_EQ(host.frames[n].Skip, 0) << n;
  // After the resume, frames wait for their due times measured from the resume.
  const uint32_t resume = host.frames[5].StartMs;
  EXPECT_GE(host.frames[7].StartMs - resume, FrameTimes[6] - 4u - 1u);
}

TEST_F(PacingTest, StepCountRunsFramesWhilePaused) {
  FakeHost host;
  host.maxFrames = 3;
  Paused = 1;
  StepCount = 3;
  RunPacedFrames(host);
  EXPECT_EQ(host.frames.size(), 3u);
  EXPECT_EQ(host.pausedCalls, 0);
}

}  // namespace

// What the player sees of the frames: paced at 60 a second (late frames undrawn, fast-forward
// unpaced) on a fake clock, and the picture's place in the window.
#include "session/pacing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "session/player_view.h"
#include "session/run_frame.h"

namespace {

// A clock that moves only when the loop looks at it (0.1 ms per look), sleeps, or runs a frame.
struct FakeHost {
  uint64_t micros = 5'000'000'000ull;  // past the 32-bit wrap of milliseconds, on purpose
  std::vector<int> slowFrames{};       // these frames take 60 ms, the others 2 ms
  int pauseAfterFrame = -1;            // pause for 500 ms after this frame
  int maxFrames = 130;
  int fastForwardUntil = 0;  // fast-forward is let go after this many frames
  int pausedCalls = 0;
  std::vector<int> skips{};
  std::vector<uint32_t> starts{}, muted{};  // ms, SoundMuted

  uint32_t TimeMs() { return static_cast<uint32_t>((micros += 100) / 1000); }
  void SleepMs(uint32_t ms) { micros += ms * 1000ull; }
  void RunFrame(int skip) {
    const int n = static_cast<int>(skips.size());
    skips.push_back(skip);
    starts.push_back(static_cast<uint32_t>(micros / 1000));
    micros += (std::ranges::count(slowFrames, n) ? 60 : 2) * 1000ull;
    if (n == pauseAfterFrame) Paused = 1;
    if (StepCount != 0) --StepCount;
    muted.push_back(SoundMuted);
    if (n + 1 == fastForwardUntil) FastForward = 0;
  }
  // Part way through the pause two frames are stepped; the pause then goes on.
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
// (128) are drawn, though the clock moved on while paused. While fast-forward is held frames
// follow each other without waiting, one in four drawn, and the sound is muted; let go, every
// frame is drawn and heard again.
TEST(PacingTest, LateFramesPausesStepsAndFastForward) {
  ResetSession(), BuildFrameTimes();
  FakeHost host{.slowFrames = {70, 126}, .pauseAfterFrame = 125};
  RunPacedFrames(host);
  std::vector<int> skipped;
  for (int n = 0; n < 130; ++n)
    if (host.skips[n]) skipped.push_back(n);
  EXPECT_EQ(skipped, (std::vector<int>{71, 72}));
  EXPECT_EQ(host.pausedCalls, 500);
  EXPECT_GE(host.starts[128] - host.starts[127], 290u) << "the steps ran inside the pause";
  EXPECT_GE(host.starts[60] - host.starts[0], 990u) << "paced, not as fast as it can";

  ResetSession(), BuildFrameTimes(), FastForward = 1;
  FakeHost fast{.maxFrames = 50, .fastForwardUntil = 40};
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

// The largest whole-number scale that fits, centred, for square and 8:7 pixels.
TEST(PlayerViewTest, LargestWholeScaleCentredForEachAspect) {
  // clang-format off
  const struct { int windowWidth, windowHeight; bool aspect8To7; ViewRect expected; } cases[] = {
      // 4x with 120 rows over, and 8:7 wide (1170.3); 2x exactly in height; 3x exactly.
      {1920, 1080, false, {448, 60, 1024, 960}}, {1920, 1080, true, {375, 60, 1170, 960}},
      {640, 480, false, {64, 0, 512, 480}}, {640, 480, true, {27, 0, 585, 480}},
      {1280, 720, false, {256, 0, 768, 720}}, {800, 600, false, {144, 60, 512, 480}},
      // Narrow: the width limits the scale to 1; 8:7 at 1x is 293 wide: shrunk to fit; smaller
      // than the picture: shrunk.
      {300, 2000, false, {22, 880, 256, 240}}, {290, 240, true, {0, 1, 290, 237}},
      {128, 400, false, {0, 140, 128, 120}},
  };
  // clang-format on
  for (const auto& c : cases) {
    const ViewRect r = PlayerPictureRect(c.windowWidth, c.windowHeight, c.aspect8To7);
    EXPECT_EQ(std::tie(r.X, r.Y, r.Width, r.Height),
              std::tie(c.expected.X, c.expected.Y, c.expected.Width, c.expected.Height))
        << c.windowWidth << "x" << c.windowHeight << (c.aspect8To7 ? " 8:7" : "");
  }
}

}  // namespace

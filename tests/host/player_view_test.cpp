#include "host/player_view.h"

#include <gtest/gtest.h>

#include "core/globals.h"
#include "debug/debugger.h"

namespace {

TEST(PlayerViewTest, LargestWholeScaleCentredForEachAspect) {
  const struct {
    int windowWidth, windowHeight;
    bool aspect8To7;
    ViewRect expected;
  } cases[] = {
      {1920, 1080, false, {448, 60, 1024, 960}},  // 4x: 1080 leaves 120 rows over
      {1920, 1080, true, {375, 60, 1170, 960}},   // 4x tall, 8:7 wide (1170.3)
      {640, 480, false, {64, 0, 512, 480}},       // 2x fits exactly in height
      {640, 480, true, {27, 0, 585, 480}},
      {1280, 720, false, {256, 0, 768, 720}},     // 3x: 720 rows exactly
      {800, 600, false, {144, 60, 512, 480}},
      {300, 2000, false, {22, 880, 256, 240}},    // narrow: the width limits the scale to 1
      {290, 240, true, {0, 1, 290, 237}},         // 8:7 at 1x is 293 wide: shrunk to fit
  };
  for (const auto& c : cases) {
    const ViewRect r = PlayerPictureRect(c.windowWidth, c.windowHeight, c.aspect8To7);
    SCOPED_TRACE(std::to_string(c.windowWidth) + "x" + std::to_string(c.windowHeight));
    EXPECT_EQ(r.X, c.expected.X);
    EXPECT_EQ(r.Y, c.expected.Y);
    EXPECT_EQ(r.Width, c.expected.Width);
    EXPECT_EQ(r.Height, c.expected.Height);
  }
}

TEST(PlayerViewTest, TinyWindowsShrinkKeepingTheShape) {
  const ViewRect r = PlayerPictureRect(128, 400, false);
  EXPECT_EQ(r.Width, 128);
  EXPECT_EQ(r.Height, 120);
  EXPECT_EQ(r.Y, 140);
  const ViewRect degenerate = PlayerPictureRect(0, 0, true);
  EXPECT_GE(degenerate.Width, 1);
  EXPECT_GE(degenerate.Height, 1);
}

TEST(PlayerViewTest, DebuggerViewWhilePausedWithAViewOnOrAskedFor) {
  ResetGlobals();
  ResetDebugger();
  DebuggerViewKey = 0;
  EXPECT_FALSE(DebuggerViewShown());
  Paused = 1;
  EXPECT_TRUE(DebuggerViewShown());
  Paused = 0;
  PaletteTracer = 1;
  EXPECT_TRUE(DebuggerViewShown());
  PaletteTracer = 0;
  DebuggerViewKey = 1;
  EXPECT_TRUE(DebuggerViewShown());
  DebuggerViewKey = 0;
}

}  // namespace

#include "session/player_view.h"

#include <gtest/gtest.h>

#include <tuple>

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
      {1280, 720, false, {256, 0, 768, 720}},  // 3x: 720 rows exactly
      {800, 600, false, {144, 60, 512, 480}},
      {300, 2000, false, {22, 880, 256, 240}},  // narrow: the width limits the scale to 1
      {290, 240, true, {0, 1, 290, 237}},       // 8:7 at 1x is 293 wide: shrunk to fit
      {128, 400, false, {0, 140, 128, 120}},    // smaller than the picture: shrunk
  };
  for (const auto& c : cases) {
    const ViewRect r = PlayerPictureRect(c.windowWidth, c.windowHeight, c.aspect8To7);
    EXPECT_EQ(std::tie(r.X, r.Y, r.Width, r.Height),
              std::tie(c.expected.X, c.expected.Y, c.expected.Width, c.expected.Height))
        << c.windowWidth << "x" << c.windowHeight << (c.aspect8To7 ? " 8:7" : "");
  }
}

}  // namespace

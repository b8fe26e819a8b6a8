// The built-in demo as a player sees it, run frame by frame on the headless host.
#include <algorithm>
#include <set>
#include <vector>

#include "core/globals.h"
#include "driver/run_frame.h"
#include "host/config.h"
#include "host/demo_cartridge.h"
#include "host/headless/headless.h"
#include "host/pads.h"
#include "host/settings.h"
#include "ppu/picture.h"
#include "support/fixture.h"

namespace {

constexpr uint8_t kRight = 205, kDown = 208, kKeyX = 45, kEnter = 28;

class DemoPlayTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    HeadlessReset();
    ResetConfiguration();
    ResetPads();
    UseBuiltInConfiguration();
    SoundOn = 0;
    FillKeyMaps();
    BuildKeyActionTables();
    ResetRapidFire();
    ResetFrameGlobals();
    ASSERT_EQ(LoadDemoCartridge(m()), kLoadOk);
    m().ResetCpu();
    m().RebuildPatternCache();
    Frames(30);
  }
  void TearDown() override {
    HeadlessReset();
    MachineTest::TearDown();
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) RunFrame(m(), 0);
  }
  // The face is sprites 1-4; sprite 1 is its top-left quarter.
  int FaceX() { return m().SpriteRam[4 + 3]; }
  int FaceY() { return m().SpriteRam[4 + 0]; }
  // The dot under the A label (row 5, column 3 of the first name table): $84 while A is down.
  uint8_t ADot() { return m().PpuMemory[0x20A3]; }
};

TEST_F(DemoPlayTest, ArrowKeysMoveTheFace) {
  const int x = FaceX(), y = FaceY();
  HeadlessPushKey(kRight, true);
  HeadlessPushKey(kDown, true);
  Frames(10);
  EXPECT_GT(FaceX(), x + 10);
  EXPECT_GT(FaceY(), y + 10);
  HeadlessPushKey(kRight, false);
  HeadlessPushKey(kDown, false);
  Frames(2);
  const int stoppedX = FaceX();
  Frames(5);
  EXPECT_EQ(FaceX(), stoppedX);
}

TEST_F(DemoPlayTest, ButtonDotsFollowTheKeysAndAChangesTheColour) {
  EXPECT_EQ(ADot(), 0x85);
  const uint8_t colour = m().SpriteRam[4 + 2] & 3;
  HeadlessPushKey(kKeyX, true);
  Frames(3);
  EXPECT_EQ(ADot(), 0x84);
  EXPECT_EQ(m().SpriteRam[4 + 2] & 3, (colour + 1) & 3);
  HeadlessPushKey(kKeyX, false);
  Frames(3);
  EXPECT_EQ(ADot(), 0x85);
}

TEST_F(DemoPlayTest, TheTuneRunsOnPulseTriangleAndNoiseAndStartStopsIt) {
  EXPECT_EQ(m().CpuMemory[0x4015], 0x0D);
  std::vector<uint8_t> pulsePeriods;
  for (int i = 0; i < 8; ++i) {
    Frames(8);
    pulsePeriods.push_back(m().CpuMemory[0x4002]);
  }
  EXPECT_GT(std::set<uint8_t>(pulsePeriods.begin(), pulsePeriods.end()).size(), 2u);
  EXPECT_NE(m().CpuMemory[0x400A], 0);  // the bass has played
  HeadlessPushKey(kEnter, true);
  Frames(2);
  EXPECT_EQ(m().CpuMemory[0x4015], 0);
}

TEST_F(DemoPlayTest, TheLandscapeScrollsBelowAFixedStatusBar) {
  // Line 30 is the title row of the status bar, line 180 crosses the hills.
  auto row = [](int line) {
    return std::vector<uint8_t>(BackgroundLayer + line * kPictureWidth,
                                BackgroundLayer + (line + 1) * kPictureWidth);
  };
  const auto title = row(30), hills = row(180);
  Frames(4);
  EXPECT_EQ(row(30), title);
  const auto moved = row(180);
  EXPECT_NE(moved, hills);
  // The landscape moved 4 pixels to the left: what was at x + 4 is now at x.
  EXPECT_TRUE(std::equal(moved.begin(), moved.end() - 4, hills.begin() + 4));
}

}  // namespace

namespace {

// The PAL console gives the CPU 25 cycles less per line: the demo's vertical-blank work and
// its split still fit.
TEST_F(DemoPlayTest, TheDemoKeepsWorkingWithThePalBudget) {
  CycleAdjust = -25;
  Frames(10);
  const int x = FaceX();
  const auto hills = std::vector<uint8_t>(BackgroundLayer + 180 * kPictureWidth,
                                          BackgroundLayer + 181 * kPictureWidth);
  const auto title = std::vector<uint8_t>(BackgroundLayer + 30 * kPictureWidth,
                                          BackgroundLayer + 31 * kPictureWidth);
  HeadlessPushKey(kRight, true);
  Frames(4);
  // 2 pixels a frame; the sprite page is copied before the move, so it shows a frame late.
  EXPECT_EQ(FaceX(), x + 6);
  const auto moved = std::vector<uint8_t>(BackgroundLayer + 180 * kPictureWidth,
                                          BackgroundLayer + 181 * kPictureWidth);
  EXPECT_TRUE(std::equal(moved.begin(), moved.end() - 4, hills.begin() + 4));
  EXPECT_TRUE(std::equal(title.begin(), title.end(),
                         BackgroundLayer + 30 * kPictureWidth));
}

}  // namespace

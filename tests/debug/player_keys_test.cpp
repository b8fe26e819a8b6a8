// The player's keys: held keys survive a pause, screenshots count up, views switch.
#include <unistd.h>

#include <filesystem>

#include "debug/debug_fixture.h"
#include "driver/pacing.h"
#include "host/config.h"
#include "host/player_view.h"

namespace {

using PlayerKeysTest = DebugTest;

TEST_F(PlayerKeysTest, HeldKeysFollowPressAndReleaseEvenWhilePaused) {
  FastForward = RewindHeld = 0;
  RunScript("1 press 15\n2 press 14\n3 press 88\n", 1, 3);  // Tab, Backspace, then F12 pauses
  EXPECT_EQ(FastForward, 1u);
  EXPECT_EQ(RewindHeld, 1u);
  ASSERT_EQ(Paused, 1u);
  RunScript("4 release 15\n4 release 14\n", 4, 4);  // let go while paused
  EXPECT_EQ(FastForward, 0u);
  EXPECT_EQ(RewindHeld, 0u);
}

TEST_F(PlayerKeysTest, ViewAndAspectKeysFlip) {
  DebuggerViewKey = PixelAspect8To7 = 0;
  RunScript("1 press 61\n1 release 61\n2 press 64\n", 1, 2);
  EXPECT_EQ(DebuggerViewKey, 1u);
  EXPECT_TRUE(DebuggerViewShown());
  EXPECT_EQ(PixelAspect8To7, 1u);
  EXPECT_EQ(Newest().rfind("Pixels 8:7", 0), 0u);
  DebuggerViewKey = PixelAspect8To7 = 0;
}

TEST_F(PlayerKeysTest, ScreenshotsAreNumberedAfterTheCartridge) {
  const auto oldDir = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::snprintf(CartridgePath, sizeof CartridgePath, "/somewhere/Great Game.nes");
  MainScreen.FillRect(16, 16, 256, 240, 0x21);
  RunScript("1 press 66\n2 press 66\n", 1, 2);
  EXPECT_TRUE(std::filesystem::exists(dir / "Great Game-001.png"));
  EXPECT_TRUE(std::filesystem::exists(dir / "Great Game-002.png"));
  EXPECT_FALSE(std::filesystem::exists(dir / "Great Game-002.png.tmp"));
  EXPECT_EQ(Newest().rfind("Screenshot Great Game-002.png", 0), 0u) << Newest();
  // A folder that cannot be written: nothing is claimed.
  std::filesystem::create_directory(dir / "locked");
  std::filesystem::current_path(dir / "locked");
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
  RunScript("3 press 66\n", 3, 3);
  if (geteuid() != 0) {  // root writes anywhere
    EXPECT_EQ(Newest().rfind("Cannot write Great Game-001.png", 0), 0u) << Newest();
  }
  std::filesystem::current_path(oldDir);
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
}

}  // namespace

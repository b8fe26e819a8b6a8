#include "log/log.h"

#include "support/fixture.h"

using LogTest = MachineTest;

TEST_F(LogTest, WritesExactBytesAndIgnoresFailures) {
  std::filesystem::remove(LogPath);
  LogText("ignored", 0);  // writes nothing but creates the file
  EXPECT_TRUE(std::filesystem::exists(LogPath));
  LogText("Mirror flag:", 6);  // a shorter count writes only the start
  LogNumberLine(255);
  LogText("x:");
  LogNumberLine(-25);
  EXPECT_EQ(ReadLog(), "Mirror255\nx:-25\n");
  LogStart();  // truncates the earlier log
  EXPECT_TRUE(std::filesystem::exists(LogPath));
  EXPECT_EQ(ReadLog(), "");
  // An unwritable log never stops the program.
  LogPath = (dir / "no-such-folder" / "log.tst").string();
  LogStart();
  LogText("still running\n");
  LogNumberLine(1);
  EXPECT_FALSE(std::filesystem::exists(LogPath));
}

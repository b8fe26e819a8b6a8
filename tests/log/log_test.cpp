#include <fstream>
#include <sstream>

#include "log/log.h"
#include "support/fixture.h"

using LogTest = MachineTest;

TEST_F(LogTest, WritesExactBytesAndSignedNumbers) {
  LogText("Mirror flag:", 6);  // a shorter count writes only the start
  LogText("", 0);
  LogNumberLine(255);
  LogText("x:");
  LogNumberLine(-25);
  EXPECT_EQ(ReadLog(), "Mirror255\nx:-25\n");
}

TEST_F(LogTest, StartTruncatesAnEarlierLog) {
  LogText("left over from an earlier run\n");
  LogStart();
  EXPECT_TRUE(std::filesystem::exists(LogPath));
  EXPECT_EQ(ReadLog(), "");
}

TEST_F(LogTest, ZeroLengthCallCreatesTheFile) {
  std::filesystem::remove(LogPath);
  LogText("ignored", 0);
  EXPECT_TRUE(std::filesystem::exists(LogPath));
}

TEST_F(LogTest, UnwritablePathIsIgnored) {
  LogPath = (dir / "no-such-folder" / "log.tst").string();
  LogStart();
  LogText("still running\n");
  LogNumberLine(1);
  EXPECT_FALSE(std::filesystem::exists(LogPath));
}

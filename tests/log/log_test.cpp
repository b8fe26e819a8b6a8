#include "log/log.h"

#include "support/fixture.h"

using LogTest = MachineTest;

// Even an empty write makes the file; what is written is on disk while the log is open, and
// LogStart truncates it. An unwritable log never stops the program, and a good path given
// later is written again.
TEST_F(LogTest, WritesExactBytesAndIgnoresFailures) {
  LogPath = (dir / "new.tst").string();  // a log path not written yet
  LogText("ignored", 0);
  EXPECT_TRUE(std::filesystem::exists(LogPath));
  LogText("x:");
  LogNumberLine(-25);
  EXPECT_EQ(ReadLog(), "x:-25\n");
  LogStart();
  EXPECT_EQ(ReadLog(), "");
  const std::string good = LogPath;
  LogPath = (dir / "no-such-folder" / "log.tst").string();
  LogStart();
  LogText("still running\n");
  EXPECT_FALSE(std::filesystem::exists(LogPath));
  LogPath = good;
  LogText("back\n");
  EXPECT_EQ(ReadLog(), "back\n");
}

// A board that logs every write to its low range (mapper 161) stops after the bound with one
// line saying so; the next run (LogStart) logs again.
TEST_F(LogTest, BoardWriteLinesStopAfterTheBound) {
  MapperNumber = 161;
  LogText("start\n");
  for (int i = 0; i < 3000; ++i) m().CpuWrite(0x6000, 0);
  LogText("end\n");  // other lines go on
  std::string expected = "start\n";
  for (int i = 0; i < kBoardLogLines; ++i) expected += "24576\n";
  EXPECT_EQ(ReadLog(), expected + "Board write log stopped after 1000 lines\nend\n");
  LogStart();
  m().CpuWrite(0x6001, 0);
  EXPECT_EQ(ReadLog(), "24577\n");
}

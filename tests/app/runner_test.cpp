// The runner as a user calls it: exit status and the key=value summary on the last line.
#include <cstdio>
#include <sys/wait.h>

#include "support/fixture.h"

namespace {
struct RunResult {
  int status;
  std::string output;
};

RunResult RunRunner(const std::string& arguments) {
  const std::string command = std::string(HALVOREN_RUN_BINARY) + " " + arguments + " 2>&1";
  RunResult result{-1, ""};
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return result;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}
}  // namespace

using RunnerTest = MachineTest;

TEST_F(RunnerTest, LoadsAnImageAndPrintsTheSummary) {
  InesImage image;
  image.Mapper = 4;
  image.PrgUnits = 8;
  image.ChrUnits = 16;
  const auto rom = WriteFile("game.nes", image.Bytes());
  const auto result = RunRunner(rom + " --log " + (dir / "run.tst").string());
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.output.find("mapper=4 prg=8 chr=16\n"), std::string::npos) << result.output;
}

TEST_F(RunnerTest, FailuresSayWhichAndExitNonZero) {
  InesImage unsupported;
  unsupported.Mapper = 9;
  const auto log = " --log " + (dir / "run.tst").string();
  const struct {
    std::string path, message;
  } cases[] = {
      {(dir / "missing.nes").string(), "cannot open"},
      {WriteFile("text.nes", {'h', 'e', 'l', 'l', 'o'}), "not an iNES image"},
      {WriteFile("nine.nes", unsupported.Bytes()), "unsupported mapper 9"},
      {WriteFile("big.nes", {'N', 'E', 'S', 0x1A, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
       "too large"},
  };
  for (const auto& c : cases) {
    const auto result = RunRunner(c.path + log);
    EXPECT_NE(result.status, 0) << c.path;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
  }
  EXPECT_NE(RunRunner("").status, 0);
  EXPECT_NE(RunRunner("--bogus x.nes").status, 0);
}

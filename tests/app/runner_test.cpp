// The runner as a user calls it: exit status and the key=value summary on the last line.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

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
  const auto result = RunRunner(rom + " --frames 1 --log " + (dir / "run.tst").string());
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.output.find("mapper=4 prg=8 chr=16 frames="), std::string::npos)
      << result.output;
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

namespace {
std::string LastLine(const std::string& output) {
  const size_t end = output.find_last_not_of('\n');
  if (end == std::string::npos) return "";
  const size_t start = output.rfind('\n', end);
  return output.substr(start == std::string::npos ? 0 : start + 1, end - start);
}
std::string Field(const std::string& line, const std::string& key) {
  const size_t at = line.find(" " + key + "=");
  if (at == std::string::npos) return "";
  const size_t start = at + key.size() + 2;
  return line.substr(start, line.find(' ', start) - start);
}
}  // namespace

TEST_F(RunnerTest, FramesHashAndCoresOfACartridgeRun) {
  const std::string rom = TestRomPath("ppu_scroll.nes") + " --log " + (dir / "run.tst").string();
  const auto main = RunRunner(rom + " --frames 8 --hash --core main");
  const auto alt = RunRunner(rom + " --frames 8 --hash --core alt");
  const auto early = RunRunner(rom + " --frames 2 --hash");
  ASSERT_EQ(main.status, 0) << main.output;
  const std::string line = LastLine(main.output);
  EXPECT_EQ(line.rfind("mapper=0 prg=2 chr=1 frames=8 hash=", 0), 0u) << line;
  EXPECT_EQ(Field(line, "hash").size(), 16u);
  // The same picture from both cores; a different one before the program has drawn it.
  EXPECT_EQ(Field(line, "hash"), Field(LastLine(alt.output), "hash"));
  EXPECT_NE(Field(line, "hash"), Field(LastLine(early.output), "hash"));
  // Skipped frames never reach the screen: the hash of the blank screen.
  const auto skipped = RunRunner(rom + " --frames 8 --hash --skip-render");
  const auto blank = RunRunner(rom + " --frames 1 --hash --skip-render");
  EXPECT_EQ(Field(LastLine(skipped.output), "hash"), Field(LastLine(blank.output), "hash"));

  const auto bench = RunRunner(rom + " --frames 50 --bench");
  EXPECT_GT(std::atof(Field(LastLine(bench.output), "fps").c_str()), 0.0) << bench.output;
}

TEST_F(RunnerTest, PngOfAChosenFrame) {
  const std::string rom = TestRomPath("ppu_scroll.nes") + " --log " + (dir / "run.tst").string();
  const auto png = (dir / "shot.png").string();
  ASSERT_EQ(RunRunner(rom + " --frames 8 --png " + png + " --png-frame 6").status, 0);
  std::ifstream in(png, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
  // IHDR: 256 x 240, 8-bit RGB.
  EXPECT_EQ(bytes[18] * 256 + bytes[19], 256);
  EXPECT_EQ(bytes[22] * 256 + bytes[23], 240);
  EXPECT_EQ(bytes[24], 8);
  EXPECT_EQ(bytes[25], 2);

  const auto unwritable = RunRunner(rom + " --png " + (dir / "no" / "such" / "x.png").string());
  EXPECT_NE(unwritable.status, 0);
  EXPECT_NE(unwritable.output.find("cannot write"), std::string::npos) << unwritable.output;
}

TEST_F(RunnerTest, TraceFromAStartAddress) {
  // Start at the program's main loop instead of the reset vector: the first traced
  // instruction is there.
  const auto trace = (dir / "trace.txt").string();
  const auto result = RunRunner(TestRomPath("ppu_vblank.nes") + " --frames 1 --start-pc 0x8000" +
                                " --trace " + trace + " --log " + (dir / "run.tst").string());
  ASSERT_EQ(result.status, 0) << result.output;
  std::ifstream in(trace);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first.rfind("8000", 0), 0u) << first;
}

TEST_F(RunnerTest, BadArgumentsAreRefusedWithAReason) {
  const std::string rom = TestRomPath("ppu_scroll.nes");
  const struct {
    std::string arguments, message;
  } cases[] = {
      {rom + " --frames 0", "--frames"},
      {rom + " --frames ten", "--frames"},
      {rom + " --frames", "needs a value"},
      {rom + " --core turbo", "main or alt"},
      {rom + " --frames 5 --png x.png --png-frame 6", "past the last frame"},
      {rom + " --png-frame 1", "needs --png"},
      {rom + " --start-pc 0x10000", "--start-pc"},
  };
  for (const auto& c : cases) {
    const auto result = RunRunner(c.arguments);
    EXPECT_NE(result.status, 0) << c.arguments;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << "\n"
                                                                << result.output;
  }
}

// The runner as a user calls it: exit status and the key=value summary on the last line.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/fixture.h"

namespace {

struct RunResult {
  int status;
  std::string output;
  // The picture hash printed on the summary line.
  std::string Hash() const {
    const size_t at = output.rfind(" hash=");
    return at == std::string::npos ? "" : output.substr(at + 6, 16);
  }
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

using RunnerTest = MachineTest;

TEST_F(RunnerTest, SummaryHashPngAndTraceOfACartridgeRun) {
  const std::string rom = TestRomPath("ppu_scroll.nes") + " --log " + (dir / "run.tst").string();
  const auto png = (dir / "shot.png").string();
  const auto trace = (dir / "trace.txt").string();
  const auto main = RunRunner(rom + " --frames 8 --hash --core main --png-frame 6 --png " + png);
  ASSERT_EQ(main.status, 0) << main.output;
  EXPECT_NE(main.output.find("mapper=0 prg=2 chr=1 frames=8 hash="), std::string::npos)
      << main.output;
  EXPECT_EQ(main.Hash().size(), 16u);
  // The same picture from both cores; a different one before the program has drawn it.
  EXPECT_EQ(main.Hash(), RunRunner(rom + " --frames 8 --hash --core alt").Hash());
  EXPECT_NE(main.Hash(), RunRunner(rom + " --frames 2 --hash").Hash());
  // Skipped frames never reach the screen: the hash of the blank screen.
  EXPECT_EQ(RunRunner(rom + " --frames 8 --hash --skip-render").Hash(),
            RunRunner(rom + " --frames 1 --hash --skip-render").Hash());
  std::ifstream in(png, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
  EXPECT_EQ(bytes[18] * 256 + bytes[19], 256);  // IHDR: 256 x 240, 8-bit RGB
  EXPECT_EQ(bytes[22] * 256 + bytes[23], 240);
  EXPECT_EQ(bytes[24] * 256 + bytes[25], 8 * 256 + 2);
  // The first traced instruction is at the start address, not the reset vector's.
  ASSERT_EQ(RunRunner(rom + " --frames 1 --start-pc 0x8000 --trace " + trace).status, 0);
  std::ifstream traced(trace);
  std::string first;
  std::getline(traced, first);
  EXPECT_EQ(first.rfind("8000", 0), 0u) << first;
}

TEST_F(RunnerTest, FailuresSayWhichAndExitNonZero) {
  InesImage unsupported;
  unsupported.Mapper = 9;
  const std::string rom = TestRomPath("ppu_scroll.nes");
  const struct {
    std::string arguments, message;
  } cases[] = {
      {(dir / "missing.nes").string(), "cannot open"},
      {WriteFile("text.nes", {'h', 'e', 'l', 'l', 'o'}), "not an iNES image"},
      {WriteFile("nine.nes", unsupported.Bytes()), "unsupported mapper 9"},
      {WriteFile("big.nes", {'N', 'E', 'S', 0x1A, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
       "too large"},
      {rom + " --png " + (dir / "no" / "such" / "x.png").string(), "cannot write"},
      {"", "no ROM given"},
      {"--bogus x.nes", "unknown option"},
      {rom + " --frames 0", "--frames"},
      {rom + " --frames", "needs a value"},
      {rom + " --core turbo", "main or alt"},
      {rom + " --frames 5 --png x.png --png-frame 6", "past the last frame"},
      {rom + " --png-frame 1", "needs --png"},
      {rom + " --start-pc 0x10000", "--start-pc"},
  };
  for (const auto& c : cases) {
    const auto result = RunRunner("--log " + (dir / "run.tst").string() + " " + c.arguments);
    EXPECT_NE(result.status, 0) << c.arguments;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << "\n"
                                                                << result.output;
  }
}

}  // namespace

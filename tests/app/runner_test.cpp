// The runner as a user calls it: exit status and the key=value summary on the last line.
#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/fixture.h"
#include "support/run_command.h"

namespace {

struct RunResult : CommandResult {
  // The picture hash printed on the summary line.
  std::string Hash() const {
    const size_t at = output.rfind(" hash=");
    return at == std::string::npos ? "" : output.substr(at + 6, 16);
  }
};

RunResult RunRunner(const std::string& arguments) {
  return {RunCommand(std::string(HALVOREN_RUN_BINARY) + " " + arguments)};
}

using RunnerTest = MachineTest;

TEST_F(RunnerTest, SummaryHashAndPngOfACartridgeRun) {
  const std::string rom = TestRomPath("ppu_scroll.nes") + " --log " + (dir / "run.tst").string();
  const auto png = (dir / "shot.png").string();
  const auto main = RunRunner(rom + " --frames 8 --hash --core main --png-frame 6 --png " + png);
  ASSERT_EQ(main.status, 0) << main.output;
  EXPECT_NE(main.output.find("mapper=0 prg=2 chr=1 frames=8 hash="), std::string::npos);
  EXPECT_EQ(main.Hash().size(), 16u);
  // The same picture from both cores; a different one before the program has drawn it.
  EXPECT_EQ(main.Hash(), RunRunner(rom + " --frames 8 --hash --core alt").Hash());
  EXPECT_NE(main.Hash(), RunRunner(rom + " --frames 2 --hash").Hash());
  std::ifstream in(png, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
  // IHDR: 256 x 240, 8-bit RGB.
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 16, bytes.begin() + 26),
            std::vector<uint8_t>({0, 0, 1, 0, 0, 0, 0, 240, 8, 2}));
}

TEST_F(RunnerTest, TraceStartsWhereToldAndSkippedFramesDrawNothing) {
  const std::string rom = TestRomPath("ppu_scroll.nes") + " --log " + (dir / "run.tst").string();
  const auto trace = (dir / "trace.txt").string();
  ASSERT_EQ(RunRunner(rom + " --frames 1 --start-pc 0x8000 --trace " + trace).status, 0);
  std::ifstream in(trace);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first.rfind("8000  ", 0), 0u) << first;
  EXPECT_NE(first.find("SP:FF"), std::string::npos) << first;
  // Emulated but never drawn: the picture stays as blank as before the first frame.
  EXPECT_EQ(RunRunner(rom + " --frames 8 --hash --skip-render").Hash(),
            RunRunner(rom + " --frames 8 --hash --skip-render --start-pc 0x8033").Hash());
  EXPECT_NE(RunRunner(rom + " --frames 8 --hash --skip-render").Hash(),
            RunRunner(rom + " --frames 8 --hash").Hash());
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

TEST_F(RunnerTest, AHaltedCpuEndsWithStatusThreeAfterTheSummary) {
  for (const char* core : {"main", "alt"}) {
    const auto result = RunRunner("--log " + (dir / "run.tst").string() + " " +
                                  TestRomPath("bad_opcode.nes") + " --frames 5 --core " + core);
    EXPECT_EQ(result.status, 3) << result.output;
    const size_t summary = result.output.find("mapper=0 prg=2 chr=1 frames=1");
    const size_t reason = result.output.find("bad opcode $07 at $8003");
    ASSERT_NE(summary, std::string::npos) << result.output;
    ASSERT_NE(reason, std::string::npos) << result.output;
    EXPECT_LT(summary, reason);
  }
}

}  // namespace

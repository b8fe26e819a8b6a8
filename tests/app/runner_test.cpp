// The runner as a user calls it: exit status, the key=value summary, its output files, and
// every mistake refused with its reason.
#include <fstream>

#include "support/fixture.h"
#include "support/run_command.h"

namespace {

class RunnerTest : public MachineTest {
 protected:
  std::string Rom(const char* name = "ppu_scroll.nes") const {
    return TestRomPath(name) + " --log " + (dir / "run.tst").string();
  }
};

TEST_F(RunnerTest, SummaryHashPngAndTrace) {
  const auto png = (dir / "shot.png").string();
  const auto main = RunRunner(Rom() + " --frames 8 --hash --core main --png-frame 6 --png " + png);
  ASSERT_EQ(main.status, 0) << main.output;
  EXPECT_NE(main.output.find("mapper=0 prg=2 chr=1 frames=8 hash="), std::string::npos);
  EXPECT_EQ(SummaryHash(main).size(), 16u);
  // The same picture from both cores; a different one before the program has drawn it.
  EXPECT_EQ(SummaryHash(main), SummaryHash(RunRunner(Rom() + " --frames 8 --hash --core alt")));
  EXPECT_NE(SummaryHash(main), SummaryHash(RunRunner(Rom() + " --frames 2 --hash")));
  // PNG signature and IHDR: 256 x 240, 8-bit RGB.
  EXPECT_EQ(FileText(png).substr(1, 3) + FileText(png).substr(16, 10),
            std::string("PNG\0\0\1\0\0\0\0\xF0\x08\x02", 13));
  // Emulated but never drawn: runs, with no picture to report.
  EXPECT_EQ(RunRunner(Rom() + " --frames 8 --skip-render").status, 0);
  const auto trace = (dir / "trace.txt").string();
  ASSERT_EQ(RunRunner(Rom() + " --frames 1 --start-pc 0x8000 --trace " + trace).status, 0);
  const std::string first = FileText(trace).substr(0, FileText(trace).find('\n'));
  EXPECT_TRUE(first.starts_with("8000  ") && first.ends_with("SP:FF")) << first;
}

TEST_F(RunnerTest, MistakesAreRefusedWithTheirReasonAndStatus) {
  InesImage unsupported;
  unsupported.Mapper = 9;
  const std::string rom = Rom() + " --frames 2";
  const std::string missing = (dir / "no" / "such").string();
  // Cut to 254 characters this path would name a playable cartridge.
  const std::string longPath =
      PathWithExistingPrefix(dir, 254, 300, FileText(TestRomPath("ppu_scroll.nes")));
  const std::string log = " --log " + (dir / "run.tst").string();
  const std::string underFile = WriteFile("plain", {}) + "/x";
  const struct {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {(dir / "missing.nes").string() + log, 1, "cannot open"},
      {WriteFile("text.nes", {'h', 'e', 'l', 'l', 'o'}) + log, 1, "not an iNES image"},
      {WriteFile("nine.nes", unsupported.Bytes()) + log, 1, "unsupported mapper 9"},
      {WriteFile("big.nes", {'N', 'E', 'S', 0x1A, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + log, 1,
       "too large"},
      {longPath + log, 1, "longer than 254 characters"},
      {dir.string() + log, 1, "is a folder, not a cartridge image"},
      {TestRomPath("ppu_scroll.nes") + " --frames 2 --log " + missing, 1,
       "cannot write the log " + missing + ": No such file"},
      {rom + " --wav " + missing, 1, "cannot write the WAV file " + missing + ": No such file"},
      {rom + " --trace " + missing, 1, "cannot write the trace " + missing + ": No such file"},
      {rom + " --trace " + dir.string(), 1, "cannot write the trace " + dir.string() + ": is a"},
      {rom + " --png " + missing, 1, "cannot write " + missing + ": No such file"},
      // No output may replace the cartridge, whatever it is called; a pipe nobody reads is
      // refused at once instead of waiting.
      {rom + " --png " + TestRomPath("ppu_scroll.nes"), 1, "that is the cartridge"},
      {rom + " --trace " + TestRomPath("../roms/ppu_scroll.nes"), 1, "that is the cartridge"},
      {rom + " --trace " + Fifo("nobody.txt"), 1, "no program is reading from it"},
      {rom + " --png ''", 2, "--png needs a file name"},
      {rom + " --keys ''", 2, "--keys needs a file name"},
      {rom + " --record " + underFile, 1, "cannot record to " + underFile + ": Not a directory"},
      {rom + " --config " + missing, 1, "cannot read the configuration " + missing},
      {WriteFile("ten.nes", {'N', 'E', 'S', 0x1A, 1, 0, 0, 0, 0, 0}) + log, 1, "image truncated"},
      {log, 2, "no ROM given"},
      {"--bogus x.nes", 2, "unknown option"},
      {rom + " --frames 100000001", 2, "--frames needs a number from 1 to 100000000"},
      {rom + " --skip-render --hash", 2, "--skip-render draws no picture"},
      {rom + " --skip-render --png x.png", 2, "--skip-render draws no picture"},
      {rom + " --frames", 2, "needs a value"},
      {rom + " --core turbo", 2, "main or alt"},
      {rom + " --png x.png --png-frame 6", 2, "past the last frame"},
      {rom + " --png-frame 1", 2, "needs --png"},
      {rom + " --start-pc 0x10000", 2, "--start-pc"},
  };
  for (const auto& c : cases) {
    const auto run = RunRunner(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n" << run.output;
    // Every refusal comes before the first frame: there is no summary line.
    EXPECT_EQ(run.output.find("frames="), std::string::npos) << c.arguments << "\n" << run.output;
  }
  // A short image plays (its CHR read as zeros), and the missing bytes are said.
  InesImage shortImage;
  shortImage.PrgUnits = 1;
  shortImage.TruncateTo = 16 + 0x4000 + 0x100;
  const auto run = RunRunner(WriteFile("short.nes", shortImage.Bytes()) + log + " --frames 1");
  EXPECT_NE(run.output.find("short.nes: 7936 bytes shorter than its header declares"),
            std::string::npos) << run.output;
  EXPECT_NE(run.output.find("frames=1"), std::string::npos) << run.output;
}

TEST_F(RunnerTest, HelpListsEveryOptionAndTheExitStatuses) {
  const auto help = RunRunner("--help");
  EXPECT_EQ(help.status, 0);
  int optionLines = 0;
  for (size_t at = help.output.find("\n  --"); at != std::string::npos;
       at = help.output.find("\n  --", at + 1))
    ++optionLines;
  EXPECT_EQ(optionLines, 21) << help.output;  // 20 options and --help itself
  for (const char* text : {"--keys FILE ", "--hold K-L:BUTTONS ", "\n  2 ", "\n  3 ", "128+N"})
    EXPECT_NE(help.output.find(text), std::string::npos) << text << "\n" << help.output;
}

// A refused cartridge touches none of the output files; a PNG named through a link lands in
// the file the link names and the link stays a link.
TEST_F(RunnerTest, OutputFilesAreKeptOrWrittenThroughLinks) {
  InesImage unsupported;
  unsupported.Mapper = 9;
  std::string arguments = WriteFile("nine.nes", unsupported.Bytes());
  for (const char* option : {"wav", "log", "trace", "png"}) {
    std::ofstream(dir / option) << "precious";
    arguments += std::string(" --") + option + " " + (dir / option).string();
  }
  EXPECT_EQ(RunRunner(arguments).status, 1);
  for (const char* option : {"wav", "log", "trace", "png"})
    EXPECT_EQ(FileText(dir / option), "precious") << option;

  std::ofstream(dir / "real.png") << "old";
  std::filesystem::create_symlink(dir / "real.png", dir / "link.png");
  const auto run = RunRunner(Rom() + " --frames 2 --png " + (dir / "link.png").string());
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.png"));
  EXPECT_EQ(FileText(dir / "real.png").substr(1, 3), "PNG");
}

// A halt on a bad opcode is a failure: status 3 after the summary, with the reason.
TEST_F(RunnerTest, AHaltedCpuEndsWithStatusThreeAfterTheSummary) {
  for (const char* core : {"main", "alt"}) {
    const auto run = RunRunner(Rom("bad_opcode.nes") + " --frames 5 --core " + core);
    EXPECT_EQ(run.status, 3) << run.output;
    const size_t summary = run.output.find("mapper=0 prg=2 chr=1 frames=1");
    ASSERT_NE(summary, std::string::npos) << run.output;
    EXPECT_LT(summary, run.output.find("bad opcode $07 at $8003")) << run.output;
  }
}

// --keys: scripted keyboard records reach the hot keys and, through the key map, the players'
// buttons; a bad script is refused before anything runs.
TEST_F(RunnerTest, KeyScriptsAreCheckedAndDelivered) {
  const struct {
    const char* script;  // null: no such file
    int status;
    const char* output;
  } cases[] = {
      {"# Esc on frame 10 ends the run\n10 press 1\n", 0, "frames=10"},
      {"3 press 88\n\n5 release 1\n", 0, "frames=5"},  // Esc acts on a release while paused
      {"1 press 2\n5 hold 30\n", 2, "line 2: 'hold' is neither press nor release"},
      {"1 press 256\n", 2, "line 1: the key code '256'"},
      {nullptr, 1, "cannot read"},
  };
  for (const auto& c : cases) {
    const auto script = dir / "keys.txt";
    std::filesystem::remove(script);
    if (c.script) std::ofstream(script) << c.script;
    const auto run = RunRunner(Rom() + " --frames 40 --keys " + script.string());
    EXPECT_EQ(run.status, c.status) << run.output;
    EXPECT_NE(run.output.find(c.output), std::string::npos) << run.output;
  }
  // Right held over frames 3-20 walks the sprite, from the built-in keys (Right arrow, 205) or
  // a configuration's (KEYRIGHT=100).
  const std::string walk = TestRomPath("state_walk.nes") + " --frames 30 --hash --log " +
                           (dir / "run.tst").string();
  const std::string held = SummaryHash(RunRunner(walk + " --hold 3-20:right"));
  EXPECT_NE(held, SummaryHash(RunRunner(walk)));
  std::ofstream(dir / "arrow.txt") << "3 press 205\n21 release 205\n";
  std::ofstream(dir / "pad.txt") << "3 press 100\n21 release 100\n";
  std::ofstream(dir / "pad.cfg") << "PLAYER1=K\nKEYRIGHT=100\n";
  EXPECT_EQ(SummaryHash(RunRunner(walk + " --keys " + (dir / "arrow.txt").string())), held);
  EXPECT_EQ(SummaryHash(RunRunner(walk + " --keys " + (dir / "pad.txt").string() + " --config " +
                                  (dir / "pad.cfg").string())),
            held);
}

}  // namespace

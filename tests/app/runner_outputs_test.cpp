// What the runner does with its output files when something goes wrong: a refused cartridge
// touches none of them, and a file that cannot be written is named with the reason.
#include <fstream>
#include <iterator>

#include "support/fixture.h"
#include "support/run_command.h"

namespace {

using RunnerOutputsTest = MachineTest;

CommandResult RunTheRunner(const std::string& arguments) {
  return RunCommand(std::string(HALVOREN_RUN_BINARY) + " " + arguments);
}

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(RunnerOutputsTest, ARefusedCartridgeLeavesEveryOutputFileAsItWas) {
  InesImage unsupported;
  unsupported.Mapper = 9;
  const std::string rom = WriteFile("nine.nes", unsupported.Bytes());
  const char* names[] = {"keep.wav", "keep.tst", "keep.txt", "keep.png"};
  for (const char* name : names) std::ofstream(dir / name) << "precious";
  const auto result = RunTheRunner(
      rom + " --wav " + (dir / names[0]).string() + " --log " + (dir / names[1]).string() +
      " --trace " + (dir / names[2]).string() + " --png " + (dir / names[3]).string());
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.output.find("unsupported mapper 9"), std::string::npos) << result.output;
  for (const char* name : names) EXPECT_EQ(Contents(dir / name), "precious") << name;
}

TEST_F(RunnerOutputsTest, PathsFoldersAndUnwritableOutputsAreNamedWithTheReason) {
  const std::string rom = TestRomPath("ppu_scroll.nes") + " --frames 2";
  const std::string log = " --log " + (dir / "run.tst").string();
  const std::string missing = (dir / "no" / "such").string();
  // Cut to 254 characters this path would name a playable cartridge.
  const std::string longPath =
      PathWithExistingPrefix(dir, 254, 300, Contents(TestRomPath("ppu_scroll.nes")));
  const struct {
    std::string arguments, message;
  } cases[] = {
      {longPath + log, "longer than 254 characters"},
      {dir.string() + log, "is a folder, not a cartridge image"},
      {rom + " --log " + missing, "cannot write the log " + missing + ": No such file"},
      {rom + log + " --wav " + missing, "cannot write the WAV file " + missing + ": No such file"},
      {rom + log + " --trace " + missing, "cannot write the trace " + missing + ": No such file"},
      {rom + log + " --trace " + dir.string(), "cannot write the trace " + dir.string() + ": Is a"},
      {rom + log + " --png " + missing, "cannot write " + missing + ": No such file"},
  };
  for (const auto& c : cases) {
    const auto result = RunTheRunner(c.arguments);
    EXPECT_EQ(result.status, 1) << c.arguments;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << "\n"
                                                                << result.output;
  }
}

// A PNG named through a link lands in the file the link names; the link stays a link.
TEST_F(RunnerOutputsTest, APictureThroughALinkKeepsTheLink) {
  std::ofstream(dir / "real.png") << "old";
  std::filesystem::create_symlink(dir / "real.png", dir / "link.png");
  const auto result = RunTheRunner(TestRomPath("ppu_scroll.nes") + " --frames 2 --log " +
                                   (dir / "run.tst").string() + " --png " +
                                   (dir / "link.png").string());
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.png"));
  EXPECT_EQ(Contents(dir / "real.png").substr(1, 3), "PNG");
}

}  // namespace

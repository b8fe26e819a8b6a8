// File names beside the cartridge, and the runner's state options as a user calls them.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "session/config.h"
#include "state/state_files.h"
#include "state/state_image.h"
#include "support/fixture.h"
#include "support/run_command.h"

namespace {

// Slot files replace the cartridge's extension, or append one where the name has none.
TEST(StateFileNames, ReplaceTheExtensionOrAppendOne) {
  for (const auto& [cartridge, slot, expected] :
       {std::tuple{"roms/GAME.NES", 3, "roms/GAME.SV3"}, {"roms/GAME.NES", 0, "roms/GAME.SV0"},
        {"game", 1, "game.SV1"}, {"my.roms/game", 2, "my.roms/game.SV2"}}) {
    BuildCartridgePath(cartridge);
    EXPECT_EQ(SlotFileName(static_cast<uint8_t>(slot)), expected) << cartridge;
  }
  EXPECT_EQ(CartridgeFileName("MOV"), "my.roms/game.MOV");
}

using Shell = CommandResult;

// Runs a shell command line with the runner as $RUN; its exit status and all its output.
Shell RunShell(const std::string& script) {
  return RunCommand("RUN=" + std::string(HALVOREN_RUN_BINARY) + "; { " + script + "; }");
}

class RunnerStateTest : public MachineTest {
 protected:
  std::string Run(const std::string& options) {
    return "$RUN " + TestRomPath("state_walk.nes") + " --hash --log " + (dir / "run.tst").string() +
           " " + options;
  }
  std::string File(const char* name) const { return (dir / name).string(); }
  static std::string Hash(const Shell& shell) { return SummaryHash(shell); }
};

TEST_F(RunnerStateTest, RecordPlaySaveAndLoadGiveTheSameFrames) {
  const auto walk = " --hold 3-40:right+a --hold 20-50:down";
  const auto recorded = RunShell(Run("--frames 60 --record " + File("r.mov") + walk));
  ASSERT_EQ(recorded.status, 0) << recorded.output;
  EXPECT_EQ(std::filesystem::file_size(File("r.mov")), kStateImageSize + 120);
  EXPECT_NE(Hash(recorded), Hash(RunShell(Run("--frames 60"))));  // the holds moved the sprite
  EXPECT_EQ(Hash(RunShell(Run("--frames 60 --play " + File("r.mov")))), Hash(recorded));

  const auto saved =
      RunShell(Run("--frames 60 --save-state " + File("s.sv") + " --state-frame 25" + walk));
  ASSERT_EQ(saved.status, 0) << saved.output;
  EXPECT_EQ(Hash(saved), Hash(recorded));
  const auto loaded = RunShell(Run("--frames 35 --load-state " + File("s.sv") + " --record " +
                                   File("l.mov") + " --hold 1-15:right+a --hold 1-25:down"));
  EXPECT_EQ(Hash(loaded), Hash(recorded)) << loaded.output;
  // A recording made with --load-state starts from the loaded state.
  EXPECT_EQ(Hash(RunShell(Run("--frames 35 --play " + File("l.mov")))), Hash(recorded));
}

TEST_F(RunnerStateTest, RefusalsNameTheProblemAndTheirStatus) {
  RunShell("head -c 100 /dev/zero > " + File("short.mov") + "; head -c 90000 /dev/zero > " +
           File("zero.sv"));
  // The same cartridge with one unused program byte changed, and a state of it.
  RunShell("cp " + TestRomPath("state_walk.nes") + " " + File("other.nes") +
           "; printf '\\000' | dd of=" + File("other.nes") +
           " bs=1 seek=16400 conv=notrunc 2>/dev/null; $RUN " + File("other.nes") +
           " --frames 5 --save-state " + File("other.sv"));
  struct Case {
    std::string options;
    int status;
    const char* says;
  };
  const Case cases[] = {
      {"--hold 5-3:start", 2, "ends before it starts"},
      {"--hold 5-9:jump", 2, "unknown button 'jump'"},
      {"--hold 5:start", 2, "--hold takes K-L:BUTTONS"},
      {"--state-frame 3", 2, "--state-frame needs --save-state"},
      {"--frames 5 --save-state x --state-frame 6", 2, "past the last frame"},
      {"--load-state a --play b", 2, "give one"},
      {"--load-state " + File("none.sv"), 1, "none.sv: No such file or directory"},
      {"--play " + File("short.mov"), 1, "short.mov: file too short"},
      {"--load-state " + File("zero.sv"), 1, "zero.sv: not a state file"},
      {"--load-state " + File("other.sv"), 1, "other.sv: saved from another cartridge"},
      {"--play /dev/zero", 1, "/dev/zero: not a regular file"},
      {"--load-state " + Fifo("state.fifo"), 1, "state.fifo: not a regular file"},
      {"--record " + File("no/such/r.mov"), 1, "cannot record to"},
      {"--frames 2 --save-state " + File("no/s.sv"), 1, "cannot save the state to"},
      {"--load-state " + File("zero.sv") + " --save-state " + File("zero.sv"), 1,
       "that is the state loaded"},
      {"--record ''", 2, "--record needs a file name"},
  };
  for (const auto& c : cases) {
    const auto run = RunShell(Run(c.options));
    EXPECT_EQ(run.status, c.status) << c.options << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << c.options << "\n" << run.output;
  }
}

TEST_F(RunnerStateTest, ATerminatedRunKeepsEveryRecordedFrame) {
  // The state is due after the last frame, which the run never reaches: the old file stays.
  std::ofstream(File("s.sv")) << "old";
  const auto run = RunShell(Run("--frames 100000000 --record " + File("r.mov") +
                                " --save-state " + File("s.sv")) +
                            " & pid=$!; sleep 1; kill -TERM $pid; wait $pid");
  EXPECT_EQ(FileText(File("s.sv")), "old");
  EXPECT_EQ(run.status, 128 + SIGTERM) << run.output;
  const size_t at = run.output.find(" frames=");
  ASSERT_NE(at, std::string::npos) << run.output;
  const int frames = std::stoi(run.output.substr(at + 8));
  EXPECT_GT(frames, 0);
  EXPECT_EQ(std::filesystem::file_size(File("r.mov")), kStateImageSize + 2u * frames);
}

}  // namespace

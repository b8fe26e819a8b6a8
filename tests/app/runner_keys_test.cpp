// halvoren-run --keys: scripted keyboard records reach the hot keys; a bad script is refused
// before anything runs.
#include <fstream>

#include "support/fixture.h"
#include "support/run_command.h"

namespace {

using RunnerKeysTest = MachineTest;

TEST_F(RunnerKeysTest, ScriptsAreCheckedAndDelivered) {
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
    const auto result = RunCommand(std::string(HALVOREN_RUN_BINARY) + " " +
                                   TestRomPath("ppu_scroll.nes") + " --frames 40 --keys " +
                                   script.string() + " --log " + (dir / "run.tst").string());
    EXPECT_EQ(result.status, c.status) << result.output;
    EXPECT_NE(result.output.find(c.output), std::string::npos) << result.output;
  }
}

}  // namespace

// halvoren-run --keys: scripted keyboard records reach the hot keys; a bad script is refused
// before anything runs.
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/fixture.h"

namespace {

using RunnerKeysTest = MachineTest;

TEST_F(RunnerKeysTest, ScriptsAreCheckedAndDelivered) {
  const std::string rom = TestRomPath("ppu_scroll.nes");
  const struct {
    const char* script;  // null: no such file
    int status;
    const char* output;
  } cases[] = {
      {"# Esc on frame 10 ends the run\n10 press 1\n", 0, "frames=10"},
      {"3 press 88\n\n3 release 88\n", 0, "frames=40"},  // paused frames still count
      {"1 press 2\n5 hold 30\n", 2, "line 2: 'hold' is neither press nor release"},
      {"0 press 2\n", 2, "line 1: the frame '0'"},
      {"1 press 256\n", 2, "line 1: the key code '256'"},
      {"1 press\n", 2, "line 1: expected FRAME press|release KEYCODE"},
      {nullptr, 1, "cannot read"},
  };
  for (const auto& c : cases) {
    const auto script = dir / "keys.txt";
    std::filesystem::remove(script);
    if (c.script) std::ofstream(script) << c.script;
    const auto output = dir / "out.txt";
    const std::string command = std::string(HALVOREN_RUN_BINARY) + " " + rom +
                                " --frames 40 --keys " + script.string() + " --log " +
                                (dir / "run.tst").string() + " >" + output.string() + " 2>&1";
    const int raw = std::system(command.c_str());
    std::ifstream in(output);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, c.status) << text;
    EXPECT_NE(text.find(c.output), std::string::npos) << text;
  }
}

}  // namespace

// The desktop program on SDL's dummy drivers, given what a player may get wrong: each mistake
// is refused with a message that says what is wrong, never played or read as something else.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "support/run_command.h"

#ifdef HALVOREN_BINARY
namespace {

namespace fs = std::filesystem;

class ProgramRefusalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("halvoren-refusals-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the program in the test folder; a cartridge that wrongly plays ends after 5 frames.
  CommandResult RunHalvoren(const std::string& arguments) {
    return RunCommand("cd " + dir.string() + " && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
                      HALVOREN_BINARY + " --windowed --quit-after-frames 5 " + arguments);
  }

  fs::path dir;
};

// A mapper-0 image (one PRG unit of zeros), or with the header's mapper nibble set, mapper 9.
std::string Image(uint8_t flags6 = 0) {
  std::string bytes = {'N', 'E', 'S', 0x1A, 1, 0, static_cast<char>(flags6)};
  bytes.resize(16 + 0x4000, 0);
  return bytes;
}

TEST_F(ProgramRefusalsTest, MistakesAreRefusedWithAMessage) {
  const std::string cart = PathWithExistingPrefix(dir, 254, 300, Image());
  // ROMDIR, '/' and BOOT that, cut to 254 characters, would name the same file.
  const size_t split = dir.string().size();
  std::ofstream(dir / "cut.cfg") << "ROMDIR=" << cart.substr(0, split)
                                 << "\nBOOT=" << cart.substr(split + 1) << "\n";
  std::ofstream(dir / "nine.nes", std::ios::binary) << Image(0x90);
  fs::create_directories(dir / "folder.nes");
  const struct {
    std::string arguments, message;
  } cases[] = {
      {cart, "the cartridge path is longer than 254 characters"},
      {"--config cut.cfg", "the cartridge path is longer than 254 characters"},
      {"--config " + dir.string(), "is a folder, not a configuration file"},
      {"folder.nes", "folder.nes: is a folder, not a cartridge image"},
      {"nine.nes", "nine.nes: unsupported mapper 9"},
  };
  for (const auto& c : cases) {
    const auto result = RunHalvoren(c.arguments);
    EXPECT_NE(result.status, 0) << c.arguments;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << "\n"
                                                                << result.output;
  }
}

// A folder where the configuration file is looked for is not read as an empty file: the
// player is told, and gets the built-in controls and the demo.
TEST_F(ProgramRefusalsTest, AFolderNamedLikeTheConfigurationIsSkippedWithAMessage) {
  fs::create_directories(dir / "Halvoren.CFG");
  const auto result = RunHalvoren("");
  EXPECT_EQ(result.status, 0) << result.output;
  EXPECT_NE(result.output.find("Halvoren.CFG is a folder, not a configuration file"),
            std::string::npos)
      << result.output;
  std::ifstream log(dir / "halvoren.tst", std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(log), {});
  EXPECT_NE(text.find("Open:halvoren-demo.nes"), std::string::npos);
}

// A closed terminal (SIGHUP) ends the program as Ctrl+C does, through its shut-down (where the
// battery RAM is written), not by the signal's default death.
TEST_F(ProgramRefusalsTest, HangUpEndsThroughTheShutDown) {
  // NOPs from the reset vector ($EAEA) to $FFF0, where a JMP $EAEA goes round again.
  std::string nops = Image();
  std::fill(nops.begin() + 16, nops.end(), '\xEA');
  nops[16 + 0x3FF0] = '\x4C';
  std::ofstream(dir / "game.nes", std::ios::binary) << nops;
  const auto result = RunCommand("cd " + dir.string() +
                                 " && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
                                 HALVOREN_BINARY + " --windowed game.nes & pid=$!; sleep 1; "
                                 "kill -HUP $pid; wait $pid");
  EXPECT_EQ(result.status, 0) << result.output;
}

}  // namespace
#endif

// The desktop program's start: where the configuration is found and its forms, the demo playing
// on the keyboard, and a missing joystick said to the player.
#include "session/startup.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/settings.h"
#include "frame/emulate_frame.h"
#include "headless/headless.h"
#include "session/config.h"
#include "session/config_path.h"
#include "session/main_loop.h"
#include "session/message_area.h"
#include "session/pads.h"
#include "support/fixture.h"

namespace {

const std::string HomeAtStart = std::getenv("HOME") ? std::getenv("HOME") : "";

class StartUpTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp(), HeadlessReset(), configPath = (dir / "Halvoren.CFG").string();
    options.ConfigPath = configPath.c_str();
  }
  // No key left held for the tests that follow in this process.
  void TearDown() override { ShutDown(), ResetPads(), MachineTest::TearDown(); }
  // The cartridge path built from the configuration or a command line; "" when refused, and
  // then nothing may be kept of it.
  static std::string BuiltPath(const char* commandLine) {
    const bool whole = BuildCartridgePath(commandLine);
    return whole || CartridgePath[0] == 0 ? CartridgePath : "kept though refused";
  }
  // True when the lines appear in the log in this order.
  bool LogHasInOrder(const std::vector<std::string>& lines) {
    size_t at = 0;
    for (const std::string& line : lines)
      if ((at = ReadLog().find(line, at)) == std::string::npos) return false;
    return true;
  }
  std::string configPath;
  StartOptions options;
};

// Every key stands at a fixed place in its line: one key digit is one less than written, two
// and three digits are taken as written; joystick buttons are written counting from one.
// Without a sign IRQADJ's digit sits in the sign position and the value is the line's end. The
// cartridge path from ROMDIR and BOOT is refused (and nothing kept) when it would be cut: the
// rest of an over-long line is dropped, not read as a line of its own; 247 + 1 + 6 characters
// fill the buffer exactly. The command line's path too: 254 characters fit, 255 do not.
TEST_F(StartUpTest, ConfigurationFileForms) {
  const std::string d247 = "ROMDIR=" + std::string(247, 'd');
  // clang-format off
  const struct { std::string text; int (*value)(); int expected; } cases[] = {
      {"KEYA=5\n", [] { return int{ConfigKeyCodes[6]}; }, 4}, {"KEYB=05\n", [] { return int{ConfigKeyCodes[7]}; }, 5},
      {"KEYUP=200\n", [] { return int{ConfigKeyCodes[0]}; }, 200},
      {"JOYA=1\n", [] { return int{JoyButtonMap[0]}; }, 0}, {"JOYB=12\n", [] { return int{JoyButtonMap[1]}; }, 11},
      {"IRQADJ=-12\n", [] { return int{IrqAdjustSetting}; }, -12}, {"IRQADJ=+7\n", [] { return int{IrqAdjustSetting}; }, 7},
      {"IRQADJ=7\n", [] { return int{IrqAdjustSetting}; }, -48},
      {"SOUND=N\n", [] { return int(SoundOn); }, 0},
      {"SOUND=N\nSOUND\n", [] { return int(SoundOn + 2 * SoundStereo); }, 1},  // on, mono
      {"HARDBUF=3\n", [] { return int(HardwareBuffers); }, 5},                 // the key is HARDBUf
      {"HARDBUf=3\n", [] { return int(HardwareBuffers); }, 3},
      {" RES=2\n", [] { return int{ResolutionCode}; }, 1},      // a leading blank: no key
      {"RES=2\nRES=3", [] { return int{ResolutionCode}; }, 3},  // last wins, no final LF
      // PAL: 240 lines shown, 25 cycles a frame fewer.
      {"VIDEO=P\n", [] { return SetConsoleConstants(), ShownLines * 1000 + CycleAdjust; }, 239975},
      // The path's length (its extension's place for a short one), or -1 when refused.
      {"ROMDIR=/games\nBOOT=mario.nes\n", [] { return BuiltPath(nullptr) == "/games/mario.nes" ? ExtensionPosition : 0; }, 13},
      {d247 + "dddRES=2\nBOOT=bbbbbb\n", [] { return int(BuiltPath(nullptr).size()) + 1000 * ResolutionCode; }, 1254},
      {d247 + "\nBOOT=bbbbbbb\n", [] { return BuiltPath(nullptr) == "" ? -1 : 0; }, -1},
      {"", [] { return int(BuiltPath(std::string(254, 'c').c_str()).size()); }, 254},
      {"", [] { return BuiltPath(std::string(255, 'c').c_str()) == "" ? -1 : 0; }, -1},
  };
  // clang-format on
  for (const auto& c : cases) {
    ResetConfiguration(), std::ofstream(configPath, std::ios::binary) << c.text;
    ASSERT_EQ(ReadConfiguration(configPath.c_str()), ConfigRead::Read);
    EXPECT_EQ(c.value(), c.expected) << c.text;
  }
}

// A folder where the configuration file should be is no configuration: the built-in one plays.
// A missing joystick is said, and its player takes a free keyboard.
TEST_F(StartUpTest, WithoutAConfigurationTheDemoStartsAnswersTheKeyboardAndEndsOnEsc) {
  std::filesystem::create_directory(configPath);
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_TRUE(LogHasInOrder({"NTSC Console\n", "Open:halvoren-demo.nes", "Mapper#0\n"}));
  EXPECT_TRUE(HeadlessHost.DisplayOpen);
  // X lights the dot under the A label (row 5, column 3 of the first name table).
  m().ResetCpu();
  for (int i = 0; i < 30; ++i) RunFrame(m(), 0);
  EXPECT_EQ(m().PpuMemory[0x20A3], 0x85);
  HeadlessPushKey(45, true);
  for (int i = 0; i < 10; ++i) RunFrame(m(), 0);
  EXPECT_EQ(m().PpuMemory[0x20A3], 0x84);
  // The main loop restarts the CPU; Esc, read by its first frame, ends it and shuts down.
  HeadlessPushKey(1, true), MainLoop(m());
  EXPECT_TRUE(LogHasInOrder({"Open:", "NMI Vector:", "Via ESC\n"}));
  EXPECT_FALSE(HeadlessHost.DisplayOpen);
  std::filesystem::remove(configPath), ResetPads(), NewConsole();

  // A missing joystick was a dialog over a black window, and an Esc pressed to close it ended
  // the game afterwards. It is a message now, and play starts at once: on the keyboard, unless
  // another player has it. X (45) presses A on the port of the player who took the keyboard.
  // clang-format off
  const struct { const char* config; uint8_t player1, player2; const char* said; } cases[] = {
      {"PLAYER1=J\n", kDeviceKeyboard, kDeviceNone, "player 1 plays on the keyboard"},
      {"PLAYER1=N\nPLAYER2=J\n", kDeviceNone, kDeviceKeyboard, "player 2 plays on the keyboard"},
      {"PLAYER1=J\nPLAYER2=K\n", kDeviceJoystick, kDeviceKeyboard, "player 1 has no controller"},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.config);
    HeadlessReset(), std::ofstream(configPath) << c.config << "KEYA=45\nSOUND=N\n";
    ASSERT_TRUE(StartUp(m(), options));
    const std::string shown(NewestMessage().Text, std::strlen(c.said) + 13);
    EXPECT_EQ(std::tuple(HeadlessHost.MessageBoxes, shown, PlayerDevice[0], PlayerDevice[1]),
              std::tuple("", std::string("No joystick: ") + c.said, c.player1, c.player2));
    HeadlessPushKey(45, true), RunFrame(m(), 0);
    EXPECT_EQ(m().PadBits[c.player1 == kDeviceKeyboard ? 0 : 1], 0x01);
    ShutDown();
  }
}

// The current folder's file, then the XDG one (an unset or relative XDG_CONFIG_HOME: the one in
// ~/.config), then the built-in defaults; a folder is no configuration.
TEST_F(StartUpTest, ConfigurationFromTheCurrentFolderThenTheXdgFolder) {
  const std::filesystem::path before = std::filesystem::current_path(),
                              home = dir / "home/.config/halvoren/Halvoren.CFG",
                              xdg = dir / "xdg/halvoren/Halvoren.CFG";
  for (const auto& path : {home, xdg})
    std::filesystem::create_directories(path.parent_path()), std::ofstream(path) << "PLAYER1=K\n";
  std::filesystem::current_path(dir), std::filesystem::create_directory(dir / "Halvoren.CFG");
  setenv("HOME", (dir / "nobody").c_str(), 1), unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(DefaultConfigurationPath(), "Halvoren.CFG");  // nowhere: the defaults apply
  setenv("HOME", (dir / "home").c_str(), 1), setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
  EXPECT_EQ(DefaultConfigurationPath(), xdg.string());
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(DefaultConfigurationPath(), home.string());
  std::filesystem::remove(dir / "Halvoren.CFG"), std::ofstream(dir / "Halvoren.CFG") << "K\n";
  EXPECT_EQ(DefaultConfigurationPath(), "Halvoren.CFG");
  std::filesystem::current_path(before), setenv("HOME", HomeAtStart.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace

#include "session/config.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "core/settings.h"
#include "session/config_path.h"
#include "support/fixture.h"

namespace {

namespace fs = std::filesystem;

class ConfigTest : public MachineTest {
 protected:
  // Runs the file reader over `text` written verbatim.
  void ReadText(const std::string& text) {
    const std::string path = (dir / "Halvoren.CFG").string();
    std::ofstream(path, std::ios::binary) << text;
    ASSERT_EQ(ReadConfiguration(path.c_str()), ConfigRead::Read);
  }
};

TEST_F(ConfigTest, FileForms) {
  struct Case {
    std::string text;
    int (*value)();
    int expected;
  };
  const Case cases[] = {
      // One key digit is one less than written; two and three digits are taken as written.
      {"KEYA=5\n", [] { return int{ConfigKeyCodes[6]}; }, 4},
      {"KEYB=05\n", [] { return int{ConfigKeyCodes[7]}; }, 5},
      {"KEYUP=200\n", [] { return int{ConfigKeyCodes[0]}; }, 200},
      // Joystick buttons are written counting from one.
      {"JOYA=1\n", [] { return int{JoyButtonMap[0]}; }, 0},
      {"JOYB=12\n", [] { return int{JoyButtonMap[1]}; }, 11},
      {"IRQADJ=-12\n", [] { return int{IrqAdjustSetting}; }, -12},
      {"IRQADJ=+7\n", [] { return int{IrqAdjustSetting}; }, 7},
      // Without a sign the digit sits in the sign position and the value is the line's end.
      {"IRQADJ=7\n", [] { return int{IrqAdjustSetting}; }, -48},
      {"SOUND=N\n", [] { return int(SoundOn); }, 0},
      {"SOUND=N\nSOUND\n", [] { return int(SoundOn + 2 * SoundStereo); }, 1},  // on, mono
      {"HARDBUF=3\n", [] { return int(HardwareBuffers); }, 5},                 // the key is HARDBUf
      {"HARDBUf=3\n", [] { return int(HardwareBuffers); }, 3},
      {" RES=2\n", [] { return int{ResolutionCode}; }, 1},      // a leading blank: no key
      {"RES=2\nRES=3", [] { return int{ResolutionCode}; }, 3},  // last wins, no final LF
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ResetConfiguration();
    ReadText(c.text);
    EXPECT_EQ(c.value(), c.expected);
  }
}

TEST_F(ConfigTest, MissingFileOrFolderKeepsTheDefaultsAndOverLongPathsAreRefusedNotCut) {
  ResetConfiguration();
  EXPECT_EQ(ReadConfiguration((dir / "absent.CFG").string().c_str()), ConfigRead::Missing);
  EXPECT_EQ(ReadConfiguration(dir.string().c_str()), ConfigRead::Folder);
  EXPECT_EQ(ResolutionCode, 1);
  ReadText("ROMDIR=/games\nBOOT=mario.nes\n");
  EXPECT_TRUE(BuildCartridgePath(nullptr));
  EXPECT_STREQ(CartridgePath, "/games/mario.nes");
  EXPECT_EQ(ExtensionPosition, 13);
  // The rest of an over-long line is dropped, not read as a line of its own.
  ReadText("ROMDIR=" + std::string(250, 'd') + "RES=2\nBOOT=" + std::string(6, 'b') + "\n");
  EXPECT_EQ(std::string(RomDirectory), std::string(247, 'd'));
  EXPECT_EQ(ResolutionCode, 1);
  EXPECT_TRUE(BuildCartridgePath(nullptr));  // 247 + 1 + 6: exactly what the buffer holds
  EXPECT_EQ(std::strlen(CartridgePath), kTextValueSize - 1);
  ReadText("BOOT=" + std::string(7, 'b') + "\n");
  EXPECT_FALSE(BuildCartridgePath(nullptr));
  EXPECT_STREQ(CartridgePath, "");
  EXPECT_TRUE(BuildCartridgePath(std::string(254, 'c').c_str()));
  EXPECT_FALSE(BuildCartridgePath(std::string(255, 'c').c_str()));
  EXPECT_STREQ(CartridgePath, "");
}

// Runs in a scratch folder with HOME pointing into it (each test runs in its own process under
// ctest, so the environment needs no restoring).
class ConfigPathTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    oldDir = fs::current_path();
    fs::create_directories(dir / "work");
    fs::current_path(dir / "work");
    setenv("HOME", (dir / "home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override {
    fs::current_path(oldDir);
    MachineTest::TearDown();
  }
  static void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "PLAYER1=K\n";
  }
  fs::path oldDir;
};

TEST_F(ConfigPathTest, CurrentFolderThenXdgFolderThenTheBuiltInDefaults) {
  EXPECT_EQ(DefaultConfigurationPath(), "Halvoren.CFG");  // nowhere: defaults apply

  const fs::path homeConfig = dir / "home" / ".config" / "halvoren" / "Halvoren.CFG";
  Touch(homeConfig);
  EXPECT_EQ(DefaultConfigurationPath(), homeConfig.string());

  const fs::path xdgConfig = dir / "xdg" / "halvoren" / "Halvoren.CFG";
  Touch(xdgConfig);
  setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
  EXPECT_EQ(DefaultConfigurationPath(), xdgConfig.string());
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(DefaultConfigurationPath(), homeConfig.string());

  // A folder of that name here is not a configuration; a file here wins over both.
  fs::create_directories(dir / "work" / "Halvoren.CFG");
  EXPECT_EQ(DefaultConfigurationPath(), homeConfig.string());
  fs::remove(dir / "work" / "Halvoren.CFG");
  Touch(dir / "work" / "Halvoren.CFG");
  EXPECT_EQ(DefaultConfigurationPath(), "Halvoren.CFG");
}

}  // namespace

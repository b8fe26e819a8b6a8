#include "session/config_path.h"

#include <cstdlib>
#include <fstream>

#include "support/fixture.h"

namespace fs = std::filesystem;

namespace {

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

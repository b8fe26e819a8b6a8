#include "host/config_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Runs in a scratch folder with HOME and XDG_CONFIG_HOME pointing into it.
class ConfigPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    oldDir = fs::current_path();
    dir = fs::temp_directory_path() / ("halvoren-cfgpath-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "work");
    fs::current_path(dir / "work");
    // Each test runs in its own process (ctest), so the environment needs no restoring.
    setenv("HOME", (dir / "home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
  }
  void TearDown() override {
    fs::current_path(oldDir);
    fs::remove_all(dir);
  }
  static void Touch(const fs::path& path) {
    fs::create_directories(path.parent_path());
    std::ofstream(path) << "PLAYER1=K\n";
  }
  fs::path dir, oldDir;
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

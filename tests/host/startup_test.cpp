#include "host/startup.h"

#include <fstream>
#include <string>
#include <vector>

#include "core/globals.h"
#include "debug/frame_keys.h"
#include "driver/main_loop.h"
#include "driver/run_frame.h"
#include "host/config.h"
#include "host/headless/headless.h"
#include "host/headless/headless_audio.h"
#include "host/settings.h"
#include "support/fixture.h"

namespace {

class StartUpTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    HeadlessReset();
    configPath = (dir / "Halvoren.CFG").string();
    options.ConfigPath = configPath.c_str();
  }
  void TearDown() override {
    ShutDown();
    HeadlessWavPath.clear();
    MachineTest::TearDown();
  }
  void WriteConfig(const std::string& text) { std::ofstream(configPath) << text; }

  // True when every line appears in the log, in this order.
  bool LogHasInOrder(const std::vector<std::string>& lines) {
    const std::string log = ReadLog();
    size_t at = 0;
    for (const std::string& line : lines) {
      at = log.find(line, at);
      if (at == std::string::npos) {
        ADD_FAILURE() << "missing or out of order: " << line << "\nlog:\n" << log;
        return false;
      }
      at += line.size();
    }
    return true;
  }

  std::string configPath;
  StartOptions options;
};

TEST_F(StartUpTest, WithoutAConfigurationTheDemoStartsWithTheKeyboardOnPlayerOne) {
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_TRUE(LogHasInOrder({"Halvoren log file\n", "NTSC Console\n",
                             "NES system palette initialized\n", "Open:halvoren-demo.nes",
                             "ROM image identified as Mapper#0\n"}));
  EXPECT_EQ(PlayerDevice[0], kDeviceKeyboard);
  EXPECT_EQ(ShownLines, 232);
  EXPECT_EQ(CycleAdjust, 0);
  EXPECT_TRUE(HeadlessHost.DisplayOpen);
  EXPECT_GE(HeadlessHost.ShowScreenCalls, 1);  // the splash
}

TEST_F(StartUpTest, PalConsoleAndAPriorityThatCannotBeRaised) {
  WriteConfig("VIDEO=P\nSOUND=N\n");
  HeadlessHost.RaisePriorityWorks = false;
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_EQ(ReadLog().rfind("PAL Console\n", 0), 0u);  // no "Halvoren log file" first
  EXPECT_EQ(ShownLines, 240);
  EXPECT_EQ(CycleAdjust, -25);
  EXPECT_EQ(ReadLog().find("Direct Sound"), std::string::npos);
}

TEST_F(StartUpTest, AMissingCartridgeEndsStartUpAfterTheDevicesOpened) {
  WriteConfig("BOOT=absent.nes\nPLAYER1=K\n");
  EXPECT_FALSE(StartUp(m(), options));
  EXPECT_TRUE(LogHasInOrder({"NES system palette initialized\n", "Open:absent.nes",
                             "Error reading ROM\n"}));
  EXPECT_FALSE(HeadlessHost.DisplayOpen);
}

TEST_F(StartUpTest, TheCommandLineCartridgeReplacesTheConfiguredOne) {
  WriteConfig("ROMDIR=/nowhere\nBOOT=absent.nes\n");
  const std::string rom = WriteFile("game.nes", InesImage{}.Bytes());
  options.RomPath = rom.c_str();
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_STREQ(CartridgePath, rom.c_str());
}

TEST_F(StartUpTest, DisplayFailureIsShownAndNothingIsLoaded) {
  HeadlessHost.FailDisplay = true;
  EXPECT_FALSE(StartUp(m(), options));
  EXPECT_NE(HeadlessHost.MessageBoxes.find("ERROR: "), std::string::npos);
  EXPECT_EQ(ReadLog().find("Open:"), std::string::npos);
}

TEST_F(StartUpTest, SoundFailureEndsStartUp) {
  HeadlessWavPath = (dir / "no-such-folder" / "out.wav").string();
  EXPECT_FALSE(StartUp(m(), options));
  EXPECT_TRUE(LogHasInOrder({"NES system palette initialized\n",
                             "Fail to initialize Direct Sound\n"}));
  EXPECT_EQ(ReadLog().find("Open:"), std::string::npos);
}

TEST_F(StartUpTest, NoJoystickIsReportedAndStartUpGoesOn) {
  WriteConfig("PLAYER1=J\nSOUND=N\n");
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_EQ(HeadlessHost.MessageBoxes, "Error!: Fail to initialize DirectInput\n");
  EXPECT_TRUE(LogHasInOrder({"Fail to initialize joystick\n", "Open:"}));
}

TEST_F(StartUpTest, EscThenTheWindowsDestructionShutsDownTwiceWithoutHarm) {
  WriteConfig("SOUND=N\nPLAYER1=K\n");
  ASSERT_TRUE(StartUp(m(), options));
  HeadlessPushKey(1, true);
  HandleFrameKeys(m());
  EXPECT_TRUE(LogHasInOrder({"Open:", "Via ESC\n"}));
  EXPECT_TRUE(HeadlessHost.CloseRequested);
  ShutDown();
  ShutDown();
  EXPECT_FALSE(HeadlessHost.DisplayOpen);
}

TEST_F(StartUpTest, MainLoopRunsTheDemoUntilEscAndShutsDown) {
  ASSERT_TRUE(StartUp(m(), options));
  HeadlessPushKey(1, true);  // read by the first frame
  MainLoop(m());
  EXPECT_TRUE(LogHasInOrder({"Open:", "NMI Vector:", "Via ESC\n"}));
  EXPECT_EQ(FrameCount, 1u);
  EXPECT_FALSE(HeadlessHost.DisplayOpen);
}

}  // namespace

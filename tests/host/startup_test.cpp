#include "host/startup.h"

#include <fstream>
#include <string>
#include <vector>

#include "debug/message_area.h"
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
    MachineTest::TearDown();
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

TEST_F(StartUpTest, WithoutAConfigurationTheDemoStartsAnswersTheKeyboardAndEndsOnEsc) {
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_TRUE(
      LogHasInOrder({"Halvoren log file\n", "NTSC Console\n", "NES system palette initialized\n",
                     "Open:halvoren-demo.nes", "ROM image identified as Mapper#0\n"}));
  EXPECT_TRUE(HeadlessHost.DisplayOpen);
  // Right moves the face (sprites 1-4, sprite 1 its top-left quarter); X lights the dot
  // under the A label (row 5, column 3 of the first name table).
  m().ResetCpu();
  for (int i = 0; i < 30; ++i) RunFrame(m(), 0);
  const int x = m().SpriteRam[4 + 3];
  EXPECT_EQ(m().PpuMemory[0x20A3], 0x85);
  HeadlessPushKey(205, true), HeadlessPushKey(45, true);  // Right, X
  for (int i = 0; i < 10; ++i) RunFrame(m(), 0);
  EXPECT_GT(m().SpriteRam[4 + 3], x + 10);
  EXPECT_EQ(m().PpuMemory[0x20A3], 0x84);
  // The main loop restarts the CPU; Esc, read by its first frame, ends it and shuts down.
  HeadlessPushKey(1, true);
  MainLoop(m());
  EXPECT_TRUE(LogHasInOrder({"Open:", "NMI Vector:", "Via ESC\n"}));
  EXPECT_FALSE(HeadlessHost.DisplayOpen);
  ShutDown();  // the window's destruction after Esc: harmless
}

TEST_F(StartUpTest, PalNoSoundNoJoystickAPriorityThatCannotBeRaisedAndACommandLineCartridge) {
  std::ofstream(configPath) << "VIDEO=P\nSOUND=N\nPLAYER1=J\nROMDIR=/nowhere\nBOOT=absent.nes\n";
  const std::string rom = WriteFile("game.nes", InesImage{}.Bytes());
  options.RomPath = rom.c_str();
  HeadlessHost.RaisePriorityWorks = false;
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_STREQ(CartridgePath, rom.c_str());
  EXPECT_EQ(ReadLog().rfind("PAL Console\n", 0), 0u);  // no "Halvoren log file" first
  EXPECT_EQ(ShownLines, 240);
  EXPECT_EQ(CycleAdjust, -25);
  // A missing joystick is reported and start-up goes on.
  EXPECT_EQ(HeadlessHost.MessageBoxes, "Error!: Fail to initialize DirectInput\n");
  EXPECT_TRUE(LogHasInOrder({"Fail to initialize joystick\n", "Open:"}));
}

TEST_F(StartUpTest, FailuresEndStartUpWithTheDevicesClosed) {
  // The display: the user is shown why.
  HeadlessHost.FailDisplay = true;
  EXPECT_FALSE(StartUp(m(), options));
  EXPECT_NE(HeadlessHost.MessageBoxes.find("ERROR: "), std::string::npos);
  EXPECT_EQ(ReadLog().find("Open:"), std::string::npos);
  // A missing or unplayable cartridge is refused before any window opens.
  HeadlessHost.FailDisplay = false;
  InesImage unsupported;
  unsupported.Mapper = 9;
  const std::string nine = WriteFile("nine.nes", unsupported.Bytes());
  for (const std::string& config : {std::string("BOOT=absent.nes"), "BOOT=" + nine}) {
    std::ofstream(configPath) << config << "\nPLAYER1=K\n";
    const int shown = HeadlessHost.ShowScreenCalls;
    EXPECT_FALSE(StartUp(m(), options));
    EXPECT_TRUE(LogHasInOrder({"Open:", "Error reading ROM\n"}));
    EXPECT_EQ(HeadlessHost.ShowScreenCalls, shown) << "not even the splash";
    EXPECT_FALSE(HeadlessHost.DisplayOpen);
  }
}

// What a player would otherwise have to guess: no sound device, no keys configured.
TEST_F(StartUpTest, MissingSoundAndKeysAreShownInTheMessageArea) {
  std::ofstream(configPath) << "SOUND=M\n";  // a file without PLAYER1=: nobody has keys
  HeadlessWavPath = (dir / "no-such-folder" / "out.wav").string();
  ASSERT_TRUE(StartUp(m(), options));  // the game starts anyway, silent
  EXPECT_TRUE(LogHasInOrder(
      {"NES system palette initialized\n", "Fail to initialize Direct Sound\n", "Open:"}));
  EXPECT_TRUE(SoundFellBack);
  EXPECT_EQ(std::string(MessageAreaLine(2).Text, 31), "No sound device: playing silent");
  EXPECT_EQ(std::string(NewestMessage().Text, 43), "No keys: set PLAYER1=K in the configuration");
  ShutDown();
  HeadlessWavPath.clear();
}

}  // namespace

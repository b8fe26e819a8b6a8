#include "session/startup.h"

#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "frame/emulate_frame.h"
#include "headless/headless.h"
#include "headless/headless_audio.h"
#include "session/config.h"
#include "session/main_loop.h"
#include "session/message_area.h"
#include "session/run_frame.h"
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
  // X lights the dot under the A label (row 5, column 3 of the first name table).
  m().ResetCpu();
  for (int i = 0; i < 30; ++i) RunFrame(m(), 0);
  EXPECT_EQ(m().PpuMemory[0x20A3], 0x85);
  HeadlessPushKey(45, true);
  for (int i = 0; i < 10; ++i) RunFrame(m(), 0);
  EXPECT_EQ(m().PpuMemory[0x20A3], 0x84);
  // The main loop restarts the CPU; Esc, read by its first frame, ends it and shuts down.
  HeadlessPushKey(1, true);
  MainLoop(m());
  EXPECT_TRUE(LogHasInOrder({"Open:", "NMI Vector:", "Via ESC\n"}));
  EXPECT_FALSE(HeadlessHost.DisplayOpen);
  ShutDown();  // the window's destruction after Esc: harmless
}

TEST_F(StartUpTest, PalNoSoundAPriorityThatCannotBeRaisedAndACommandLineCartridge) {
  std::ofstream(configPath)
      << "VIDEO=P\nSOUND=N\nPLAYER1=K\nROMDIR=/nowhere\nBOOT=absent.nes\nIRQADJ=-03\n";
  const std::string rom = WriteFile("game.nes", InesImage{}.Bytes());
  options.RomPath = rom.c_str();
  HeadlessHost.RaisePriorityWorks = false;
  ASSERT_TRUE(StartUp(m(), options));
  EXPECT_EQ(CartridgePath, rom);
  EXPECT_EQ(ReadLog().rfind("PAL Console\n", 0), 0u);  // no "Halvoren log file" first
  EXPECT_EQ(std::tuple(ShownLines, CycleAdjust, m().IrqAdjust), std::tuple(240, -25, -3));
}

// A missing joystick was a dialog over a black window, and an Esc pressed to close it ended
// the game afterwards. It is a message now, and play starts at once: on the keyboard, unless
// another player has it.
TEST_F(StartUpTest, AMissingJoystickIsAMessageAndItsPlayerTakesAFreeKeyboard) {
  struct Case {
    const char* config;
    uint8_t player1, player2;
    const char* said;
  } cases[] = {
      {"PLAYER1=J\nKEYA=45\n", kDeviceKeyboard, kDeviceNone, "player 1 plays on the keyboard"},
      {"PLAYER1=N\nPLAYER2=J\nKEYA=45\n", kDeviceNone, kDeviceKeyboard,
       "player 2 plays on the keyboard"},
      {"PLAYER1=J\nPLAYER2=K\nKEYA=45\n", kDeviceJoystick, kDeviceKeyboard,
       "player 1 has no controller"},
  };
  for (const Case& c : cases) {
    HeadlessReset();
    std::ofstream(configPath) << c.config << "SOUND=N\n";
    testing::internal::CaptureStderr();
    ASSERT_TRUE(StartUp(m(), options));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(HeadlessHost.MessageBoxes, "") << c.config;
    EXPECT_NE(errors.find(std::string("J: ") + c.said), std::string::npos) << errors;
    const std::string shown(NewestMessage().Text, NewestMessage().Length);
    EXPECT_EQ(shown.rfind(std::string("No joystick: ") + c.said, 0), 0u) << shown;
    EXPECT_EQ(std::tuple(PlayerDevice[0], PlayerDevice[1]), std::tuple(c.player1, c.player2));
    EXPECT_TRUE(LogHasInOrder({"Fail to initialize joystick\n", "Open:"}));
    // X (45) presses A on the port of the player who took the keyboard.
    HeadlessPushKey(45, true);
    RunFrame(m(), 0);
    EXPECT_EQ(m().PadBits[c.player1 == kDeviceKeyboard ? 0 : 1], 0x01) << c.config;
    ShutDown();
  }
}

TEST_F(StartUpTest, FailuresEndStartUpWithTheDevicesClosed) {
  // The box and the log name the failure as the display device's code and name.
  HeadlessHost.FailDisplay = true;
  HeadlessHost.DisplayFailureStep = DisplayFailure::NoWindow;
  EXPECT_FALSE(StartUp(m(), options));
  EXPECT_EQ(HeadlessHost.MessageBoxes,
            "ERROR: Direct Draw Init Failed (88760078)\nDD_INVALIDMODE: no display\n");
  EXPECT_TRUE(LogHasInOrder({"no display\nDD_INVALIDMODE\n"}));
  EXPECT_FALSE(LogHasInOrder({"Open:"}));
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
  EXPECT_EQ(std::string(MessageAreaLine(2).Text, 31), "No sound device: playing silent");
  EXPECT_EQ(std::string(NewestMessage().Text, 43), "No keys: set PLAYER1=K in the configuration");
  ShutDown();
  HeadlessWavPath.clear();
}

}  // namespace

#include "host/config.h"

#include <fstream>
#include <string>

#include "host/settings.h"
#include "support/fixture.h"

namespace {

class ConfigTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    ResetConfiguration();
  }
  // Runs the file reader over `text` written verbatim.
  void ReadText(const std::string& text) {
    const std::string path = (dir / "Halvoren.CFG").string();
    std::ofstream(path, std::ios::binary) << text;
    ASSERT_TRUE(ReadConfiguration(path.c_str()));
  }
};

TEST_F(ConfigTest, KeyCodeForms) {
  ReadText("KEYA=5\nKEYB=05\nKEYUP=200\nKEYDOWN=208\nKEYLEFT=203\nKEYRIGHT=205\n"
           "KEYSELECT=54\nKEYSTART=28\nKEYTA=31\nKEYTB=30\n");
  // One digit is one less than written; two and three digits are taken as written.
  const uint8_t expected[10] = {200, 208, 203, 205, 54, 28, 4, 5, 31, 30};
  for (int slot = 0; slot < 10; ++slot) EXPECT_EQ(ConfigKeyCodes[slot], expected[slot]) << slot;
}

TEST_F(ConfigTest, TheEqualsSignOfKeyEntriesIsNotChecked) {
  ReadText("KEYA:45\nKEYUP 200\n");
  EXPECT_EQ(ConfigKeyCodes[6], 45);
  EXPECT_EQ(ConfigKeyCodes[0], 200);
}

TEST_F(ConfigTest, JoystickButtonsCountFromOne) {
  ReadText("JOYA=1\nJOYB=12\nJOYTA=3\nJOYTB=4\nSELECT=9\nSTART=10\n");
  const uint8_t expected[6] = {0, 11, 2, 3, 8, 9};
  for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(JoyButtonMap[slot], expected[slot]) << slot;
}

TEST_F(ConfigTest, IrqAdjustForms) {
  ReadText("IRQADJ=-12\n");
  EXPECT_EQ(IrqAdjust, -12);
  ReadText("IRQADJ=+7\n");
  EXPECT_EQ(IrqAdjust, 7);
  ReadText("IRQADJ=-123\n");
  EXPECT_EQ(IrqAdjust, -123);
  // The sign position holds the digit, so the value position is the end of the line.
  ReadText("IRQADJ=7\n");
  EXPECT_EQ(IrqAdjust, -48);
}

TEST_F(ConfigTest, SoundForms) {
  ReadText("SOUND=N\n");
  EXPECT_EQ(SoundOn, 0u);
  ReadText("SOUND=S\n");
  EXPECT_EQ(SoundOn, 1u);
  EXPECT_EQ(SoundStereo, 1u);
  ReadText("SOUND=N\nSOUND\n");  // the last line wins; a bare SOUND is on and mono
  EXPECT_EQ(SoundOn, 1u);
  EXPECT_EQ(SoundStereo, 0u);
}

TEST_F(ConfigTest, HardwareBuffersKeyHasALowerCaseF) {
  ReadText("HARDBUF=3\n");
  EXPECT_EQ(HardwareBuffers, 5u);
  ReadText("HARDBUf=3\n");
  EXPECT_EQ(HardwareBuffers, 3u);
}

TEST_F(ConfigTest, DigitsAndSwitches) {
  ReadText("FPS=5\nRES=2\nVIDEO=P\nRAPIDFIRE=3\nPLAYER1=K\nPLAYER2=J\nNamcoExt=N\n"
           "VRC6Ext=Y\n2XMODE=Y\nCOLOR=N\nCORE=C\nSLMODE=Y\n");
  EXPECT_EQ(FpsSetting, 2);  // (5 x 10) + (0 - '0')
  EXPECT_EQ(ResolutionCode, 2);
  EXPECT_EQ(PalConsole, 1u);
  EXPECT_EQ(RapidFireRate, 3);
  EXPECT_EQ(PlayerDevice[0], kDeviceKeyboard);
  EXPECT_EQ(PlayerDevice[1], kDeviceJoystick);
  EXPECT_EQ(NamcoExtension, 0u);
  EXPECT_EQ(Vrc6Extension, 1u);
  EXPECT_EQ(DoubleMode, 1u);
  EXPECT_EQ(Monochrome, 1u);
  EXPECT_EQ(UseMainCore, 1u);
  EXPECT_EQ(ScanlineMode, 0u);
  ReadText("VIDEO=X\nCORE=X\nPLAYER1=X\n");  // unknown letters leave the values
  EXPECT_EQ(PalConsole, 1u);
  EXPECT_EQ(UseMainCore, 1u);
  EXPECT_EQ(PlayerDevice[0], kDeviceKeyboard);
}

TEST_F(ConfigTest, CommentsLeadingBlanksAndLastLineWithoutLineFeed) {
  ReadText("; RES=2\n RES=2\nRES=3\r\nBOOT=game.nes\r\nROMDIR=roms");
  EXPECT_EQ(ResolutionCode, 3);
  EXPECT_STREQ(BootName, "game.nes");
  EXPECT_STREQ(RomDirectory, "roms");
}

TEST_F(ConfigTest, OverLongLinesAreCutAndTheirRestIsNotANewLine) {
  // 260 characters of ROMDIR value, then a key that would match if the rest became a line.
  ReadText("ROMDIR=" + std::string(250, 'd') + "RES=2\nBOOT=" + std::string(400, 'b') + "\n");
  EXPECT_EQ(std::string(RomDirectory), std::string(247, 'd'));
  EXPECT_EQ(ResolutionCode, 1);
  EXPECT_EQ(std::string(BootName), std::string(249, 'b'));
  BuildCartridgePath(nullptr);
  EXPECT_EQ(std::string(CartridgePath).size(), kTextValueSize - 1);
  EXPECT_EQ(ExtensionPosition, 251);
}

TEST_F(ConfigTest, CartridgePathJoinsDirectoryAndName) {
  ReadText("ROMDIR=/games\nBOOT=mario.nes\n");
  BuildCartridgePath(nullptr);
  EXPECT_STREQ(CartridgePath, "/games/mario.nes");
  EXPECT_EQ(ExtensionPosition, 13);
  RomDirectory[0] = 0;
  BuildCartridgePath(nullptr);
  EXPECT_STREQ(CartridgePath, "mario.nes");
  BuildCartridgePath("other/zelda.nes");
  EXPECT_STREQ(CartridgePath, "other/zelda.nes");
}

TEST_F(ConfigTest, MissingFileChangesNothing) {
  EXPECT_FALSE(ReadConfiguration((dir / "absent.CFG").string().c_str()));
  EXPECT_EQ(PlayerDevice[0], kDeviceNone);
  UseBuiltInConfiguration();
  EXPECT_EQ(PlayerDevice[0], kDeviceKeyboard);
  EXPECT_EQ(ConfigKeyCodes[0], 200);
  EXPECT_EQ(ConfigKeyCodes[6], 45);  // X is A
  EXPECT_EQ(BootName[0], 0);
}

}  // namespace

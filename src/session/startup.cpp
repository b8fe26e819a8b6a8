// The start-up order matters: the palette and key tables exist before the window, the sound
// output before the cartridge, and the cartridge before the first frame.
#include "session/startup.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "apu/expansion.h"
#include "apu/sound_buffers.h"
#include "cart/loader.h"
#include "core/globals.h"
#include "core/machine.h"
#include "core/settings.h"
#include "files/files.h"
#include "files/places.h"
#include "frame/emulate_frame.h"
#include "host/platform.h"
#include "log/log.h"
#include "ppu/palette.h"
#include "ppu/screen.h"
#include "session/config.h"
#include "session/demo_cartridge.h"
#include "session/message_area.h"
#include "session/pacing.h"
#include "session/pads.h"
#include "session/sound_output.h"
#include "state/battery.h"
#include "state/recording.h"

namespace {

const char* ConfigurationName = "";  // the file start-up read, for messages

// The splash: the program's name on the cleared screen while the cartridge loads.
void ShowSplash() {
  MainScreen.Fill(kScreenBlack);
  constexpr char kName[] = "HALVOREN";
  constexpr char kLine[] = "NES emulator";
  const int centreX = MainScreen.Width / 2;
  const int centreY = MainScreen.Height / 2;
  MainScreen.DrawText(centreX - 4 * kFontWidth, centreY - kFontHeight, kName);
  MainScreen.DrawText(centreX - 6 * kFontWidth, centreY + kFontHeight / 2, kLine, 0x21);
  PlatformShowScreen(MainScreen.Pixels.data(), MainScreen.Width, MainScreen.Height, SystemPalette);
}

void LogOpen() {
  LogText("Open:");
  LogText(CartridgePath, 30);
  LogText("\n");
}

uint8_t LoadNamedOrDemoCartridge(Machine& m, bool demo) {
  LogOpen();
  return demo ? LoadDemoCartridge(m) : m.LoadCartridge(CartridgePath);
}

bool RefuseCartridge(uint8_t code) {
  LogText("Error reading ROM\n");
  std::fprintf(stderr, "halvoren: %s: %s\n", CartridgePath, LoadFailureText(code).c_str());
  return false;
}

// Said at once instead of in a dialog: a dialog over the black window held up the start, and
// an Esc pressed to close it reached the game afterwards and ended it.
void TellJoystickMissing(int movedPlayer) {
  int player = movedPlayer;
  if (player < 0) player = PlayerDevice[0] == kDeviceJoystick ? 0 : 1;
  const std::string who = "player " + std::to_string(player + 1);
  const std::string result =
      movedPlayer >= 0 ? who + " plays on the keyboard" : who + " has no controller";
  std::fprintf(stderr, "halvoren: no joystick found for PLAYER%d=J: %s\n", player + 1,
               result.c_str());
  ShowPaddedMessage("No joystick: " + result);
}

// A player who gets no sound, no joystick or no keys is told why, on the screen and the
// terminal.
void TellWhatIsMissing(bool joystickMissing, int movedPlayer) {
  if (SoundFellBack) ShowPaddedMessage("No sound device: playing silent");
  if (joystickMissing) TellJoystickMissing(movedPlayer);
  if (PlayerDevice[0] == kDeviceNone && PlayerDevice[1] == kDeviceNone) {
    std::fprintf(stderr,
                 "halvoren: %s names no controller for either player "
                 "(PLAYER1=K plays on the keyboard)\n",
                 ConfigurationName);
    ShowPaddedMessage("No keys: set PLAYER1=K in the configuration");
  }
}

}  // namespace

bool SoundFellBack;
bool BatterySaveLost;

void SetConsoleConstants() {
  if (PalConsole)
    LogText("PAL Console\n");
  else
    LogText("NTSC Console\n");
  ResetFrameGlobals();
  CycleAdjust = PalConsole ? -25 : 0;
  BuildFrameTimes();
}

bool StartUp(Machine& m, const StartOptions& options) {
  SoundFellBack = false;
  BatterySaveLost = false;
  ConfigurationName = options.ConfigPath;
  LogStart();
  if (PlatformRaisePriority()) LogText("Halvoren log file\n");
  ResetConfiguration();
  const ConfigRead read = ReadConfiguration(options.ConfigPath);
  if (read == ConfigRead::Folder)
    std::fprintf(stderr, "halvoren: %s is a folder, not a configuration file: not read\n",
                 options.ConfigPath);
  if (read == ConfigRead::Refused)
    std::fprintf(stderr, "halvoren: %s: %s: not read\n", options.ConfigPath,
                 ConfigReadError.c_str());
  if (read != ConfigRead::Read) UseBuiltInConfiguration();
  m.IrqAdjust = IrqAdjustSetting;
  const bool demo = options.RomPath == nullptr && BootName[0] == 0;
  if (!BuildCartridgePath(demo ? kDemoCartridgeName : options.RomPath)) {
    LogText("Error reading ROM\n");
    std::fprintf(stderr, "halvoren: the cartridge path is longer than %zu characters\n",
                 kTextValueSize - 1);
    return false;
  }

  // No save may replace a file the run reads, whatever name it comes out under.
  ForgetRunInputs();
  ResetPlaces();
  if (read == ConfigRead::Read) NoteRunInput(options.ConfigPath, "the configuration file");
  if (!demo) NoteRunInput(CartridgePath, "the cartridge");

  // A cartridge that cannot be played is reported before any window opens.
  if (!demo) {
    const uint8_t problem = CheckCartridgeFile(CartridgePath);
    if (problem != kLoadOk) {
      LogOpen();
      return RefuseCartridge(problem);
    }
  }

  int width, height;
  ScreenSizeForResolution(ResolutionCode, width, height);
  MainScreen.Resize(width, height);
  SetConsoleConstants();
  FillKeyMaps();
  BuildKeyActionTables();
  BuildSystemPalette();
  LogText("NES system palette initialized\n");

  if (!PlatformOpenDisplay(width, height)) {
    ShutDown();
    return false;
  }
  bool joystickMissing = false;
  int movedPlayer = -1;
  if (PlayerDevice[0] == kDeviceJoystick || PlayerDevice[1] == kDeviceJoystick) {
    joystickMissing = !OpenJoystick();
    if (joystickMissing) movedPlayer = MoveJoystickPlayerToKeyboard();
  }
  // A missing or busy sound device never stops play: the game runs silent, as with SOUND=N.
  if (SoundOn && !OpenSound()) {
    LogText("Fail to initialize Direct Sound\n");
    std::fprintf(stderr, "halvoren: %s\n", kNoSoundMessage);
    SoundOn = 0;
    SoundFellBack = true;
  }
  ShowSplash();

  const uint8_t code = LoadNamedOrDemoCartridge(m, demo);
  if (code != kLoadOk) {
    ShutDown();
    return RefuseCartridge(code);
  }
  if (ImageBytesMissing)
    std::fprintf(stderr,
                 "halvoren: %s: %u bytes shorter than its header declares, played as zeros\n",
                 CartridgePath, ImageBytesMissing);
  CreateExpansionChannels(m);  // a failure leaves the chip silent, play goes on
  TellWhatIsMissing(joystickMissing, movedPlayer);
  LoadBatteryRam(m);
  PlatformPollEvents();
  return true;
}

void ShutDown() {
  if (!CloseStateFiles().empty()) BatterySaveLost = true;
  CloseSound();
  PlatformCloseDevices();
}

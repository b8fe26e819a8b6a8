// Every key stands at a fixed position from the first character of the line and its value at a
// fixed position after it; there is no tokenising, so "KEYA=5" and " KEYA=5" differ.
#include "session/config.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/globals.h"
#include "core/settings.h"
#include "files/files.h"

char RomDirectory[kTextValueSize];
char BootName[kTextValueSize];
char DisplayDevice[kTextValueSize];
uint8_t FpsSetting;
uint32_t ScanlineMode;
uint8_t RapidFireRate;
uint8_t PlayerDevice[2];
uint8_t ConfigKeyCodes[10];
uint8_t JoyButtonMap[6];
int ExtensionPosition;

namespace {

bool StartsWith(const char* line, const char* key) {
  return std::strncmp(line, key, std::strlen(key)) == 0;
}

// How many value characters stand at pos before the end of the line, up to three.
int ValueLength(const char* line, size_t pos) {
  int count = 0;
  while (count < 3 && line[pos + count] != 0) ++count;
  return count;
}

uint8_t Digit(const char* line, size_t pos) { return static_cast<uint8_t>(line[pos] - '0'); }

uint8_t TwoDigits(const char* line, size_t pos) {
  return static_cast<uint8_t>((line[pos] - '0') * 10 + (line[pos + 1] - '0'));
}

// Buttons are numbered from 1 in the file.
uint8_t JoystickButton(const char* line, size_t pos) {
  if (ValueLength(line, pos) < 2) return static_cast<uint8_t>(line[pos] - '1');
  return static_cast<uint8_t>((line[pos] - '0') * 10 + line[pos + 1] - '1');
}

// A one-character code is one less than written, so code 5 must be written "05".
int ThreeFormNumber(const char* line, size_t pos) {
  switch (ValueLength(line, pos)) {
    case 0:
    case 1:
      return line[pos] - '1';
    case 2:
      return (line[pos] - '0') * 10 + (line[pos + 1] - '0');
    default:
      return (line[pos] - '0') * 100 + (line[pos + 1] - '0') * 10 + (line[pos + 2] - '0');
  }
}

uint8_t KeyCode(const char* line, size_t pos) {
  return static_cast<uint8_t>(ThreeFormNumber(line, pos));
}

// IRQADJ digits read like key codes, except that a single digit is taken as written.
int16_t IrqAdjustValue(const char* line) {
  constexpr size_t kDigits = 8;
  int value =
      ValueLength(line, kDigits) <= 1 ? line[kDigits] - '0' : ThreeFormNumber(line, kDigits);
  if (line[7] == '-') value = -value;
  return static_cast<int16_t>(value);
}

void CopyText(char* dest, const char* line, size_t pos) {
  std::snprintf(dest, kTextValueSize, "%s", line + pos);
}

bool IsYes(const char* line, size_t pos) { return line[pos] == 'Y'; }

uint8_t PlayerDeviceValue(char c, uint8_t current) {
  switch (c) {
    case 'J':
      return kDeviceJoystick;
    case 'K':
      return kDeviceKeyboard;
    case 'N':
      return kDeviceNone;
    default:
      return current;
  }
}

void ApplySound(char mode) {
  SoundOn = 1;
  SoundStereo = mode == 'S' ? 1 : 0;
  if (mode == 'N') SoundOn = 0;
}

// Keys whose fifth-to-tenth character is not checked: prefix and value position.
struct KeyEntry {
  const char* Prefix;
  size_t ValuePos;
  uint8_t Slot;
};
constexpr KeyEntry kKeyEntries[] = {{"KEYUP", 6, 0},    {"KEYDOWN", 8, 1},    {"KEYLEFT", 8, 2},
                                    {"KEYRIGHT", 9, 3}, {"KEYSELECT", 10, 4}, {"KEYSTART", 9, 5},
                                    {"KEYA", 5, 6},     {"KEYB", 5, 7},       {"KEYTA", 6, 8},
                                    {"KEYTB", 6, 9}};

struct ButtonEntry {
  const char* Key;
  uint8_t Slot;
};
constexpr ButtonEntry kButtonEntries[] = {{"JOYA=", 0},  {"JOYB=", 1},   {"JOYTA=", 2},
                                          {"JOYTB=", 3}, {"SELECT=", 4}, {"START=", 5}};

void ApplyKeyAndButtonLines(const char* line) {
  for (const KeyEntry& entry : kKeyEntries)
    if (StartsWith(line, entry.Prefix)) ConfigKeyCodes[entry.Slot] = KeyCode(line, entry.ValuePos);
  for (const ButtonEntry& entry : kButtonEntries)
    if (StartsWith(line, entry.Key))
      JoyButtonMap[entry.Slot] = JoystickButton(line, std::strlen(entry.Key));
}

// Reads one line into a zero-filled buffer; false once the file is exhausted with nothing read.
bool ReadLine(FILE* file, char (&line)[kConfigLineLength + 1]) {
  std::memset(line, 0, sizeof line);
  size_t length = 0;
  int c;
  bool any = false;
  while ((c = std::fgetc(file)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (length < kConfigLineLength) line[length++] = static_cast<char>(c);
  }
  // A file saved with Windows line ends must read the same as on the system it comes from.
  if (length > 0 && line[length - 1] == '\r') line[--length] = 0;
  return any;
}

}  // namespace

void ResetConfiguration() {
  ResetSettings();
  RomDirectory[0] = BootName[0] = DisplayDevice[0] = 0;
  FpsSetting = 50;
  ScanlineMode = 0;
  RapidFireRate = 0;
  PlayerDevice[0] = PlayerDevice[1] = kDeviceNone;
  std::memset(ConfigKeyCodes, 0, sizeof ConfigKeyCodes);
  std::memset(JoyButtonMap, 0, sizeof JoyButtonMap);
  UseMainCore = ExactMode = 0;
}

void ApplyConfigLine(const char* line) {
  if (line[0] == ';') return;
  if (StartsWith(line, "SLMODE=")) ScanlineMode = 0;
  if (StartsWith(line, "DDEVICE")) CopyText(DisplayDevice, line, 8);
  if (StartsWith(line, "ROMDIR=")) CopyText(RomDirectory, line, 7);
  if (StartsWith(line, "FPS=")) FpsSetting = TwoDigits(line, 4);
  if (StartsWith(line, "RES=")) ResolutionCode = Digit(line, 4);
  if (StartsWith(line, "VIDEO=")) {
    if (line[6] == 'N') PalConsole = 0;
    if (line[6] == 'P') PalConsole = 1;
  }
  if (StartsWith(line, "BOOT=")) CopyText(BootName, line, 5);
  if (StartsWith(line, "RAPIDFIRE=")) RapidFireRate = Digit(line, 10);
  if (StartsWith(line, "SOUND")) ApplySound(line[6]);
  if (StartsWith(line, "PLAYER1=")) PlayerDevice[0] = PlayerDeviceValue(line[8], PlayerDevice[0]);
  if (StartsWith(line, "PLAYER2=")) PlayerDevice[1] = PlayerDeviceValue(line[8], PlayerDevice[1]);
  ApplyKeyAndButtonLines(line);
  if (StartsWith(line, "NamcoExt")) NamcoExtension = IsYes(line, 9);
  if (StartsWith(line, "VRC6Ext")) Vrc6Extension = IsYes(line, 8);
  if (StartsWith(line, "2XMODE=")) DoubleMode = IsYes(line, 7);
  if (StartsWith(line, "COLOR=")) Monochrome = IsYes(line, 6) ? 0 : 1;
  if (StartsWith(line, "HARDBUf")) HardwareBuffers = static_cast<uint32_t>(line[8] - '0');
  if (StartsWith(line, "CORE=")) {
    // C the main core, A the alternate one, X the exact mode; anything else keeps the choice.
    if (line[5] == 'C' || line[5] == 'A' || line[5] == 'X') {
      UseMainCore = line[5] == 'C';
      ExactMode = line[5] == 'X';
    }
  }
  if (StartsWith(line, "IRQADJ")) IrqAdjustSetting = IrqAdjustValue(line);
}

std::string ConfigReadError;

ConfigRead ReadConfiguration(const char* path) {
  std::vector<uint8_t> bytes;
  ConfigReadError = ReadWholeFile(path, bytes, kLargestConfiguration);
  if (ConfigReadError == std::strerror(ENOENT)) return ConfigRead::Missing;
  // A folder would read as an empty file: no controls, no cartridge.
  if (ConfigReadError == "is a folder") return ConfigRead::Folder;
  if (!ConfigReadError.empty()) return ConfigRead::Refused;
  if (bytes.empty()) bytes.push_back('\n');  // fmemopen refuses an empty buffer
  FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  if (!file) return ConfigRead::Missing;
  char line[kConfigLineLength + 1];
  while (ReadLine(file, line)) ApplyConfigLine(line);
  std::fclose(file);
  return ConfigRead::Read;
}

namespace {
// Copies up to a zero or a byte of value 19; false when the path buffer cannot hold it all.
bool AppendPathPart(size_t& length, const char* part) {
  for (size_t i = 0; part[i] != 0 && part[i] != 19; ++i) {
    if (length >= kTextValueSize - 1) return false;
    CartridgePath[length++] = part[i];
  }
  return true;
}
}  // namespace

bool BuildCartridgePath(const char* commandLinePath) {
  std::memset(CartridgePath, 0, sizeof CartridgePath);
  size_t length = 0;
  bool whole;
  if (commandLinePath) {
    whole = std::strlen(commandLinePath) < kTextValueSize;
    if (whole) length = std::strlen(std::strcpy(CartridgePath, commandLinePath));
  } else {
    whole = AppendPathPart(length, RomDirectory) && (length == 0 || AppendPathPart(length, "/")) &&
            AppendPathPart(length, BootName);
  }
  // A cut path may name another file, which would then be played without a word.
  if (!whole) {
    std::memset(CartridgePath, 0, sizeof CartridgePath);
    length = 0;
  }
  ExtensionPosition = static_cast<int>(length) - 3;
  return whole;
}

void UseBuiltInConfiguration() {
  PlayerDevice[0] = kDeviceKeyboard;
  // Up, Down, Left, Right, Right Shift, Enter, X, Z, S, A as DirectInput codes.
  constexpr uint8_t kKeys[10] = {200, 208, 203, 205, 54, 28, 45, 44, 31, 30};
  std::memcpy(ConfigKeyCodes, kKeys, sizeof kKeys);
  // A turbo press every 256 frames (the file's default) would look broken to a new player.
  RapidFireRate = 3;
}

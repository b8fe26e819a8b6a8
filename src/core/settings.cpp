#include "core/settings.h"

uint32_t SoundOn;
uint32_t SoundStereo;
uint32_t HardwareBuffers;
uint32_t NamcoExtension;
uint32_t Vrc6Extension;
uint32_t Monochrome;
uint32_t DoubleMode;
uint32_t PalConsole;
uint8_t ResolutionCode;
int16_t IrqAdjustSetting;
uint32_t Windowed;  // from the command line: the configuration's reset leaves it
char CartridgePath[kCartridgePathSize];  // built by the configuration; its reset leaves it

void ResetSettings() {
  SoundOn = 1;
  SoundStereo = 0;
  HardwareBuffers = 5;
  NamcoExtension = 1;
  Vrc6Extension = 1;
  Monochrome = 0;
  DoubleMode = 0;
  PalConsole = 0;
  ResolutionCode = 1;
  IrqAdjustSetting = 0;
}

namespace {
// Defaults hold from program start, before any configuration is read.
struct ApplyDefaults {
  ApplyDefaults() { ResetSettings(); }
} applyDefaults;
}  // namespace

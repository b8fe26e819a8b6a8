// Settings read from the configuration file that several subsystems consult. The
// configuration reader fills them once at start-up; the values here are the defaults. The
// session's, so plain globals.
#pragma once

#include <cstddef>
#include <cstdint>

extern uint32_t SoundOn;          // any SOUND line turns it on; SOUND=N turns it off
extern uint32_t SoundStereo;      // SOUND=S
extern uint32_t HardwareBuffers;  // HARDBUf=, kept though no host here has hardware buffers
extern uint32_t NamcoExtension;   // NamcoExt=Y
extern uint32_t Vrc6Extension;    // VRC6Ext=Y
extern uint32_t Monochrome;       // COLOR= anything but Y
extern uint32_t DoubleMode;       // 2XMODE=Y
extern uint32_t PalConsole;       // VIDEO=P
extern uint8_t ResolutionCode;    // RES= digit: 2 800x600, 3 1024x768, else 640x480
extern int16_t IrqAdjustSetting;  // IRQADJ=, the Machine's IrqAdjust at start-up
extern uint32_t Windowed;         // --windowed: a resizable window instead of full screen

// The cartridge being run, as the configuration or the command line named it; the state,
// recording and battery file names are derived from it.
constexpr size_t kCartridgePathSize = 255;
extern char CartridgePath[kCartridgePathSize];

void ResetSettings();

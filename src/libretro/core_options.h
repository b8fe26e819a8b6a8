// The core's options as a libretro front-end shows them, and the settings they turn into.
#pragma once

#include <libretro.h>

#include <cstdint>

struct CoreOptions {
  uint32_t MainCore = 0;  // the program's default is the alternate interpreter
  uint32_t Exact = 0;     // the exact mode
  int16_t IrqAdjust = 0;
  uint32_t Vrc6Sound = 1;
  uint32_t NamcoSound = 1;
  uint32_t Grey = 0;
  uint32_t Pal = 0;
};

// Announces the options (the v1 interface, or the old variables where that is refused).
void DeclareCoreOptions(retro_environment_t environment);
// The options as the front-end holds them now; an option it does not answer keeps its default.
CoreOptions ReadCoreOptions(retro_environment_t environment);
// True when the front-end says an option changed since the last read.
bool CoreOptionsChanged(retro_environment_t environment);

#include "apu/channels.h"
#include "core/globals.h"
#include "core/settings.h"
#include "frame/emulate_frame.h"

int ShownLines = 232;

void ResetFrameGlobals() { ShownLines = PalConsole ? 240 : 232; }

void ResetEmulation() {
  ResetGlobals();
  ResetSoundState();
  ResetFrameGlobals();  // after the settings: PalConsole chooses the lines shown
}

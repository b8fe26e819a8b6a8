#include "frame/emulate_frame.h"
#include "core/settings.h"

int ShownLines = 232;

void ResetFrameGlobals() { ShownLines = PalConsole ? 240 : 232; }

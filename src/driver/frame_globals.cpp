#include "driver/run_frame.h"
#include "host/settings.h"

int ShownLines = 232;

void ResetFrameGlobals() { ShownLines = PalConsole ? 240 : 232; }

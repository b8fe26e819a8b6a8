// SDL-only controls of the desktop host, set from the command line.
#pragma once

#include <cstdint>

// Test aid: after this many frames' event polls the host posts a window-close event, as if
// the user had closed the window. 0 = never.
void SdlQuitAfterFrames(uint32_t frames);

// Ends the SDL library at program exit, after the devices are shut down.
void SdlQuit();

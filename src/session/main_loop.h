#pragma once

#include <cstdint>

struct Machine;

// One frame of the player's loop: a remembered frame, or while Backspace is held one frame
// back; at the oldest kept frame the picture holds and only the keys are read, so the release,
// Esc and every hot key still act. True when the screen has something new to show.
bool RunPlayerFrame(Machine& m, uint32_t skipRender);

// Resets the CPU and runs paced frames until the window is closed (Esc, the window's close
// button, a halted CPU); then shuts the host down and returns.
void MainLoop(Machine& m);

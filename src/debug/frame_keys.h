// Hot keys read at the start of every running frame.
#pragma once

struct Machine;

// Reads the frame's keyboard records; each one's hot-key action comes first, then it drives
// the controllers. Esc (on any event) shuts the host down and asks the window to close.
void HandleFrameKeys(Machine& m);

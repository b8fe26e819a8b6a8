#pragma once

struct Machine;

// Resets the CPU and runs paced frames until the window is closed (Esc, the window's close
// button, a halted CPU); then shuts the host down and returns.
void MainLoop(Machine& m);

// Per-scanline IRQ counters of the cartridge boards. The registers that load them belong to
// the boards; the counting and firing rules live here, stepped by the frame loop.
#pragma once

struct Machine;

// Every scanline (0-261), before anything else happens on the line.
void StepCountersA(Machine& m, int line);
// Visible scanlines (0-239) only, before the CPU runs the line.
void StepCountersB(Machine& m);

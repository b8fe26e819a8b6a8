// The exact mode's frame, beside the described one (frame/emulate_frame.h chooses it).
#pragma once

struct Machine;

// The 262 lines with the hardware's vertical blank: the flag and the NMI on line 241, the
// status flags cleared on line 261; the APU's sequencer and IRQs stepped a line at a time; the
// picture lines of the exact PPU, in drawn and skipped frames alike.
void EmulateFrameExact(Machine& m, bool draw);
// Picture line `line` (0-239) of the exact mode after its CPU time, drawn or not.
void ExactPictureLine(Machine& m, int line, bool draw);

// One line of CPU time, as the described frame runs it (frame/emulate_frame.cpp).
void RunCpuLine(Machine& m);

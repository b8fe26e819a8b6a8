// One video frame, scanline by scanline: the only place where CPU time, picture, interrupts
// and the cartridge counters are interleaved, so its order is the console's timing model.
#pragma once

#include <cstdint>

struct Machine;

constexpr int TotalLines = 262;
constexpr int VisibleLines = 240;  // lines 0-239 carry the picture
constexpr int VblankLine = 243;    // the vertical-blank flag is set and the NMI taken here

// Of the visible lines, how many are rendered; the rest are painted black. 232 on the NTSC
// console, 240 on PAL; a hot key flips it.
extern int ShownLines;

// Puts the frame-loop globals back to their start values (ShownLines from PalConsole).
void ResetFrameGlobals();

// Emulates one frame; with skipRender set nothing is drawn and the screen keeps its picture.
void RunFrame(Machine& m, uint32_t skipRender);

// The picture the machine's next frame starts from, drawn from the video memory and registers
// as they stand (no CPU time: a picture split mid-frame shows its top part's settings all the
// way down) and presented on the screen; the machine is left as it was. A state loaded while
// paused is shown this way, without running a frame of it.
void RedrawPicture(Machine& m);

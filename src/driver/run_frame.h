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

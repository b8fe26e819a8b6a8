// One video frame, scanline by scanline: the only place where CPU time, picture, interrupts
// and the cartridge counters are interleaved, so its order is the console's timing model.
// Nothing here reads keys, files or the host: the session (session/run_frame.h) wraps a frame
// with those, and any other front end can drive the machine through these calls alone.
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
// Puts everything emulated outside the Machine back to its program-start value: the core's
// globals and settings, the sound channels and the frame loop's globals.
void ResetEmulation();

// The frame's first steps, before its buttons are read: sprite 0 armed, the base layer filled
// when the frame is drawn, the pattern cache rebuilt if the tables were written.
void PrepareFrame(Machine& m, bool draw);
// The rest of the frame: its sound, then the 262 scanlines with their counters, CPU time,
// rendering (or, undrawn, the sprite approximation) and vertical blank; a drawn frame is
// presented into the screen. The mixed sound is left for the caller (TakeMixedSound).
void EmulateFrame(Machine& m, bool draw);

// The picture the machine's next frame starts from, drawn from the video memory and registers
// as they stand (no CPU time) and presented on the screen. Rendering moves the scroll and the
// status bits, so the caller puts the machine back afterwards.
void DrawStandingPicture(Machine& m);

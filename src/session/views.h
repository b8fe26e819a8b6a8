// The four debugger views, drawn onto the screen around the picture at fixed places laid out
// for a 640 x 480 screen (larger screens show them whole, smaller ones clip them). Each draws
// when its switch is on; switched off, it erases its area once and then does nothing.
#pragma once

#include <cstdint>

struct Machine;

// The 512 decoded tiles, 32 to a row, at (304, 320); drawn only when its key is pressed.
void PatternView(const Machine& m);
// The 32 palette entries as two strips of 16 bars at (16, 320).
void PaletteView(const Machine& m);
// One 256-byte page of the CPU address space in hex at (304, 32). Reads through the CPU bus,
// so showing a page with device registers has a CPU read's side effects.
void RamPageView(Machine& m);
// The four registers of one APU channel as bits at (568, 320).
void ApuView(const Machine& m);

// Start of every frame: the RAM page view every 128 frames, the palette every 32, the APU
// view every 64, by FrameCount.
void RefreshViews(Machine& m);

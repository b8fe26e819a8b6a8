// The two picture layers a frame is drawn into, and the presentation that composes them onto
// the screen. Both layers hold NES colour numbers (0-63), one byte per pixel.
#pragma once

#include <cstdint>

#include "core/picture_caches.h"  // the picture's size

struct Machine;

constexpr int kPictureLeft = 16;  // where the picture sits on the screen
constexpr int kPictureTop = 16;

// The layers are the frame's output, the host's to show, not console state: beside the
// Machine, where presentation, the views and the screenshots find them.
// Background pixels with the front sprites over them. Not cleared between frames: a line the
// renderer skips keeps the previous frame's row.
extern uint8_t BackgroundLayer[kPictureWidth * kPictureHeight];
// Backdrop colour at frame start, with the behind-background sprites drawn into it.
extern uint8_t BaseLayer[kPictureWidth * kPictureHeight];

// Frame start: the whole base layer becomes the backdrop colour.
void FillBaseLayer(uint8_t backdrop);
// The same, as a drawn frame does it: only rows that take a behind-background sprite need the
// colour in their bytes (BaseRowFill, MarkBaseRow); the others are shown as the backdrop
// without being filled.
void StartBaseLayer(uint8_t backdrop);
// For the renderer: the colour base row `y` is to be filled with before anything is drawn into
// it, or -1 when it holds its pixels already.
int BaseRowFill(int y);
// Row `y` now holds its own pixels.
void MarkBaseRow(int y);

// Vertical-blank line of a drawn frame: lays the background layer over the base layer, with
// pixels of the current backdrop colour ($3F00 now, which may differ from the frame start)
// left transparent, and copies the result to (16, 16) of MainScreen.
void PresentFrame(const Machine& m);

// 64-bit FNV-1a over the 256 x 240 colour numbers shown at (16, 16) of MainScreen: stable
// across builds and hosts, enough to tell pictures apart (the runner's --hash, the tests).
uint64_t ShownPictureHash();

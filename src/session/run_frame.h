// The session's frame: one emulated frame (frame/emulate_frame.h) with what the desktop and the
// runner add around it, in the console's order: the views' refresh and the pause, the hot
// keys, the pads, recording and playback, rewind's buttons, battery writes, and the frame's
// sound queued on the host.
#pragma once

#include <cstdint>

struct Machine;

// Emulates one frame; with skipRender set nothing is drawn and the screen keeps its picture.
void RunFrame(Machine& m, uint32_t skipRender);

// The picture the machine's next frame starts from, drawn from the video memory and registers
// as they stand (no CPU time: a picture split mid-frame shows its top part's settings all the
// way down) and presented on the screen; the machine is left as it was. A state loaded while
// paused is shown this way, without running a frame of it.
void RedrawPicture(Machine& m);

// A normal frame, remembered for rewind: the state it starts from, then the frame, then its
// buttons.
void RunRememberedFrame(Machine& m, uint32_t skipRender);
// Steps back one frame and draws it; false (nothing changed) when no older frame is kept.
bool RewindStep(Machine& m);

// Puts every global of every layer back to its program-start value (tests, and a fresh run),
// the run's protected inputs forgotten too.
void ResetSession();

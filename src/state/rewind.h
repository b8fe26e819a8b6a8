// Rewind: the last half minute of play kept in memory as compressed snapshots of the Machine,
// one per frame, with the buttons each frame was played with. Stepping back loads the state a frame
// started from and plays that frame again with its buttons, so the picture shown is that
// frame's. State slots stay as they are; an open recording is cut back with each step, so
// that it always plays back to the frame shown.
#pragma once

#include <cstddef>
#include <cstdint>

struct Machine;

constexpr uint32_t kRewindFrames = 30 * 60;               // the most frames kept
constexpr size_t kRewindMemoryLimit = 64u * 1024 * 1024;  // and the most bytes they take

// A normal frame is remembered around its running (RunRememberedFrame, session/run_frame.h):
// the state it starts from before it, its buttons after it.
void RememberFrameStart(Machine& m);
void RememberFramePads(const Machine& m);

// Loads the state the frame before the one on screen started from, with its buttons ready to
// be played again, and cuts an open recording back to it; false (nothing changed) when no
// older frame is kept. The history's bound counts the heap it holds, whole buffers included.
bool RewindLoadPrevious(Machine& m);
// Set while the loaded frame is played again (RewindStep, session/run_frame.h).
void SetRewindReplaying(bool replaying);

// True while a frame is being played again: its buttons come from the history, and a
// recording in progress does not take it (the step has already cut it back to that frame).
bool RewindReplaying();
// The buttons of the frame being played again.
void ApplyRewindPads(Machine& m);

size_t RewindFramesKept();
size_t RewindBytesKept();
// Forgets everything (a new cartridge, a loaded state, tests).
void ResetRewind();

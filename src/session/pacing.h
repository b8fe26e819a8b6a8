// Frame pacing: 60 frames per second against a millisecond clock, on a schedule that restarts
// every second so that rounding never accumulates. Late frames are emulated without drawing.
#pragma once

#include <cstdint>

#include "apu/sound_buffers.h"
#include "core/globals.h"

// Held keys of the player: frames run unpaced (and mostly undrawn, sound muted) while
// FastForward is set; the host steps back through recent frames while RewindHeld is set.
extern uint32_t FastForward;
extern uint32_t RewindHeld;
constexpr int kFastForwardDrawEvery = 4;  // one frame in this many is drawn

// Entry i: milliseconds from the start of a second by which frame i of that second is due.
extern uint16_t FrameTimes[60];
void BuildFrameTimes();

// Waits until `due` ms after `base`, sleeping while more than 2 ms remain so an idle emulator
// does not burn a core; returns the last time sampled.
template <class Host>
uint32_t WaitUntil(Host& host, uint32_t base, uint32_t due) {
  uint32_t now = host.TimeMs();
  while (now - base < due) {
    if (due - (now - base) > 2) host.SleepMs(1);
    now = host.TimeMs();
  }
  return now;
}

// The endless loop of frames, until the host reports the window closed. Host provides
// TimeMs(), SleepMs(ms), RunFrame(skipRender), HandlePausedKeys() and PollEvents(); the real
// one wraps the platform, tests pass a fake clock.
template <class Host>
void RunPacedFrames(Host& host) {
  uint32_t base = host.TimeMs();
  uint32_t now = host.TimeMs();
  int i = 0;
  uint32_t fastFrames = 0;
  for (;;) {
    if (Paused != 0 && StepCount == 0) {
      while (Paused != 0 && StepCount == 0) {
        host.HandlePausedKeys();
        if (!host.PollEvents()) return;
        host.SleepMs(1);
      }
      // The schedule starts afresh, so the frame that resumes or steps is on time: a step
      // the player waits to see is drawn, never taken for a late frame.
      base = now = host.TimeMs();
      i = 0;
    }
    if (FastForward) {
      SoundMuted = 1;
      host.RunFrame(fastFrames++ % kFastForwardDrawEvery == 0 ? 0 : 1);
      // The schedule starts afresh when the key is let go.
      base = now = host.TimeMs();
      i = 0;
      if (!host.PollEvents()) return;
      continue;
    }
    SoundMuted = 0;
    // The decision uses the time sampled after the previous frame and its wait. Frames
    // stepped while paused are always drawn: the last one stays on screen.
    if (now - base > FrameTimes[i] && Paused == 0) {
      host.RunFrame(1);
      now = host.TimeMs();
    } else {
      host.RunFrame(0);
      // A drawn frame ends 4 ms before its due time, so a late wake-up does not make the next
      // frame late.
      now = WaitUntil(host, base, FrameTimes[i] - 4u);
    }
    if (++i == 60) {
      now = WaitUntil(host, base, FrameTimes[59]);
      base += 1000;
      i = 0;
    }
    if (!host.PollEvents()) return;
  }
}

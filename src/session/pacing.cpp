#include "session/pacing.h"

uint16_t FrameTimes[60];
uint32_t FastForward;
uint32_t RewindHeld;

// The same 60 per second for the NTSC and the PAL console.
void BuildFrameTimes() {
  for (int i = 0; i < 60; ++i) FrameTimes[i] = static_cast<uint16_t>((i + 1) * 1000 / 60);
}

// What the portable code needs from a host. Two implementations exist, chosen at link time:
// host/sdl (the desktop program) and host/headless (tests, benchmarks, the runner).
#pragma once

#include <cstddef>
#include <cstdint>

struct PaletteEntry {
  uint8_t Red, Green, Blue;
};

// A buffered keyboard record: a DirectInput key code and pressed (bit 7 of Data) or released.
struct KeyEvent {
  uint8_t KeyCode;
  uint8_t Data;
};

// Milliseconds, wrapping at 32 bits.
uint32_t PlatformTimeMs();
void PlatformSleepMs(uint32_t ms);

// Shows the 8-bit screen through the 256-entry palette.
void PlatformShowScreen(const uint8_t* pixels, int width, int height, const PaletteEntry* palette);

// The host's audio output: 22050 Hz, 16-bit, mono or interleaved stereo. Open returns false
// when the host has no usable audio.
bool PlatformOpenAudio(bool stereo);
void PlatformCloseAudio();
// One frame of mixed sound: `frames` samples per channel, interleaved when stereo.
void PlatformQueueAudio(const int16_t* samples, size_t frames, bool stereo);

// Up to `max` keyboard records since the last call; returns how many were written.
int PlatformReadKeyEvents(KeyEvent* records, int max);

// One poll of the host's events per frame; false once the window has been closed.
bool PlatformPollEvents();

void PlatformMessageBox(const char* text, const char* caption);

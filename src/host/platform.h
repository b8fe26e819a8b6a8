// What the portable code needs from a host. Two implementations exist, chosen at link time:
// sdl (the desktop program) and headless (tests, benchmarks, the runner).
#pragma once

#include <cstddef>
#include <cstdint>

#include "ppu/palette.h"  // PaletteEntry

// A buffered keyboard record: a DirectInput key code and pressed (bit 7 of Data) or released.
struct KeyEvent {
  uint8_t KeyCode;
  uint8_t Data;
};

// The joystick as one state record: axes 0 and 1 in 0..65535 (centre 32768), buttons 0x80 / 0.
struct JoystickState {
  int32_t X, Y;
  uint8_t Buttons[32];
};

// Start-up and shut-down of the devices. OpenDisplay opens the window (width x height screen)
// and the keyboard, logging each step; on failure it has shown the reason in a message box.
bool PlatformRaisePriority();
bool PlatformOpenDisplay(int width, int height);
bool PlatformOpenJoystick();
// Releases the window, keyboard and joystick; harmless when nothing is open.
void PlatformCloseDevices();

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

// Up to `max` keyboard records since the last call; returns how many were written, or a
// negative number when the keyboard could not be read.
int PlatformReadKeyEvents(KeyEvent* records, int max);

// False when the joystick could not be read; the state is then untouched.
bool PlatformReadJoystick(JoystickState* state);

// Every connected controller the host recognises as a gamepad, other than the joystick opened
// for a player set to J, as player 1's port bits ORed together. False when none is connected.
bool PlatformReadGamepad(uint8_t* padBits);

// One poll of the host's events per frame; false once the window has been closed or a close
// was requested.
bool PlatformPollEvents();
// Asks the window to close: the next PlatformPollEvents returns false.
void PlatformRequestClose();

void PlatformMessageBox(const char* text, const char* caption);

// Start-up and shut-down of the program: configuration, console constants, devices, cartridge.
#pragma once

struct Machine;

struct StartOptions {
  const char* ConfigPath = "Halvoren.CFG";
  const char* RomPath = nullptr;  // replaces ROMDIR and BOOT when given
};

// The name the built-in demo runs under; the state and recording files are named after it.
constexpr char kDemoCartridgeName[] = "halvoren-demo.nes";

// Everything up to the loaded cartridge, in order. False when a step failed: the reason is
// logged (and shown where the user must see it) and the devices are already shut down.
bool StartUp(Machine& m, const StartOptions& options);

// Said on standard error (and in the message area) when start-up found no sound device.
constexpr char kNoSoundMessage[] = "no sound device could be opened: playing without sound";
// Set by StartUp when the sound device could not be opened and the game plays silent.
extern bool SoundFellBack;

// Set by ShutDown when the last battery write failed: the program then ends with status 1.
extern bool BatterySaveLost;

// Closes the recording and writes battery RAM, then releases the sound output and the window,
// keyboard and joystick. Esc, the window's destruction (also a SIGINT, SIGTERM or SIGHUP, which
// SDL turns into it), a start-up failure and a halted CPU all run it; a second run does nothing.
void ShutDown();

// NTSC or PAL from the configuration: lines shown, CPU budget, frame schedule.
void SetConsoleConstants();

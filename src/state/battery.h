// Battery-backed cartridge RAM ($6000-$7FFF) kept in GAME.SAV beside the image.
#pragma once

#include <string>

struct Machine;

constexpr int kBatteryRamSize = 0x2000;
// Frames between checks for changed RAM (about three seconds): at most that much play is
// lost when the program is killed.
constexpr int kBatteryCheckFrames = 180;

// At start-up, after the cartridge loaded: when its header has the battery bit, loads
// GAME.SAV (if there is one) and keeps `m` for the later saves. Problems are shown.
void LoadBatteryRam(Machine& m);

// Once per frame: every kBatteryCheckFrames frames, writes the RAM if it changed.
void BatteryFrameStep();

// Writes the RAM if it changed since it was loaded or last written; an empty text when
// nothing had to be written or the write succeeded, else why it failed. A file that was
// present but not loaded is first moved aside. `last`: the write at the program's end, whose
// failure is always reported.
std::string SaveBatteryRam(bool last = false);

// Program-start state: no battery RAM kept (tests).
void ResetBattery();

// Plain globals: cartridge facts set by the loader, CPU settings, and run-wide switches. What a
// frame's emulation carries from frame to frame is the Machine's (core/machine.h); these are
// the session's: facts of the cartridge loaded, settings, and counts the run keeps.
#pragma once

#include <cstdint>

struct Machine;

// Cartridge description (cart/loader.cpp): one cartridge per run, so facts of the session.
// The mirroring flags, which mapper writes change, are the Machine's.
extern uint32_t PrgBankCount;
extern uint32_t ChrBankCount;
extern uint32_t SramEnable;
extern uint32_t TrainerPresent;
extern uint8_t MapperNumber;

// CPU settings and the run's CPU facts (core/cpu*.cpp, core/interrupts.cpp): the main core's
// cycle adjustment and the core chosen (configuration, hot keys), the halt that ends the run,
// frames counted since start (never rewound or loaded), the trace's digits.
extern int16_t CycleAdjust;
extern uint32_t UseMainCore;
// The exact mode (CORE=X, --core exact): the console as the hardware behaves, beside the
// described timing. Off by default; when on, the CPU, sound and picture take their exact paths.
extern uint32_t ExactMode;
extern uint32_t CpuHalted;
extern uint16_t FirstHaltAddress;  // where the CPU first halted, and on which opcode
extern uint8_t FirstHaltOpcode;
extern uint32_t FrameCount;
extern char HexDigits[16];
// Idle-loop skip (core/cpu.cpp): a run's switch and its instruments, not console state (a
// console run with and without the skip must come out the same).
// On unless a run asks to interpret every pass; counting loops follow it too.
extern uint32_t IdleSkip;
// Counts bus accesses that changed something: every write outside work RAM, a work-RAM write
// of a new value, and the device reads with side effects. A loop pass that leaves it (and
// everything else) unchanged can be repeated without being interpreted.
extern uint32_t BusEffects;
// Loop passes charged without being interpreted, since program start (tests, the bench).
extern uint64_t IdlePassesSkipped;
// Counting-loop passes charged at once instead of interpreted (the same uses).
extern uint64_t CountedPasses;
// The loop start whose passes last changed something, and (from bit 24) for how many more runs
// the idle check leaves it alone. Only decides which jumps are checked, never what a run does.
extern uint32_t BusyLoopHint;

// Debugger state read by the frame loop: the session's.
extern uint8_t SaveSlot;
extern uint32_t Paused;
extern uint32_t StepCount;

// Puts the globals above and the settings back to their program-start values. Each layer
// resets only its own state; ResetEmulation (frame/) and ResetSession (session/) gather them.
// The Machine starts at its own values (a fresh one is zero but for its member initialisers).
void ResetGlobals();

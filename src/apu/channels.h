// The per-frame synthesis of the five console sound channels. Their state is the Machine's
// (core/sound_state.h) and lives for the whole run; a CPU reset does not touch it. Each
// Run*Frame reads the channel's registers from CpuMemory and writes one frame of samples into
// its ring buffer at WritePosition.
// The frame as a whole is Machine::RunSoundFrame (core/machine.h, apu/sound_frame.cpp): a
// member because the delta channel fetches its sample from CpuMemory and writes its level
// back to $4011. It does nothing while the sound output is closed.
#pragma once

#include <cstdint>

#include "core/sound_state.h"

struct Machine;
struct SoundBuffer;

// The sound output's ring geometry, the host side of the sound: samples in the current frame
// (367 and 368 in turn, 22050 per 60 frames) and where the frame starts in every ring buffer.
extern uint16_t FrameSamples;
extern uint32_t WritePosition;
extern uint32_t SoundStartPending;  // playback starts at the frame end when FrameCount is 2

// Program-start values of the frame geometry above (the channels start with the Machine).
void ResetSoundState();

// One frame of each channel. `registers` points at the channel's first register in CpuMemory.
void RunPulseFrame(PulseChannel& pulse, const uint8_t* registers, uint32_t& changed,
                   uint32_t sweepWritten, SoundBuffer& buffer);
// The others read their registers from the Machine, which holds their state and flags.
void RunTriangleFrame(Machine& m, SoundBuffer& buffer);
void RunNoiseFrame(Machine& m, SoundBuffer& buffer);
void RunDeltaFrame(Machine& m, SoundBuffer& buffer);

// The exact mode's length counters: the channels (bits 0-3 as in $4015) whose count has not run
// out, with the sample's bit 4 always set.
uint8_t SoundingChannels(const Machine& m);

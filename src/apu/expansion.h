// Sound chips on the cartridge: VRC6 (two pulses and a sawtooth) and Namco 106 (eight
// wavetable channels); the board's row in the cartridge's board table names its chip. Each
// expansion channel plays from its own slot of ExpansionBuffers, written at the console
// channels' ring position after them, and reaches the host through the same mixer. Their
// registers and channel state are the Machine's (core/sound_state.h).
#pragma once

#include <cstdint>

#include "core/sound_state.h"

struct Machine;

// The buffers of the chip's channels (stopped, silent, centred); 1 on success, 0 when the
// sound output is not open.
uint32_t CreateVrc6Channels();
uint32_t CreateNamcoChannels();
// Start-up, once the cartridge has loaded: the channels of its sound chip when the sound is
// on and the chip's switch (VRC6Ext, NamcoExt) is on. Nothing is created otherwise.
void CreateExpansionChannels(const Machine& m);

// Whether this frame's sound includes the chip: the cartridge's board carries it and its
// switch is on.
bool Vrc6SoundOn(const Machine& m);
bool NamcoSoundOn(const Machine& m);

// One frame of each chip's channels into their buffers at WritePosition.
void RunVrc6Frame(Machine& m);
void RunNamcoFrame(Machine& m);

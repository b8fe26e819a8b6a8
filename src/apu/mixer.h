// Adds the samples just written by every playing buffer, with its volume and pan, and queues
// the block on the host: one mono block, or interleaved left/right when sound is stereo.
#pragma once

#include <cstdint>

// Mixes `count` samples starting at ring position `start`; nothing is queued while no buffer
// plays.
void MixSoundFrame(uint32_t start, uint32_t count);

// Volume in hundredths of a decibel as a 4.12 fixed-point factor (4096 = full, 0 = silent).
int32_t DecibelsToGain(int32_t hundredths);

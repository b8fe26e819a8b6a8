// Adds the samples just written by every playing buffer, with its volume and pan, into one
// block for the host: mono, or interleaved left/right when sound is stereo. The sound never
// calls the host itself; whoever runs the frame takes the block and queues it.
#pragma once

#include <cstddef>
#include <cstdint>

// Mixes `count` samples starting at ring position `start`; no block is left while no buffer
// plays or while the sound is muted.
void MixSoundFrame(uint32_t start, uint32_t count);

struct MixedSound {
  const int16_t* Samples;
  size_t Frames;  // samples per side
  bool Stereo;
};
// The block of the last mixed frame, once: true and the block when one waits. A block not
// taken before the next frame is mixed is replaced by it.
bool TakeMixedSound(MixedSound& block);

// Volume in hundredths of a decibel as a 4.12 fixed-point factor (4096 = full, 0 = silent).
int32_t DecibelsToGain(int32_t hundredths);

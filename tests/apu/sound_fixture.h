// A console with the sound output open (headless, captured in memory) and helpers to write
// APU registers and read back what one frame put into a channel's ring.
#pragma once

#include <vector>

#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "support/fixture.h"

class SoundTest : public MachineTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  void Write(uint16_t address, uint8_t value) { m().CpuWrite(address, value); }
  // Runs one frame and returns the samples it wrote into the given channel's ring.
  std::vector<int16_t> Frame(int channel);
  // Runs `frames` frames, returning the last one's samples of `channel`.
  std::vector<int16_t> Frames(int frames, int channel);

  std::vector<int16_t> queued;  // every block handed to the host
};

// The largest magnitude among samples [from, to).
int MaxMagnitude(const std::vector<int16_t>& samples, size_t from, size_t to);

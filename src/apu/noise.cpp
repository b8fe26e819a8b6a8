// The noise channel: the sign of each step comes from a fixed pseudo-random table, walked
// through all 2048 entries in long mode or the first 93 in short mode. Its envelope is clocked
// only where a step boundary lands on one of four sample positions.
#include <algorithm>

#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "apu/sound_tables.h"
#include "core/machine.h"

namespace {

constexpr uint16_t kShortModeLast = 92;

inline bool IsEnvelopePosition(int i) { return i == 0 || i == 93 || i == 186 || i == 270; }

void EnvelopeClock(NoiseChannel& n, uint32_t& changed, uint8_t control) {
  if (n.EnvelopeDivider != 0) --n.EnvelopeDivider;
  if (n.EnvelopeDivider != 0) return;
  if (n.EnvelopeVolume != 0) --n.EnvelopeVolume;
  if (n.EnvelopeVolume == 0) {
    if (!(control & 0x20)) {
      n.RestartPending = 1;
      changed = 1;
    } else {
      n.EnvelopeVolume = 15;
    }
  }
  n.EnvelopeDivider = static_cast<uint8_t>((control & 15) + 1);
}

// Once per frame. False when the channel has nothing to play this frame.
bool CountLength(Machine& m, const uint8_t* r, SoundBuffer& buffer) {
  uint32_t& length = m.NoiseLength;
  if (length == 0) {
    if (!(r[0] & 0x20)) {
      ClearSoundBuffer(buffer);
      m.NoiseChanged = 0;
    } else if ((r[0] & 0x30) == 0x20) {
      length = (r[3] >> 3) + 5u;
      m.NoiseChanged = 1;
      m.Noise.EnvelopeVolume = 15;
    } else {
      ClearSoundBuffer(buffer);
      length = (r[3] >> 3) + 4u;
    }
  } else {
    --length;
  }
  return length != 0 || m.NoiseChanged != 0;
}

void PickUpRegisters(NoiseChannel& n, uint32_t& changed, const uint8_t* r) {
  n.StepLength = NoiseStepLengths[r[2] & 15];
  changed = 0;
  if (n.RestartPending && !(r[0] & 0x10)) {
    n.EnvelopeDivider = static_cast<uint8_t>((r[0] & 15) + 1);
    n.RestartPending = 0;
    n.EnvelopeVolume = 15;
  }
}

// A channel that has stopped plays silence for the frame, not the samples the ring held a
// second ago. A buffer cleared whole and untouched since is silent already.
void SilenceFrame(SoundBuffer& buffer) {
  if (buffer.Silent) return;
  if (int16_t* out = LockSoundBuffer(buffer)) std::fill_n(out, FrameSamples, int16_t{0});
}

}  // namespace

void RunNoiseFrame(Machine& m, SoundBuffer& buffer) {
  NoiseChannel& n = m.Noise;
  const uint8_t* registers = m.CpuMemory + 0x400C;
  const uint8_t control = registers[0];
  const bool shortMode = registers[2] & 0x80;
  if (!CountLength(m, registers, buffer)) {
    SilenceFrame(buffer);
    return;
  }
  if (m.NoiseChanged) PickUpRegisters(n, m.NoiseChanged, registers);
  if (control & 0x10) n.ConstantVolume = control & 15;

  int16_t* out = LockSoundBuffer(buffer);
  if (!out) return;
  // A step of at least one sample, so the frame always completes.
  const int step = std::max<int>(n.StepLength, 1);
  for (int i = 0; i < FrameSamples;) {
    if (IsEnvelopePosition(i) && !(control & 0x10) && !n.RestartPending)
      EnvelopeClock(n, m.NoiseChanged, control);
    if (n.StepCount >= n.StepLength) {
      ++n.Index;
      if (!shortMode) {
        m.NoiseIndex = (m.NoiseIndex + 1) & 0x7FF;
        n.Index = m.NoiseIndex;
      } else if (n.Index > kShortModeLast) {
        n.Index = 0;
      }
    }
    const int volume = (control & 0x10) ? n.ConstantVolume : n.EnvelopeVolume;
    n.Output = static_cast<int16_t>((NoiseTable[n.Index] & 2) ? volume * 128 : -volume * 128);
    const int count = std::min(step, FrameSamples - i);
    std::fill_n(out + i, count, n.Output);
    i += count;
    n.StepCount = static_cast<uint16_t>(n.StepCount + count);
  }
}

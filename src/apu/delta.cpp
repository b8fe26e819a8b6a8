// The delta-modulation channel: one bit of the sample at a time moves the level up or down,
// at a rate in CPU cycles per bit; the cycle balance carries the fraction of a sample over to
// the next frame. The level goes back into $4011 so the next frame (and the CPU) sees it.
#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "apu/sound_tables.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

constexpr uint8_t kMaxLevel = 30;

// Sample data sits at $C000 upward; the address wraps from $FFFF to $8000 as on the console.
inline uint8_t SampleByte(const Machine& m, uint32_t address) {
  return m.CpuMemory[address > 0xFFFF ? address - 0x8000 : address];
}

void Restart(DeltaChannel& d, Machine& m, const uint8_t* r) {
  d.SampleAddress = static_cast<uint16_t>((r[2] << 6) | 0xC000);
  d.SampleLength = static_cast<uint16_t>(r[3] * 16 + 1);
  d.ByteCount = 0;
  d.Level = 15;
  d.BitMask = 1;
  d.CurrentByte = SampleByte(m, d.SampleAddress);
  d.EndLogged = 0;
  m.DmcChanged = 0;
}

inline void BitStep(DeltaChannel& d) {
  if ((d.CurrentByte & d.BitMask) == 0) {
    if (d.Level != 0) --d.Level;
  } else {
    ++d.Level;
  }
  d.BitMask = static_cast<uint8_t>(d.BitMask << 1);
  if (d.Level > kMaxLevel) d.Level = kMaxLevel;
}

// One bit of the sample, or the sample's end: silence, or a loop back to its start.
void Advance(DeltaChannel& d, const Machine& m, uint8_t control) {
  if (d.ByteCount < d.SampleLength) {
    if (d.BitMask == 0) {
      d.BitMask = 1;
      ++d.ByteCount;
      d.CurrentByte = SampleByte(m, d.SampleAddress + d.ByteCount);
    }
    BitStep(d);
  } else if (!(control & 0x40)) {
    d.Level = 15;
    // No interrupt is raised; the request only leaves a mark in the log, once per sample end.
    if ((control & 0x80) && !d.EndLogged) {
      LogText("I");
      d.EndLogged = 1;
    }
  } else {
    if (d.BitMask == 0) {
      d.BitMask = 1;
      d.CurrentByte = SampleByte(m, d.SampleAddress + 1u);
      d.ByteCount = 1;
    } else {
      d.ByteCount = 0;
    }
    BitStep(d);
  }
}

}  // namespace

void RunDeltaFrame(Machine& m, SoundBuffer& buffer) {
  DeltaChannel& d = m.Delta;
  const uint8_t* r = m.CpuMemory + 0x4010;
  d.Level = (r[1] & 0x7F) >> 2;
  if (m.DmcChanged) Restart(d, m, r);
  const int16_t rate = DmcRateTable[r[0] & 15];

  int16_t* out = LockSoundBuffer(buffer);
  if (!out) return;
  int i = 0;
  // The end of the last bit of the previous frame.
  for (; d.CycleBalance > 0 && i < FrameSamples; ++i) {
    out[i] = d.Output;
    d.CycleBalance = static_cast<int16_t>(d.CycleBalance - kCyclesPerSample);
  }
  while (i < FrameSamples) {
    Advance(d, m, r[0]);
    d.Output = static_cast<int16_t>((15 - d.Level) * 256);
    d.CycleBalance = static_cast<int16_t>(d.CycleBalance + rate);
    for (; d.CycleBalance > 0 && i < FrameSamples; ++i) {
      out[i] = d.Output;
      d.CycleBalance = static_cast<int16_t>(d.CycleBalance - kCyclesPerSample);
    }
  }
  m.CpuMemory[0x4011] = static_cast<uint8_t>((d.Level << 2) | 0x80);
}

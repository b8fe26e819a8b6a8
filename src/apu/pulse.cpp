// The two pulse channels: a square wave whose length in samples comes from the timer period,
// with a duty threshold, a decaying envelope clocked four times a frame and a sweep clocked
// twice. A new period waits for the next wave start, so a note change never cuts a wave short.
#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "apu/sound_tables.h"

namespace {

// Registers r0-r3 of the channel ($4000-$4003 or $4004-$4007).
struct PulseRegisters {
  uint8_t Control;  // duty, envelope loop, constant volume, volume or envelope period
  uint8_t Sweep;
  uint8_t PeriodLow;
  uint8_t LengthAndPeriodHigh;
};

constexpr int kFirstHalfEnd = 188;
constexpr int kFirstHalfEnvelope = 92;
constexpr int kSecondHalfEnvelope = 275;

inline int16_t DutyThreshold(int16_t waveLength, uint8_t control) {
  switch (control >> 6) {
    case 0:
      return static_cast<int16_t>(waveLength >> 3);
    case 1:
      return static_cast<int16_t>(waveLength >> 2);
    case 2:
      return static_cast<int16_t>(waveLength >> 1);
    default:
      return static_cast<int16_t>((waveLength >> 2) * 3);
  }
}

inline int16_t Level(uint8_t volume) { return static_cast<int16_t>(volume * 128); }

inline void EnvelopeClock(PulseChannel& pulse, uint8_t control) {
  if ((control & 0x10) || !pulse.EnvelopeRunning) return;
  if (pulse.EnvelopeDivider != 0) --pulse.EnvelopeDivider;
  if (pulse.EnvelopeDivider != 0) return;
  // A volume already at 0 (left there by constant-volume mode) counts as decayed rather than
  // wrapping round to 255.
  if (pulse.Volume != 0) --pulse.Volume;
  if (pulse.Volume == 0) {
    if (control & 0x20)
      pulse.Volume = 15;
    else
      pulse.EnvelopeRunning = 0;
  }
  pulse.Output =
      pulse.Output < 0 ? static_cast<int16_t>(-Level(pulse.Volume)) : Level(pulse.Volume);
  pulse.EnvelopeDivider = static_cast<uint8_t>((control & 15) + 1);
}

inline void SweepClock(PulseChannel& pulse, uint8_t sweep) {
  if (!(sweep & 0x80)) return;
  if (++pulse.SweepCounter <= ((sweep >> 4) & 7)) return;
  pulse.SweepCounter = 0;
  const int shift = sweep & 7;
  if (shift == 0) return;
  const int16_t delta = static_cast<int16_t>(pulse.Period >> shift);
  int32_t period = (sweep & 0x08) ? pulse.Period - delta : pulse.Period + delta;
  if (period < 3) period = 0;
  if (period > 2046) period = 2047;
  pulse.Period = static_cast<int16_t>(period);
}

inline void SampleStep(PulseChannel& pulse, uint8_t control, int16_t* out) {
  if (pulse.Phase == pulse.DutyThreshold) pulse.Output = static_cast<int16_t>(-pulse.Output);
  if (pulse.Phase >= pulse.WaveLength) {
    pulse.Phase = 0;
    if (pulse.Period == 0) {
      pulse.WaveLength = 0;
      pulse.DutyThreshold = 8;
      pulse.Output = 0;
    } else {
      pulse.WaveStarted = 1;
      pulse.WaveLength = SamplesPerWave[pulse.Period];
      pulse.DutyThreshold = DutyThreshold(pulse.WaveLength, control);
      pulse.Output = Level(pulse.Volume);
    }
  }
  *out = pulse.Output;
  ++pulse.Phase;
}

// Reloads what the registers changed. The wave in progress keeps its length.
void PickUpRegisters(PulseChannel& pulse, const PulseRegisters& r, uint32_t& changed,
                     uint32_t sweepWritten) {
  pulse.Period = static_cast<int16_t>(r.PeriodLow | ((r.LengthAndPeriodHigh & 7) << 8));
  changed = 0;
  if (!sweepWritten) pulse.SweepCounter = 0;
  if (pulse.WaveStarted && !(r.Control & 0x10)) {
    pulse.EnvelopeDivider = static_cast<uint8_t>((r.Control & 15) + 1);
    pulse.WaveStarted = 0;
    pulse.EnvelopeRunning = 1;
    pulse.Volume = 15;
  }
}

}  // namespace

void RunPulseFrame(PulseChannel& pulse, const uint8_t* registers, uint32_t& changed,
                   uint32_t sweepWritten, SoundBuffer& buffer) {
  const PulseRegisters r = {registers[0], registers[1], registers[2], registers[3]};
  if (--pulse.Length == 0) {
    changed = 1;
    pulse.Length = LengthTable[r.LengthAndPeriodHigh >> 3];
    if (pulse.Length == 0) return;
  }
  if (changed) PickUpRegisters(pulse, r, changed, sweepWritten);
  if (r.Control & 0x10) pulse.Volume = r.Control & 15;

  int16_t* out = LockSoundBuffer(buffer);
  if (!out) return;
  pulse.DutyThreshold = DutyThreshold(pulse.WaveLength, r.Control);
  for (int i = 0; i < kFirstHalfEnd; ++i) {
    if (i == kFirstHalfEnvelope) EnvelopeClock(pulse, r.Control);
    SampleStep(pulse, r.Control, out + i);
  }
  SweepClock(pulse, r.Sweep);
  EnvelopeClock(pulse, r.Control);
  for (int i = kFirstHalfEnd; i < FrameSamples; ++i) {
    if (i == kSecondHalfEnvelope) EnvelopeClock(pulse, r.Control);
    SampleStep(pulse, r.Control, out + i);
  }
  SweepClock(pulse, r.Sweep);
  EnvelopeClock(pulse, r.Control);
}

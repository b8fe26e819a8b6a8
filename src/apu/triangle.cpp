// The triangle channel: 16 steps up and 16 down per half wave, the first half positive and the
// second negative, so a full wave lasts twice the samples of a pulse wave of the same period
// (an octave lower). The linear counter and the length count down once per frame and mute it.
#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "apu/sound_tables.h"
#include "core/machine.h"

namespace {

// Once per frame: the linear counter, the length, and the mute they decide.
void CountDown(TriangleChannel& t, uint32_t& changed, uint8_t control) {
  if (t.LinearStarted) --t.LinearCountdown;
  if (!(control & 0x80)) {
    --t.Length;
    if (t.LinearStarted) {
      if (t.Length == 0 || t.LinearCountdown == 0) t.Mute = 1;
      if (t.Length == 0 && t.LinearCountdown == 0) {
        changed = 1;
        t.Mute = 0;
      }
    } else {
      t.LinearStarted = 1;
      t.LinearCountdown = static_cast<uint8_t>((control & 0x7F) >> 2);
      if (t.LinearCountdown == 0) t.Mute = 1;
    }
    if ((control & 0x7F) == 0) t.Mute = 1;
  } else if (!t.LinearStarted) {
    t.Mute = 0;
  }
}

void PickUpRegisters(TriangleChannel& t, uint32_t& changed, const uint8_t* r) {
  t.Period = r[0] == 0 ? 0 : static_cast<uint16_t>(r[2] | ((r[3] & 7) << 8));
  changed = 0;
  t.Length = (r[3] & 0xF8) * 2;
  t.LinearCountdown = static_cast<uint8_t>((r[0] & 0x7F) >> 2);
  t.Mute = 0;
}

// A new wave: the step thresholds are about (k + 1)/32 of a pulse wave each.
void StartWave(TriangleChannel& t) {
  t.Position = 0;
  t.QuarterState = 0;
  t.StepLevel = 0;
  if (t.Period == 0) {
    t.CurrentQuarterLength = 0;
    t.QuarterLength = 64;
    for (int k = 0; k < 16; ++k) t.Thresholds[k] = static_cast<uint16_t>(4 * (k + 1));
    return;
  }
  const uint16_t w = static_cast<uint16_t>(SamplesPerWave[t.Period]);
  uint16_t* th = t.Thresholds;
  t.QuarterLength = w >> 1;
  th[0] = w >> 5;
  th[1] = w >> 4;
  th[2] = th[0] + th[1];
  th[3] = w >> 3;
  th[4] = th[0] + th[3];
  th[5] = th[1] + th[3];
  th[6] = th[2] + th[3];
  th[7] = w >> 2;
  for (int k = 8; k < 15; ++k) th[k] = th[k - 8] + th[7];
  th[15] = t.QuarterLength;
  t.CurrentQuarterLength = t.QuarterLength;
}

inline int16_t SampleStep(TriangleChannel& t) {
  t.QuarterLength = t.CurrentQuarterLength;
  if (t.Position >= 4 * t.CurrentQuarterLength || t.CurrentQuarterLength == 0) StartWave(t);
  // Signed comparisons: before a quarter begins its right side is negative and never passes.
  const int32_t q = t.QuarterLength;
  const int32_t pos = t.Position;
  int8_t& level = t.StepLevel;
  switch (t.QuarterState) {
    case 0:
      if (t.Thresholds[level] <= pos && ++level == 15) t.QuarterState = 1;
      break;
    case 1:
      if (t.Thresholds[15 - level] <= pos - q && --level == 0) t.QuarterState = 2;
      break;
    case 2:
      if (t.Thresholds[level] <= pos - 2 * q && ++level == 15) t.QuarterState = 3;
      break;
    default:
      if (t.Thresholds[15 - level] <= pos - 3 * q && --level == 0) t.QuarterState = 0;
      break;
  }
  ++t.Position;
  if (t.CurrentQuarterLength == 0 || t.Mute) return 0;
  return static_cast<int16_t>(t.QuarterState < 2 ? level * 128 : -level * 128);
}

}  // namespace

void RunTriangleFrame(Machine& m, SoundBuffer& buffer) {
  TriangleChannel& t = m.Triangle;
  const uint8_t* registers = m.CpuMemory + 0x4008;
  CountDown(t, m.TriangleChanged, registers[0]);
  if (m.TriangleChanged) PickUpRegisters(t, m.TriangleChanged, registers);
  int16_t* out = LockSoundBuffer(buffer);
  if (!out) return;
  for (int i = 0; i < FrameSamples; ++i) out[i] = t.Output = SampleStep(t);
}

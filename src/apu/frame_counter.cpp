// The exact mode's APU bookkeeping in CPU time: the four length counters with their halt
// flags, the frame sequencer that clocks them and raises the frame IRQ, and the sample whose
// end raises the DMC IRQ. The synthesis still makes the sound once a frame; these decide what
// $4015 reads, when the IRQ line is held and which channels have run out.
#include "apu/channels.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// Length counter loads, indexed by bits 7-3 of the channel's fourth register.
constexpr uint8_t kLengths[32] = {10, 254, 20, 2,  40, 4,  80, 6,  160, 8,  60, 10, 14, 12, 26, 14,
                                  12, 16,  24, 18, 48, 20, 96, 22, 192, 24, 72, 26, 16, 28, 32, 30};
// CPU cycles per sample bit, indexed by $4010 bits 3-0.
constexpr int32_t kDmcRates[16] = {428, 380, 340, 320, 286, 254, 226, 214,
                                   190, 160, 142, 128, 106, 84,  72,  54};

constexpr int32_t kThirdsPerLine = 341;  // a line is 113 2/3 CPU cycles

// The sequencer's steps in CPU cycles from its start; the sequence starts again one cycle
// after its last step. Four steps: lengths clocked on the second and the fourth, which also
// raises the IRQ. Five steps: lengths on the second and the fifth, no IRQ.
constexpr int32_t kFourSteps[4] = {7457, 14913, 22371, 29829};
constexpr int32_t kFiveSteps[5] = {7457, 14913, 22371, 29829, 37281};

constexpr uint16_t kChannelControl[4] = {0x4000, 0x4004, 0x4008, 0x400C};
constexpr uint8_t kHaltBit[4] = {0x20, 0x20, 0x80, 0x20};  // the triangle's is its control bit

bool FiveSteps(const ApuCounters& apu) { return apu.SequencerMode & 0x80; }

void ClockLengths(Machine& m) {
  for (int channel = 0; channel < 4; ++channel) {
    uint8_t& length = m.ExactApu.Lengths[channel];
    if (length && !(m.CpuMemory[kChannelControl[channel]] & kHaltBit[channel])) --length;
  }
}

// Quarter-frame clocks (envelopes, the linear counter) stay with the synthesis.
void RunStep(Machine& m, int step) {
  ApuCounters& apu = m.ExactApu;
  if (FiveSteps(apu)) {
    if (step == 1 || step == 4) ClockLengths(m);
    return;
  }
  if (step == 1 || step == 3) ClockLengths(m);
  if (step == 3 && !(apu.SequencerMode & 0x40)) m.IrqLine |= kFrameIrq;
}

void RestartSample(Machine& m) {
  m.ExactApu.DmcBytesLeft = static_cast<uint16_t>(m.CpuMemory[0x4013] * 16 + 1);
}

// A byte is fetched as soon as a sample starts, then one every eight sample bits. Fetching the
// last byte ends the sample: it starts again when looping, else raises the IRQ if enabled.
void StepSample(Machine& m) {
  ApuCounters& apu = m.ExactApu;
  if (!apu.DmcBytesLeft) return;
  apu.DmcFetchTime -= kThirdsPerLine;
  while (apu.DmcFetchTime <= 0 && apu.DmcBytesLeft) {
    const uint8_t flags = m.CpuMemory[0x4010];
    apu.DmcFetchTime += 8 * 3 * kDmcRates[flags & 15];
    if (--apu.DmcBytesLeft) continue;
    if (flags & 0x40)
      RestartSample(m);
    else if (flags & 0x80)
      m.IrqLine |= kDmcIrq;
  }
}

void WriteEnables(Machine& m, uint8_t value) {
  ApuCounters& apu = m.ExactApu;
  for (int channel = 0; channel < 4; ++channel)
    if (!(value & (1 << channel))) apu.Lengths[channel] = 0;
  if (!(value & 0x10)) {
    apu.DmcBytesLeft = 0;
  } else if (!apu.DmcBytesLeft) {
    RestartSample(m);
    apu.DmcFetchTime = 0;
    m.DmcChanged = 1;  // the synthesis plays the sample from its start too
  }
  m.IrqLine &= ~kDmcIrq;
}

void WriteSequencer(Machine& m, uint8_t value) {
  ApuCounters& apu = m.ExactApu;
  apu.SequencerMode = value;
  apu.SequencerStep = 0;
  apu.SequencerTime = 0;
  if (value & 0x40) m.IrqLine &= ~kFrameIrq;
  if (value & 0x80) ClockLengths(m);  // five steps: the write clocks at once
}

}  // namespace

void Machine::ApuCounterWrite(uint16_t address, uint8_t value) {
  switch (address) {
    case 0x4003:
    case 0x4007:
    case 0x400B:
    case 0x400F: {
      const int channel = (address - 0x4003) >> 2;
      if (CpuMemory[0x4015] & (1 << channel)) ExactApu.Lengths[channel] = kLengths[value >> 3];
      break;
    }
    case 0x4010:
      if (!(value & 0x80)) IrqLine &= ~kDmcIrq;
      break;
    case 0x4015:
      WriteEnables(*this, value);
      break;
    case 0x4017:
      WriteSequencer(*this, value);
      break;
    default:
      break;
  }
}

uint8_t Machine::ApuStatusRead() {
  ApuCounters& apu = ExactApu;
  // The line's other sources are not the APU's.
  uint8_t status = IrqLine & (kFrameIrq | kDmcIrq);
  for (int channel = 0; channel < 4; ++channel)
    if (apu.Lengths[channel]) status |= static_cast<uint8_t>(1 << channel);
  if (apu.DmcBytesLeft) status |= 0x10;
  if (IrqLine & kFrameIrq) {
    IrqLine &= ~kFrameIrq;
    ++BusEffects;  // a polling loop's pass changed something
  }
  return status;
}

void Machine::StepApuLine() {
  ApuCounters& apu = ExactApu;
  const int32_t* steps = FiveSteps(apu) ? kFiveSteps : kFourSteps;
  const int count = FiveSteps(apu) ? 5 : 4;
  apu.SequencerTime += kThirdsPerLine;
  while (apu.SequencerTime >= steps[apu.SequencerStep] * 3) {
    RunStep(*this, apu.SequencerStep);
    if (++apu.SequencerStep == count) {
      apu.SequencerStep = 0;
      apu.SequencerTime -= (steps[count - 1] + 1) * 3;
    }
  }
  StepSample(*this);
}

uint8_t SoundingChannels(const Machine& m) {
  uint8_t sounding = 0x10;  // the sample's end is the synthesis's own
  for (int channel = 0; channel < 4; ++channel)
    if (m.ExactApu.Lengths[channel]) sounding |= static_cast<uint8_t>(1 << channel);
  return sounding;
}

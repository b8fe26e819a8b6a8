// VRC6 sound: two pulses with eight duty settings and a sawtooth built from seven accumulator
// steps. Each channel counts CPU cycles down, 81 per output sample, and reloads from its
// 12-bit period.
#include <algorithm>

#include "apu/channels.h"
#include "apu/expansion.h"
#include "apu/sound_buffers.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

constexpr int32_t kCyclesPerSample = 81;

int32_t Period(const uint8_t* registers) { return registers[1] | ((registers[2] & 0x0F) << 8); }

// A period starts high at the volume and goes low once the countdown passes (D + 1) / 16 of
// it. A period shorter than one sample cannot be heard: it plays silence, and the countdown
// stays put instead of running away below zero.
void RunVrc6Pulse(Vrc6Channel& channel, const uint8_t* registers, int16_t* out) {
  if (registers[0] & 0x80) {
    // Digitised mode is not played; silence, not last second's samples, fills the frame.
    LogText("D");
    std::fill_n(out, FrameSamples, 0);
    return;
  }
  const int32_t period = Period(registers) * 16;
  const int32_t duty = (registers[0] & 0x70) + 0x10;
  const int16_t high = static_cast<int16_t>((registers[0] & 0x0F) << 8);
  for (uint32_t i = 0; i < FrameSamples; ++i) {
    channel.Countdown -= kCyclesPerSample;
    if (channel.Countdown < 0) {
      channel.Countdown += period;
      if (channel.Countdown < 0) {
        channel.Countdown = channel.Boundary = 0;
        channel.Output = 0;
      } else {
        channel.Boundary = (channel.Countdown * duty) >> 8;
        channel.Output = high;
      }
    }
    if (channel.Countdown < channel.Boundary) {
      channel.Boundary = 0;
      channel.Output = 0;
    }
    out[i] = channel.Output;
  }
}

// One accumulator step per period of CPU cycles (at most one per sample), the top five bits
// heard; the seventh step starts the ramp again from 0.
void RunVrc6Sawtooth(Vrc6Channel& channel, const uint8_t* registers, int16_t* out) {
  const int32_t period = Period(registers);
  const uint8_t rate = registers[0] & 0x3F;
  for (uint32_t i = 0; i < FrameSamples; ++i) {
    channel.Countdown -= kCyclesPerSample;
    if (channel.Countdown < 0) {
      channel.Countdown = std::max(channel.Countdown + period, 0);
      channel.Accumulator = static_cast<uint8_t>(channel.Accumulator + rate);
      if (channel.Step == 6) {
        channel.Step = 0;
        channel.Accumulator = 0;
      } else {
        ++channel.Step;
      }
      channel.Output = static_cast<int16_t>((channel.Accumulator & 0xF8) << 5);
    }
    out[i] = channel.Output;
  }
}

}  // namespace

void RunVrc6Frame(Machine& m) {
  for (int c = 0; c < kVrc6ChannelCount; ++c) {
    const uint8_t* registers = m.Vrc6Registers[c];
    SoundBuffer& buffer = ExpansionBuffers[c];
    if (!(registers[2] & 0x80)) {
      ClearSoundBuffer(buffer);
      continue;
    }
    int16_t* out = LockSoundBuffer(buffer);
    if (!out) {
      LogText("VRC6 Lock Fail\n");
      continue;
    }
    if (c < 2)
      RunVrc6Pulse(m.Vrc6Channels[c], registers, out);
    else
      RunVrc6Sawtooth(m.Vrc6Channels[c], registers, out);
  }
}

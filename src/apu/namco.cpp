// Namco 106 sound: eight wavetable channels reading whole bytes of the 128-byte sound memory.
// Channel n keeps its registers in the eight bytes at 0x40 + 8n.
#include <algorithm>

#include "apu/channels.h"
#include "apu/expansion.h"
#include "apu/sound_buffers.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

constexpr int32_t kCyclesPerSample = 81;
constexpr uint32_t kStepCycles = 8064090;  // CPU cycles per wave step at frequency 1

// CPU cycles per wave step, kept to 16 bits as the chip's arithmetic does; 0 when the
// frequency is 0 or the step comes out 0.
uint16_t WaveStep(const uint8_t* channelBytes) {
  const uint32_t frequency =
      channelBytes[0] | (channelBytes[2] << 8) | ((channelBytes[4] & 0x03) << 16);
  return frequency ? static_cast<uint16_t>(kStepCycles / frequency) : 0;
}

void RunNamcoChannel(NamcoChannel& channel, const uint8_t* soundRam, const uint8_t* channelBytes,
                     int16_t* out) {
  const uint16_t step = WaveStep(channelBytes);
  if (step == 0) {
    // No frequency: the wave would never advance, so the channel rests this frame.
    std::fill_n(out, FrameSamples, 0);
    return;
  }
  const int volume = channelBytes[7] & 0x0F;
  const uint8_t start = channelBytes[6] & 0x3E;
  const uint8_t length = static_cast<uint8_t>((8 - ((channelBytes[4] & 0x1C) >> 2)) * 2);
  int16_t output = channel.Output;
  for (uint32_t i = 0; i < FrameSamples; ++i) {
    channel.Countdown -= kCyclesPerSample;
    while (channel.Countdown < 0) {
      channel.Countdown += step;
      // A wave shortened while playing restarts rather than reading past its end.
      if (++channel.WavePosition >= length) channel.WavePosition = 0;
      output = static_cast<int16_t>(soundRam[start + channel.WavePosition] * volume);
    }
    out[i] = output;
  }
  channel.Output = output;
}

}  // namespace

void RunNamcoFrame(Machine& m) {
  const uint8_t* soundRam = m.NamcoSoundRam;
  for (int n = 0; n < kNamcoChannelCount; ++n) {
    const uint8_t* channelBytes = soundRam + 0x40 + 8 * n;
    SoundBuffer& buffer = ExpansionBuffers[n];
    if ((channelBytes[7] & 0x0F) == 0) {
      ClearSoundBuffer(buffer);
      continue;
    }
    int16_t* out = LockSoundBuffer(buffer);
    if (!out) {
      LogText("Nam Fail\n");
      continue;
    }
    RunNamcoChannel(m.NamcoChannels[n], soundRam, channelBytes, out);
  }
}

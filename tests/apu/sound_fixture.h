// A console with the sound output open (headless, captured in memory) and helpers to write
// APU registers and read back what one frame put into a channel's ring.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "headless/headless_audio.h"
#include "session/sound_output.h"
#include "support/fixture.h"

class SoundTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    HeadlessWavPath.clear(), queued.clear(), HeadlessAudioSink = &queued;
    ASSERT_EQ(OpenSound(), 1u);
  }
  void TearDown() override {
    CloseSound(), HeadlessAudioSink = nullptr;
    MachineTest::TearDown();
  }
  // A fresh console for the next case of a table.
  void Fresh() { TearDown(), SetUp(); }
  // One frame of sound, its block queued on the host as the session's frame does.
  void SoundFrame() { m().RunSoundFrame(), QueueMixedSound(); }
  void Write(uint16_t address, int value) { m().CpuWrite(address, static_cast<uint8_t>(value)); }
  // Switches on the channels in `enable` alone and writes one channel's registers from `first`.
  void Play(int enable, uint16_t first, std::initializer_list<int> values) {
    Write(0x4015, enable);
    for (int value : values) Write(first++, value);
  }
  // Pulse 1 alone at volume 15 (constant unless `control` says otherwise), duty and period.
  void Note(int duty, int period, int control = 0x1F) {
    Play(0x01, 0x4000, {(duty << 6) | control, 0, period & 0xFF, period >> 8});
  }
  // 64 bytes of one bits at `address`, fastest rate: the delta level climbs to 30.
  void RisingSample(int control, int address, int length) {
    std::fill_n(m().CpuMemory + 0xC000 + address * 64, 64, 0xFF);
    Play(0x10, 0x4010, {control, 0, address, length});
  }
  // Runs `frames` frames and returns the samples the last one wrote into the buffer's ring.
  std::vector<int16_t> Frames(int frames, const SoundBuffer& buffer) {
    for (int i = 1; i < frames; ++i) SoundFrame();
    const int16_t *start = buffer.Samples + WritePosition, *end = start + FrameSamples;
    SoundFrame();
    return {start, end};
  }
  std::vector<int16_t> Frame(int channel, int n = 1) { return Frames(n, ChannelBuffers[channel]); }
  static bool RingSilent(const SoundBuffer& buffer) {
    return std::all_of(buffer.Samples, buffer.Samples + kRingSamples, [](int16_t s) { return !s; });
  }

  std::vector<int16_t> queued;  // every block handed to the host
};

// The largest magnitude among samples [from, to).
inline int MaxMagnitude(const std::vector<int16_t>& samples, size_t from = 0,
                        size_t to = SIZE_MAX) {
  int most = 0;
  for (size_t i = from; i < to && i < samples.size(); ++i)
    most = std::max(most, std::abs(samples[i]));
  return most;
}

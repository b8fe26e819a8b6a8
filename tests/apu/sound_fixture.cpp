#include "apu/sound_fixture.h"

#include <algorithm>
#include <cstdlib>

#include "host/headless/headless_audio.h"

void SoundTest::SetUp() {
  MachineTest::SetUp();
  HeadlessWavPath.clear();
  HeadlessAudioSink = &queued;
  ASSERT_EQ(OpenSound(), 1u);
}

void SoundTest::TearDown() {
  CloseSound();
  HeadlessAudioSink = nullptr;
  MachineTest::TearDown();
}

std::vector<int16_t> SoundTest::Frame(int channel) {
  const uint32_t start = WritePosition;
  const uint16_t count = FrameSamples;
  m().RunSoundFrame();
  const int16_t* ring = ChannelBuffers[channel].Samples;
  return std::vector<int16_t>(ring + start, ring + start + count);
}

std::vector<int16_t> SoundTest::Frames(int frames, int channel) {
  std::vector<int16_t> last;
  for (int i = 0; i < frames; ++i) last = Frame(channel);
  return last;
}

int MaxMagnitude(const std::vector<int16_t>& samples, size_t from, size_t to) {
  int most = 0;
  for (size_t i = from; i < to && i < samples.size(); ++i)
    most = std::max(most, std::abs(samples[i]));
  return most;
}

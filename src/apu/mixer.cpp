#include "apu/mixer.h"

#include <algorithm>
#include <cmath>

#include "apu/sound_buffers.h"

namespace {

constexpr int kGainShift = 12;
constexpr int32_t kUnityGain = 1 << kGainShift;
// Two frames of room, so a block never outgrows the scratch area.
constexpr uint32_t kMaxBlock = 2 * 368;

int16_t MixBlock[2 * kMaxBlock];
MixedSound waiting;
bool blockWaiting;

inline int16_t Clamp16(int32_t value) {
  return static_cast<int16_t>(std::clamp<int32_t>(value, -32768, 32767));
}

// A playing buffer with its gains folded together with the primary volume.
struct Source {
  const int16_t* Samples;
  int32_t Mono;
  int32_t Left;
  int32_t Right;
};

// The playing buffers with something to add; `playing` says whether any buffer plays at all.
int CollectSources(Source* sources, uint32_t start, bool& playing) {
  const int32_t primary = DecibelsToGain(PrimaryVolume);
  int count = 0;
  playing = false;
  auto add = [&](const SoundBuffer& buffer) {
    if (!buffer.Created || !buffer.Playing) return;
    playing = true;
    if (buffer.Silent) return;
    sources[count++] = {buffer.Samples + start, (buffer.Gain * primary) >> kGainShift,
                        (buffer.LeftGain * primary) >> kGainShift,
                        (buffer.RightGain * primary) >> kGainShift};
  };
  for (const SoundBuffer& buffer : ChannelBuffers) add(buffer);
  for (const SoundBuffer& buffer : ExpansionBuffers) add(buffer);
  return count;
}

}  // namespace

int32_t DecibelsToGain(int32_t hundredths) {
  if (hundredths >= 0) return kUnityGain;
  if (hundredths <= -10000) return 0;
  return static_cast<int32_t>(std::lround(std::pow(10.0, hundredths / 2000.0) * kUnityGain));
}

void MixSoundFrame(uint32_t start, uint32_t count) {
  count = std::min(count, kMaxBlock);
  if (start + count > kRingSamples) return;  // a frame never straddles the ring's end
  Source sources[kChannelBufferCount + kExpansionBufferCount];
  bool playing;
  const int sourceCount = CollectSources(sources, start, playing);
  if (!playing) return;

  // Source by source over the whole block, so the inner loops vectorise. Each term is at most
  // 32768 * 4096 = 2^27, so thirteen of them stay inside 32 bits.
  static int32_t left[kMaxBlock], right[kMaxBlock];
  std::fill_n(left, count, 0);
  if (SoundOutputStereo) {
    std::fill_n(right, count, 0);
    for (int s = 0; s < sourceCount; ++s) {
      const Source& source = sources[s];
      for (uint32_t i = 0; i < count; ++i) {
        left[i] += source.Samples[i] * source.Left;
        right[i] += source.Samples[i] * source.Right;
      }
    }
    for (uint32_t i = 0; i < count; ++i) {
      MixBlock[2 * i] = Clamp16(left[i] >> kGainShift);
      MixBlock[2 * i + 1] = Clamp16(right[i] >> kGainShift);
    }
  } else {
    for (int s = 0; s < sourceCount; ++s) {
      const Source& source = sources[s];
      for (uint32_t i = 0; i < count; ++i) left[i] += source.Samples[i] * source.Mono;
    }
    for (uint32_t i = 0; i < count; ++i) MixBlock[i] = Clamp16(left[i] >> kGainShift);
  }
  if (SoundMuted) return;
  waiting = {MixBlock, count, SoundOutputStereo != 0};
  blockWaiting = true;
}

bool TakeMixedSound(MixedSound& block) {
  if (!blockWaiting) return false;
  block = waiting;
  blockWaiting = false;
  return true;
}

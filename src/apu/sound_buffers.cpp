#include "apu/sound_buffers.h"

#include <cstring>

#include "apu/channels.h"
#include "apu/mixer.h"
#include "apu/sound_tables.h"
#include "core/settings.h"
#include "log/log.h"

SoundBuffer ChannelBuffers[kChannelBufferCount];
SoundBuffer ExpansionBuffers[kExpansionBufferCount];
int32_t PrimaryVolume;
uint32_t SoundOpen;
uint32_t SoundOutputStereo;
uint32_t SoundMuted;

namespace {

void UpdateGains(SoundBuffer& buffer) {
  // Pan attenuates one side only; the other stays at the buffer's volume.
  const int32_t left = buffer.Pan > 0 ? buffer.Volume - buffer.Pan : buffer.Volume;
  const int32_t right = buffer.Pan < 0 ? buffer.Volume + buffer.Pan : buffer.Volume;
  buffer.Gain = DecibelsToGain(buffer.Volume);
  buffer.LeftGain = DecibelsToGain(left);
  buffer.RightGain = DecibelsToGain(right);
}

void ReleaseSoundBuffer(SoundBuffer& buffer) {
  buffer.Playing = 0;
  buffer.Created = 0;
}

}  // namespace

void CreateSoundBuffer(SoundBuffer& buffer, bool software) {
  std::memset(buffer.Samples, 0, sizeof buffer.Samples);
  buffer.Volume = 0;
  buffer.Pan = 0;
  buffer.Created = 1;
  buffer.Playing = 0;
  buffer.Software = software ? 1 : 0;
  buffer.Silent = 1;
  UpdateGains(buffer);
}

uint32_t ClearSoundBuffer(SoundBuffer& buffer) {
  if (!buffer.Created) return 0;
  // A switched-off channel is cleared every frame; one pass is enough.
  if (!buffer.Silent) std::memset(buffer.Samples, 0, sizeof buffer.Samples);
  buffer.Silent = 1;
  return 1;
}

int16_t* LockSoundBuffer(SoundBuffer& buffer) {
  if (!buffer.Created) return nullptr;
  buffer.Silent = 0;
  return buffer.Samples + WritePosition;
}

void SetSoundVolume(SoundBuffer& buffer, int32_t volume) {
  buffer.Volume = volume;
  UpdateGains(buffer);
}

void SetSoundPan(SoundBuffer& buffer, int32_t pan) {
  buffer.Pan = pan;
  UpdateGains(buffer);
}

void SetUpSoundOutput() {
  SoundOpen = 1;
  SoundOutputStereo = SoundStereo ? 1 : 0;
  LogText("Direct Sound Object Created\n");
  PrimaryVolume = 0;
  LogText("Primary Buffer Established\n");
  LogText("Buffer Size:");
  LogNumberLine(static_cast<int32_t>(kRingSamples * sizeof(int16_t)));

  // HARDBUf=n: the first n buffers may live in hardware, the rest in software.
  for (uint32_t i = 0; i < kChannelBufferCount; ++i)
    CreateSoundBuffer(ChannelBuffers[i], i >= HardwareBuffers);
  LogText("NES Sound Channels Created\n");

  uint32_t cleared = 0;
  for (SoundBuffer& buffer : ChannelBuffers) cleared = ClearSoundBuffer(buffer);
  if (cleared) LogText("OK!");
  if (SoundStereo) {
    LogText("Initialize stereo sound output\n");
    SetSoundPan(ChannelBuffers[kPulse1Buffer], 400);
    SetSoundPan(ChannelBuffers[kPulse2Buffer], -400);
  } else {
    LogText("Mono sound output\n");
  }
  if (!cleared) LogText("Sound Output Start\n");

  WritePosition = 0;
  BuildNoiseTable();
  // The channels' lengths are zero in the Machine the sound output starts with.
}

bool ReleaseSoundOutput() {
  for (SoundBuffer& buffer : ChannelBuffers) ReleaseSoundBuffer(buffer);
  for (SoundBuffer& buffer : ExpansionBuffers) ReleaseSoundBuffer(buffer);
  const bool wasOpen = SoundOpen != 0;
  SoundOpen = 0;
  return wasOpen;
}

void StartSoundPlayback() {
  for (SoundBuffer& buffer : ChannelBuffers)
    if (buffer.Created) buffer.Playing = 1;
  for (SoundBuffer& buffer : ExpansionBuffers)
    if (buffer.Created) buffer.Playing = 1;
}

void PauseSoundVolume() {
  if (!SoundOpen) return;
  PrimaryVolume = kSilentVolume;
  for (SoundBuffer& buffer : ChannelBuffers)
    if (buffer.Created) SetSoundVolume(buffer, kSilentVolume);
}

void ResumeSoundVolume() {
  if (!SoundOpen) return;
  PrimaryVolume = 0;
  for (SoundBuffer& buffer : ChannelBuffers)
    if (buffer.Created) SetSoundVolume(buffer, 0);
}

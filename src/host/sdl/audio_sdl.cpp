// SDL audio: the mixed frames go onto a queue of the default device at 22050 Hz. The queue is
// kept short: a frame that would push it past about 100 ms is dropped, so a host that falls
// behind loses a little sound instead of letting the sound lag ever further behind the picture.
#include "host/sdl/audio_sdl.h"

#include <SDL.h>

#include <cstdio>

#include "host/platform.h"

namespace {

constexpr int kRate = 22050;
constexpr Uint32 kMaxQueuedMs = 100;

SDL_AudioDeviceID Device;
int Channels;

Uint32 MaxQueuedBytes() { return kRate * kMaxQueuedMs / 1000 * Channels * sizeof(int16_t); }

}  // namespace

bool PlatformOpenAudio(bool stereo) {
  PlatformCloseAudio();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "halvoren: no audio: %s\n", SDL_GetError());
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = static_cast<Uint8>(stereo ? 2 : 1);
  want.samples = 512;  // about 23 ms per device period
  // No changes allowed: SDL converts to whatever the device really runs at.
  Device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (Device == 0) {
    std::fprintf(stderr, "halvoren: no audio device: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Channels = want.channels;
  SDL_PauseAudioDevice(Device, 0);
  return true;
}

void PlatformQueueAudio(const int16_t* samples, size_t frames, bool stereo) {
  if (Device == 0 || (stereo ? 2 : 1) != Channels) return;
  const Uint32 bytes = static_cast<Uint32>(frames * Channels * sizeof(int16_t));
  if (SDL_GetQueuedAudioSize(Device) + bytes > MaxQueuedBytes()) return;
  SDL_QueueAudio(Device, samples, bytes);
}

void PlatformCloseAudio() {
  if (Device == 0) return;
  SDL_CloseAudioDevice(Device);
  Device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

uint32_t SdlQueuedAudioMs() {
  if (Device == 0) return 0;
  return SDL_GetQueuedAudioSize(Device) * 1000 / (kRate * Channels * sizeof(int16_t));
}

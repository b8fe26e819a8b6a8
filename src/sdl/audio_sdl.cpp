// SDL audio: the mixed frames go onto a queue of the default device at 22050 Hz. The queue is
// kept short: a frame that would push it past about 100 ms is dropped, so a host that runs
// ahead loses a little sound instead of letting the sound lag ever further behind the picture.
// The device waits until about 50 ms are queued before it plays, and again after it has run
// dry, so that frames arriving a little unevenly never leave it with gaps to fill.
#include "sdl/audio_sdl.h"

#include <SDL.h>

#include <cstdio>

#include "host/platform.h"

namespace {

constexpr int kRate = 22050;
constexpr Uint32 kMaxQueuedMs = 100;
constexpr Uint32 kStartQueuedMs = 50;

SDL_AudioDeviceID Device;
int Channels;
bool DevicePlaying;

Uint32 BytesForMs(Uint32 ms) { return kRate * ms / 1000 * Channels * sizeof(int16_t); }

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
  DevicePlaying = false;
  return true;
}

void PlatformQueueAudio(const int16_t* samples, size_t frames, bool stereo) {
  if (Device == 0 || (stereo ? 2 : 1) != Channels) return;
  const Uint32 bytes = static_cast<Uint32>(frames * Channels * sizeof(int16_t));
  const Uint32 queued = SDL_GetQueuedAudioSize(Device);
  if (DevicePlaying && queued == 0) {
    SDL_PauseAudioDevice(Device, 1);
    DevicePlaying = false;
  }
  if (queued + bytes > BytesForMs(kMaxQueuedMs)) return;
  if (SDL_QueueAudio(Device, samples, bytes) != 0) return;
  if (!DevicePlaying && queued + bytes >= BytesForMs(kStartQueuedMs)) {
    SDL_PauseAudioDevice(Device, 0);
    DevicePlaying = true;
  }
}

void PlatformCloseAudio() {
  if (Device == 0) return;
  SDL_CloseAudioDevice(Device);
  Device = 0;
  DevicePlaying = false;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

uint32_t SdlQueuedAudioMs() {
  if (Device == 0) return 0;
  return SDL_GetQueuedAudioSize(Device) * 1000 / (kRate * Channels * sizeof(int16_t));
}

bool SdlAudioPlaying() { return DevicePlaying; }

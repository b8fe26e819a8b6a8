// The channel buffers: each sound channel plays from its own one-second ring of 22050 signed
// 16-bit mono samples. The synthesis writes a frame at WritePosition, the mixer reads back what
// was just written by every playing buffer and hands it to the host.
#pragma once

#include <cstdint>

constexpr uint32_t kRingSamples = 22050;
constexpr int32_t kSilentVolume = -10000;  // hundredths of a decibel

struct SoundBuffer {
  int16_t Samples[kRingSamples];
  int32_t Volume;  // hundredths of a decibel: 0 full, -10000 silent
  int32_t Pan;     // hundredths of a decibel: positive turns the left side down, negative the right
  int32_t Gain;    // Volume (and Pan, per side) as 4.12 fixed-point factors for the mixer
  int32_t LeftGain;
  int32_t RightGain;
  uint8_t Created;
  uint8_t Playing;
  uint8_t Software;  // placed in software by HARDBUf=; no host here has hardware buffers
  uint8_t Silent;    // all silence since the last clear (LockSoundBuffer ends it): clearing
                     // again is free and the mixer skips it
};

// Pulse 1, pulse 2, triangle, noise, delta modulation: the order the channels are created in.
enum SoundChannelIndex : int {
  kPulse1Buffer,
  kPulse2Buffer,
  kTriangleBuffer,
  kNoiseBuffer,
  kDeltaBuffer,
  kChannelBufferCount
};
constexpr int kExpansionBufferCount = 8;

// The host's sound output and the buffers it plays: the session's, not the console's.
extern SoundBuffer ChannelBuffers[kChannelBufferCount];
extern SoundBuffer ExpansionBuffers[kExpansionBufferCount];  // VRC6 uses 0-2, Namco 0-7
extern int32_t PrimaryVolume;       // the whole output, as the primary buffer's volume
extern uint32_t SoundOpen;          // the host's audio output is open
extern uint32_t SoundOutputStereo;  // the layout the host's output was opened with
extern uint32_t SoundMuted;         // frames are made but not played (fast-forward, rewind)

// Once the host's audio output is open (OpenSound, session/sound_output.h): creates the five
// channel buffers (stopped, silent) in the layout SoundStereo asks for and fills the noise table.
void SetUpSoundOutput();
// Releases every buffer; true when the output was open, so the host's is to be closed too.
bool ReleaseSoundOutput();
// Makes a stopped, silent, centred buffer (the expansion channels use it for their slots).
void CreateSoundBuffer(SoundBuffer& buffer, bool software);
// 1 and the buffer all silence, or 0 if the buffer does not exist.
uint32_t ClearSoundBuffer(SoundBuffer& buffer);
// The frame's write window (the samples at WritePosition onward), or nullptr once the buffer
// is gone.
int16_t* LockSoundBuffer(SoundBuffer& buffer);
// Starts every created buffer; all of them play in step from here on.
void StartSoundPlayback();
void SetSoundVolume(SoundBuffer& buffer, int32_t volume);
void SetSoundPan(SoundBuffer& buffer, int32_t pan);
// Pause silences the primary and the five channel buffers; resume turns them up again.
void PauseSoundVolume();
void ResumeSoundVolume();

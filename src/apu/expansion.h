// Sound chips on the cartridge: VRC6 (mapper 24: two pulses and a sawtooth) and Namco 106
// (mapper 19: eight wavetable channels). Each expansion channel plays from its own slot of
// ExpansionBuffers, written at the console channels' ring position after them, and reaches
// the host through the same mixer.
#pragma once

#include <cstdint>

constexpr int kVrc6ChannelCount = 3;
constexpr int kNamcoChannelCount = 8;

// VRC6 sound registers as mapper 24's write handler stores them: row = channel
// ($9000 -> 0, $A000 -> 1, $B000 -> 2), column = address AND 3 (0-2).
extern uint8_t Vrc6Registers[3][3];

struct Vrc6Channel {
  int32_t Countdown;    // CPU cycles left in the pulse period or the sawtooth step
  int32_t Boundary;     // pulses: below this countdown the output is low
  uint8_t Accumulator;  // sawtooth
  uint8_t Step;         // sawtooth: 0-6, the accumulator restarts after the seventh step
  int16_t Output;
};

struct NamcoChannel {
  int32_t Countdown;  // CPU cycles until the next wave sample
  uint8_t WavePosition;
  int16_t Output;  // carried into the next frame
};

extern Vrc6Channel Vrc6Channels[kVrc6ChannelCount];
extern NamcoChannel NamcoChannels[kNamcoChannelCount];

// Program-start values of the registers and channel state above.
void ResetExpansionState();

// The buffers of the chip's channels (stopped, silent, centred); 1 on success, 0 when the
// sound output is not open.
uint32_t CreateVrc6Channels();
uint32_t CreateNamcoChannels();
// Start-up, once the cartridge has loaded: the channels of its sound chip when the sound is
// on and the chip's switch (VRC6Ext, NamcoExt) is on. Nothing is created otherwise.
void CreateExpansionChannels();

// Whether this frame's sound includes the chip: the cartridge's board carries it and its
// switch is on.
bool Vrc6SoundOn();
bool NamcoSoundOn();

// One frame of each chip's channels into their buffers at WritePosition.
void RunVrc6Frame();
void RunNamcoFrame(const uint8_t* soundRam);  // soundRam: the 128-byte sound memory

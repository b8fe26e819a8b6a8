// What the sound channels carry from frame to frame, as the Machine holds it. The synthesis
// that steps it is in apu/; the types live here so that the Machine can hold them.
#pragma once

#include <cstdint>

// The sound chip a cartridge's board carries; its row in the board table names it.
enum class SoundChip : uint8_t { None, Vrc6, Namco };

struct PulseChannel {
  uint32_t Length;     // frames; starts at 0, so the first decrement wraps and never silences
  int16_t Period;      // 11-bit timer period
  int16_t WaveLength;  // samples per wave of the wave in progress
  uint16_t Phase;      // samples into the wave
  int16_t DutyThreshold;
  int16_t Output;
  uint8_t Volume;
  uint8_t EnvelopeDivider;
  uint8_t EnvelopeRunning;
  uint8_t WaveStarted;
  uint8_t SweepCounter;
};

struct TriangleChannel {
  uint16_t Period;
  int32_t Length;
  uint8_t LinearCountdown;
  uint8_t LinearStarted;  // set by the first frame without the control bit, never cleared
  uint8_t Mute;
  int8_t StepLevel;      // 0-15
  uint8_t QuarterState;  // 0 rising, 1 falling, 2 rising (negative half), 3 falling
  uint16_t Position;
  uint16_t QuarterLength;
  uint16_t CurrentQuarterLength;
  uint16_t Thresholds[16];
  int16_t Output;
};

struct NoiseChannel {
  int16_t StepLength;
  uint16_t StepCount;  // counts every sample written, never reset
  uint16_t Index;
  uint8_t EnvelopeVolume = 15;  // the one channel value that does not start at zero
  uint8_t EnvelopeDivider;
  uint8_t RestartPending;
  uint8_t ConstantVolume;
  int16_t Output;
};

struct DeltaChannel {
  uint8_t Level;  // 0-30
  uint16_t SampleAddress;
  uint16_t SampleLength;
  uint16_t ByteCount;
  uint8_t BitMask;
  uint8_t CurrentByte;
  int16_t CycleBalance;
  int16_t Output;
  uint8_t EndLogged;  // the finished-with-IRQ marker has been logged for this sample
};

// Sound chips on the cartridge: VRC6 (mapper 24: two pulses and a sawtooth) and Namco 106
// (mapper 19: eight wavetable channels).
constexpr int kVrc6ChannelCount = 3;
constexpr int kNamcoChannelCount = 8;

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

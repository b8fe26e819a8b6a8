// State of the five console sound channels and their per-frame synthesis. The state lives for
// the whole run; a CPU reset does not touch it. Each Run*Frame reads the channel's registers
// from CpuMemory and writes one frame of samples into its ring buffer at WritePosition.
// The frame as a whole is Machine::RunSoundFrame (core/machine.h, apu/sound_frame.cpp): a
// member because the delta channel fetches its sample from CpuMemory and writes its level
// back to $4011. It does nothing while the sound output is closed.
#pragma once

#include <cstdint>

struct Machine;
struct SoundBuffer;

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
  uint8_t EnvelopeVolume;
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

extern PulseChannel Pulse1;
extern PulseChannel Pulse2;
extern TriangleChannel Triangle;
extern NoiseChannel Noise;
extern DeltaChannel Delta;
extern uint16_t NoiseIndex;  // position in the long noise sequence, shared by all frames

// Samples in the current frame (367 and 368 in turn, 22050 per 60 frames) and where the frame
// starts in every ring buffer.
extern uint16_t FrameSamples;
extern uint32_t WritePosition;
extern uint32_t SoundStartPending;  // playback starts at the frame end when FrameCount is 2

// Program-start values of everything above.
void ResetSoundState();

// One frame of each channel. `registers` points at the channel's first register in CpuMemory.
void RunPulseFrame(PulseChannel& pulse, const uint8_t* registers, uint32_t& changed,
                   uint32_t sweepWritten, SoundBuffer& buffer);
void RunTriangleFrame(const uint8_t* registers, SoundBuffer& buffer);
void RunNoiseFrame(const uint8_t* registers, SoundBuffer& buffer);
void RunDeltaFrame(Machine& machine, SoundBuffer& buffer);

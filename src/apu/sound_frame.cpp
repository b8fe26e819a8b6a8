// One frame of sound: the five channels in order, each into its own ring buffer, then the
// cartridge's sound chip, then the mix of what was just written, then the frame geometry
// moves on.
#include <cstring>

#include "apu/channels.h"
#include "apu/expansion.h"
#include "apu/mixer.h"
#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

uint16_t FrameSamples;
uint32_t WritePosition;
uint32_t SoundStartPending;

namespace {
constexpr uint16_t kShortFrame = 367;
constexpr uint16_t kLongFrame = 368;
}  // namespace

void ResetSoundState() {
  FrameSamples = kShortFrame;
  WritePosition = 0;
  SoundStartPending = 1;
}

namespace {
// Program-start values hold before anything else runs.
struct ApplyStartValues {
  ApplyStartValues() { ResetSoundState(); }
} applyStartValues;
}  // namespace

// A channel switched off in $4015 plays silence; its state waits untouched.
void Machine::RunSoundFrame() {
  if (!SoundOpen) return;
  uint8_t enabled = CpuMemory[0x4015];
  if (ExactMode) enabled &= SoundingChannels(*this);  // a note whose length ran out is silent
  const uint8_t* r = CpuMemory + 0x4000;
  SoundBuffer* b = ChannelBuffers;

  if (enabled & 0x01)
    RunPulseFrame(Pulse1, r, Pulse1Changed, Pulse1SweepWritten, b[kPulse1Buffer]);
  else
    ClearSoundBuffer(b[kPulse1Buffer]);
  if (enabled & 0x02)
    RunPulseFrame(Pulse2, r + 4, Pulse2Changed, Pulse2SweepWritten, b[kPulse2Buffer]);
  else
    ClearSoundBuffer(b[kPulse2Buffer]);
  if (enabled & 0x04)
    RunTriangleFrame(*this, b[kTriangleBuffer]);
  else
    ClearSoundBuffer(b[kTriangleBuffer]);
  if (enabled & 0x08)
    RunNoiseFrame(*this, b[kNoiseBuffer]);
  else
    ClearSoundBuffer(b[kNoiseBuffer]);
  if (enabled & 0x10)
    RunDeltaFrame(*this, b[kDeltaBuffer]);
  else
    ClearSoundBuffer(b[kDeltaBuffer]);

  if (SoundStartPending && FrameCount == 2) {
    if (Vrc6SoundOn(*this)) LogText("Start VRC6 Sound Channel\n");
    StartSoundPlayback();
    SoundStartPending = 0;
  }
  if (NamcoSoundOn(*this)) RunNamcoFrame(*this);
  if (Vrc6SoundOn(*this)) RunVrc6Frame(*this);
  MixSoundFrame(WritePosition, FrameSamples);
  WritePosition = (WritePosition + FrameSamples) % kRingSamples;
  FrameSamples = FrameSamples == kShortFrame ? kLongFrame : kShortFrame;
}

#include "session/sound_output.h"

#include "apu/mixer.h"
#include "apu/sound_buffers.h"
#include "core/settings.h"
#include "host/platform.h"

uint32_t OpenSound() {
  if (!PlatformOpenAudio(SoundStereo != 0)) return 0;
  SetUpSoundOutput();
  return 1;
}

void CloseSound() {
  if (ReleaseSoundOutput()) PlatformCloseAudio();
}

void QueueMixedSound() {
  MixedSound block;
  if (TakeMixedSound(block)) PlatformQueueAudio(block.Samples, block.Frames, block.Stereo);
}

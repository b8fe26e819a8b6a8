// Creation of the expansion channels and the state they share with the sound frame.
#include "apu/expansion.h"

#include <cstring>

#include "apu/sound_buffers.h"
#include "core/machine.h"
#include "core/settings.h"
#include "log/log.h"

namespace {

uint32_t CreateExpansionBuffers(int count) {
  if (!SoundOpen) return 0;
  for (int slot = 0; slot < count; ++slot) {
    CreateSoundBuffer(ExpansionBuffers[slot], true);
    ClearSoundBuffer(ExpansionBuffers[slot]);
  }
  return 1;
}

}  // namespace

uint32_t CreateVrc6Channels() {
  if (!CreateExpansionBuffers(kVrc6ChannelCount)) return 0;
  LogText("VRC6 Extened Sound Channel Created\n");
  return 1;
}

uint32_t CreateNamcoChannels() {
  if (!CreateExpansionBuffers(kNamcoChannelCount)) return 0;
  LogText("Namco Extened Sound Channel Created\n");
  return 1;
}

void CreateExpansionChannels(const Machine& m) {
  if (!SoundOn || !SoundOpen) return;
  if (NamcoSoundOn(m)) CreateNamcoChannels();
  if (Vrc6SoundOn(m)) CreateVrc6Channels();
}

bool Vrc6SoundOn(const Machine& m) { return m.CartridgeChip == SoundChip::Vrc6 && Vrc6Extension; }
bool NamcoSoundOn(const Machine& m) {
  return m.CartridgeChip == SoundChip::Namco && NamcoExtension;
}

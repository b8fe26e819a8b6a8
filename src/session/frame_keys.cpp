#include "session/frame_keys.h"

#include <cstring>

#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "core/machine.h"
#include "frame/emulate_frame.h"
#include "log/log.h"
#include "session/debugger.h"
#include "session/message_area.h"
#include "session/pads.h"
#include "session/player_keys.h"
#include "session/run_frame.h"
#include "session/startup.h"
#include "state/recording.h"
#include "state/state_files.h"

namespace {

constexpr int kReadTries = 4;  // a keyboard that cannot be read skips this frame's keys

// Shows the next 8 KB bank of the cartridge's CHR data in the pattern tables, wrapping to the
// first after the last one (never past the cartridge's data). CHR RAM has nothing to show.
void ShowNextChrBank(Machine& m) {
  if (ChrBankCount == 0) return;
  ChrViewOffset += kChrUnitSize;
  if (ChrViewOffset > (ChrBankCount - 1) * kChrUnitSize) ChrViewOffset = 0;
  std::memcpy(m.PpuMemory, m.ChrRom + ChrViewOffset, kChrUnitSize);
  m.DecodePatterns(0x0000, 0x2000);
  // The windows no longer hold what the bank records say: the next switch must copy.
  std::memset(m.ChrWindowBank, 255, sizeof m.ChrWindowBank);
}

void Pause() {
  Paused = 1;
  PauseSoundVolume();
  ShowPaddedMessage("Emulation Paused");
}

}  // namespace

int ReadKeyRecords(KeyEvent* records) {
  int count = -1;
  for (int tries = 0; tries < kReadTries && count < 0; ++tries)
    count = PlatformReadKeyEvents(records, kKeyRecordsPerRead);
  return count < 0 ? 0 : count;
}

bool HandleSharedKey(Machine& m, const KeyEvent& record) {
  const uint8_t key = record.KeyCode;
  if (key == kKeyEscape) {  // on any event
    LogText("Via ESC\n");
    ShutDown();
    PlatformRequestClose();
    return true;
  }
  const bool pressed = KeyPressed(record);
  if (key >= kKeyDigit1 && key <= kKeyDigit0) {
    if (pressed) SaveSlot = static_cast<uint8_t>(key == kKeyDigit0 ? 0 : key - kKeyDigit1 + 1);
    return true;
  }
  switch (key) {
    case kKeyF10:
      if (pressed) ShownLines ^= 24;  // 232 and 240 alternate
      return true;
    case kKeyPadMinus:
      if (pressed) --m.IrqAdjust;
      return true;
    case kKeyPadPlus:
      if (pressed) ++m.IrqAdjust;
      return true;
    case kKeyF1:
      if (pressed) ToggleRecording(m);
      return true;
    case kKeyF2:
      if (pressed) TogglePlayback(m);
      return true;
    case kKeyF5:
      if (pressed) SaveState(m);
      return true;
    case kKeyF7:
      // While paused no frame comes to draw the loaded state: draw it now.
      if (pressed && LoadState(m) && Paused != 0 && StepCount == 0) RedrawPicture(m);
      return true;
    default:
      return false;
  }
}

void HandleFrameKeys(Machine& m) {
  KeyEvent records[kKeyRecordsPerRead];
  const int count = ReadKeyRecords(records);
  for (int i = 0; i < count; ++i) {
    const KeyEvent& record = records[i];
    if (!HandleSharedKey(m, record) && !HandlePlayerKey(m, record) && KeyPressed(record)) {
      switch (record.KeyCode) {
        case kKeyF9:
          ShowNextChrBank(m);
          break;
        case kKeyF11:
          LogText("L");
          break;  // a marker in the log
        case kKeyF12:
          Pause();
          break;
        default:
          break;
      }
    }
    ApplyPadKey(record);
  }
}

// The paused state's commands: stepping, resuming, the views and the dumps.
#include <string>

#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "core/machine.h"
#include "session/debugger.h"
#include "session/dumps.h"
#include "session/frame_keys.h"
#include "session/message_area.h"
#include "session/player_keys.h"
#include "session/views.h"

namespace {

void Resume() {
  Paused = 0;
  ResumeSoundVolume();
  ShowPaddedMessage("Emulation Started");
}

// Flips a view's switch and says so; `onWidth`/`offWidth` are the messages' padded widths.
void FlipView(uint32_t& view, const char* name, uint32_t onWidth, uint32_t offWidth) {
  view ^= 1;
  const std::string text = std::string(name) + (view ? " On" : " Off");
  ShowPaddedMessage(text, view ? onWidth : offWidth);
}

// The handler says what was dumped only when its file was written.
void Dumped(bool written, const char* done, const char* file) {
  if (written)
    ShowPaddedMessage(done);
  else
    ShowPaddedMessage(std::string("Cannot write ") + file);
}

void HandlePausedPress(Machine& m, uint8_t key) {
  switch (key) {
    case kKeyF12:
      Resume();
      break;
    case kKeySemicolon:
      ApuChannel = ApuChannel == 0 ? 4 : ApuChannel - 1;
      ApuView(m);
      break;
    case kKeyApostrophe:
      ApuChannel = ApuChannel >= 4 ? 0 : ApuChannel + 1;
      ApuView(m);
      break;
    case kKeyZ:
      FlipView(MemoryTracer, "Memory Tracer", 16, 17);
      RamPageView(m);
      break;
    case kKeyX:
      FlipView(PatternDisplay, "Pattern Display", 18, 19);
      PatternView(m);
      break;
    case kKeyC:
      FlipView(PaletteTracer, "Palette Tracer", 27, 27);
      PaletteView(m);
      break;
    case kKeyV:
      FlipView(ApuTracer, "APU Tracer", 40, 28);
      ApuView(m);
      break;
    case kKeyM:
      Dumped(DumpPatternMemory(m), "VRAM/VROM Dumped", kPatternDumpFile);
      break;
    case kKeyComma:
      Dumped(DumpSpriteRam(m), "Sprite RAM Dumped", kSpriteDumpFile);
      break;
    case kKeyPeriod:
      Dumped(DumpNameTables(m), "NameTable Dumped", kNameTableDumpFile);
      break;
    case kKeySlash:
      Dumped(DumpPalette(m), "Palette Dumped", kPaletteDumpFile);
      break;
    case kKeyRightShift:
      FlipView(VramInstantRefresh, "VRAM Instant Refresh", 40, 40);
      break;
    case kKeyHome:
      ++CycleAdjust;
      ShowPaddedMessage("Cycle Adjust Increased");
      break;
    case kKeyPageUp:
      CycleAdjust = 0;
      ShowPaddedMessage("Cycle Adjust Reseted");
      break;
    case kKeyInsert:
      --CycleAdjust;
      ShowPaddedMessage("Cycle Adjust Decreased");
      break;
    default:
      break;
  }
}

}  // namespace

void HandlePausedKeys(Machine& m) {
  KeyEvent records[kKeyRecordsPerRead];
  const int count = ReadKeyRecords(records);
  for (int i = 0; i < count; ++i) {
    const KeyEvent& record = records[i];
    if (HandleSharedKey(m, record) || HandlePlayerKey(m, record)) continue;
    const bool pressed = KeyPressed(record);
    // These act on a release too: the view is redrawn, the message shown again.
    switch (record.KeyCode) {
      case kKeyF11:
        if (pressed) StepCount = SaveSlot + 1u;
        ShowPaddedMessage("NMI Executed");
        RamPageView(m);
        continue;
      case kKeyLeftBracket:
        if (pressed) --RamPage;
        RamPageView(m);
        continue;
      case kKeyRightBracket:
        if (pressed) ++RamPage;
        RamPageView(m);
        continue;
      default:
        break;
    }
    if (pressed) HandlePausedPress(m, record.KeyCode);
  }
}

#include "debug/frame_keys.h"

#include "host/pads.h"
#include "host/platform.h"
#include "host/startup.h"
#include "log/log.h"

namespace {
constexpr uint8_t kKeyEscape = 1;
constexpr int kKeyRecords = 32;
constexpr int kReadTries = 4;  // a keyboard that cannot be read skips this frame's keys
}  // namespace

void HandleFrameKeys(Machine&) {
  KeyEvent records[kKeyRecords];
  int count = -1;
  for (int tries = 0; tries < kReadTries && count < 0; ++tries)
    count = PlatformReadKeyEvents(records, kKeyRecords);
  for (int i = 0; i < count; ++i) {
    if (records[i].KeyCode == kKeyEscape) {
      LogText("Via ESC\n");
      ShutDown();
      PlatformRequestClose();
    }
    ApplyPadKey(records[i]);
  }
}

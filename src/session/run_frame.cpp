#include "session/run_frame.h"

#include <vector>

#include "core/globals.h"
#include "core/machine.h"
#include "core/settings.h"
#include "files/files.h"
#include "frame/emulate_frame.h"
#include "host/platform.h"
#include "ppu/picture.h"
#include "session/debugger.h"
#include "session/frame_keys.h"
#include "session/pads.h"
#include "session/sound_output.h"
#include "session/startup.h"
#include "session/views.h"
#include "state/battery.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "state/state_image.h"

void RunFrame(Machine& m, uint32_t skipRender) {
  RefreshViews(m);
  if (Paused == 1 && StepCount == 0) {
    HandlePausedKeys(m);
    return;
  }
  if (CpuHalted) {
    m.Sprite0Armed = 1;
    ShutDown();
    PlatformRequestClose();
    return;
  }

  const bool drawing = skipRender == 0;
  PrepareFrame(m, drawing);

  HandleFrameKeys(m);
  UpdatePads(m);
  // A frame played again by rewind has its old buttons.
  if (RewindReplaying()) {
    ApplyRewindPads(m);
    RecordAndPlayReplayedPads(m);
  } else {
    RecordAndPlayPads(m);
  }
  BatteryFrameStep();

  EmulateFrame(m, drawing);
  QueueMixedSound();
  if (StepCount != 0) --StepCount;
}

void RedrawPicture(Machine& m) {
  // Rendering moves the scroll, the status bits and (on mapper 10) the pattern tables: the
  // machine is put back from its own image afterwards, exactly as a state load leaves it.
  std::vector<uint8_t> image(kStateImageSize);
  WriteStateImage(m, image.data());
  const uint8_t armed = m.Sprite0Armed;
  DrawStandingPicture(m);
  LoadStateImage(m, image.data(), image.size());
  m.Sprite0Armed = armed;
}

void RunRememberedFrame(Machine& m, uint32_t skipRender) {
  RememberFrameStart(m);
  RunFrame(m, skipRender);
  RememberFramePads(m);
}

bool RewindStep(Machine& m) {
  if (!RewindLoadPrevious(m)) return false;
  SetRewindReplaying(true);
  RunFrame(m, 0);
  SetRewindReplaying(false);
  return true;
}

void ResetSession() {
  ForgetRunInputs();
  ResetEmulation();
  ResetDebugger();
  ResetRecording();
  ResetBattery();
}

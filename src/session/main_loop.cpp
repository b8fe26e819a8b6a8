#include "session/main_loop.h"

#include "apu/sound_buffers.h"
#include "core/machine.h"
#include "host/platform.h"
#include "log/log.h"
#include "ppu/palette.h"
#include "ppu/screen.h"
#include "session/frame_keys.h"
#include "session/pacing.h"
#include "session/pads.h"
#include "session/run_frame.h"
#include "session/startup.h"
#include "state/rewind.h"

namespace {

void ShowMainScreen() {
  PlatformShowScreen(MainScreen.Pixels.data(), MainScreen.Width, MainScreen.Height, SystemPalette);
}

// The pacing loop's view of the real host.
constexpr uint32_t kPausedShowMs = 33;

struct PlatformLoopHost {
  Machine& M;
  uint32_t LastShownMs = 0;
  uint32_t TimeMs() { return PlatformTimeMs(); }
  void SleepMs(uint32_t ms) { PlatformSleepMs(ms); }
  // While Backspace is held each due frame steps back instead, silently.
  void RunFrame(uint32_t skipRender) {
    if (RewindHeld) SoundMuted = 1;
    if (RunPlayerFrame(M, skipRender)) ShowMainScreen();
  }
  // While paused the screen changes only through the keys: show it a few times a second.
  void HandlePausedKeys() {
    ::HandlePausedKeys(M);
    const uint32_t now = PlatformTimeMs();
    if (now - LastShownMs >= kPausedShowMs) {
      ShowMainScreen();
      LastShownMs = now;
    }
  }
  bool PollEvents() { return PlatformPollEvents(); }
};

}  // namespace

bool RunPlayerFrame(Machine& m, uint32_t skipRender) {
  if (!RewindHeld) {
    RunRememberedFrame(m, skipRender);
    return skipRender == 0;
  }
  // No frame runs at the oldest kept one, so its keys are read here: without them the
  // release, Esc and every hot key would wait for a frame that never comes.
  if (!RewindStep(m)) HandleFrameKeys(m);
  return true;
}

void MainLoop(Machine& m) {
  MainScreen.Fill(kScreenBlack);
  ShowMainScreen();
  ResetRapidFire();
  m.ResetCpu();
  LogText("NMI Vector:");
  LogNumberLine(m.CpuMemory[0xFFFA] | (m.CpuMemory[0xFFFB] << 8));
  m.RebuildPatternCache();
  ResetRewind();
  PlatformLoopHost host{m};
  RunPacedFrames(host);
  ShutDown();
}

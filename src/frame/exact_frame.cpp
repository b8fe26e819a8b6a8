#include "frame/exact_frame.h"

#include <cstring>

#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"
#include "core/settings.h"
#include "frame/emulate_frame.h"
#include "ppu/picture.h"

namespace {

constexpr int kVblankStart = 241;
constexpr int kPreRenderLine = 261;
constexpr uint8_t kBlack = 0x0F;

bool RenderingOn(const Machine& m) { return (m.CpuMemory[kPpuMask] & 0x18) != 0; }

// Vertical blank starts with its flag and the NMI, before the line's CPU time; the line
// before the picture clears the three flags.
void StartLine(Machine& m, int line) {
  uint8_t& status = m.CpuMemory[kPpuStatus];
  if (line == kVblankStart) {
    status |= 0x80;
    m.TakeNmi();  // counts the frame; enters the NMI when $2000 enables it
  } else if (line == kPreRenderLine) {
    status &= 0x1F;
    if (RenderingOn(m)) m.CpuMemory[kSpriteAddress] = 0;
  }
}

// What waits for a line boundary: the NMI that an enable in vertical blank raised, and the
// APU's IRQ, held until the program acknowledges it.
void TakeWaitingInterrupts(Machine& m) {
  if (m.IrqLine && !(m.P & 0x04)) m.TakeIrq(true);
  if (m.NmiPending) {
    m.NmiPending = 0;
    m.EnterNmi();
  }
}

}  // namespace

void ExactPictureLine(Machine& m, int line, bool draw) {
  if (!RenderingOn(m)) return;  // rows keep what they hold, the position stands still
  uint8_t* backgroundRow = BackgroundLayer + line * kPictureWidth;
  uint8_t* baseRow = BaseLayer + line * kPictureWidth;
  if (draw && line < ShownLines) {
    // The base row in whole (the backdrop under the sprites): the exact line draws no other way.
    if (const int fill = BaseRowFill(line); fill >= 0) std::memset(baseRow, fill, kPictureWidth);
    MarkBaseRow(line);
    m.ExactScanline(backgroundRow, baseRow, line);
    return;
  }
  if (draw) {
    std::memset(backgroundRow, kBlack, kPictureWidth);
    std::memset(baseRow, kBlack, kPictureWidth);
    MarkBaseRow(line);
  }
  m.ExactScanline(nullptr, nullptr, line);
}

void EmulateFrameExact(Machine& m, bool draw) {
  if (SoundOn) m.RunSoundFrame();
  m.VblankPeriod = 0;
  m.StartFrameRendering();
  for (int line = 0; line < TotalLines; ++line) {
    StepBoardCounters(m, line);
    StartLine(m, line);
    TakeWaitingInterrupts(m);
    if (line == VisibleLines) m.VblankPeriod = 1;
    RunCpuLine(m);
    if (line < VisibleLines)
      ExactPictureLine(m, line, draw);
    else if (line == VisibleLines && draw)
      PresentFrame(m);
    m.StepApuLine();
  }
  m.SyncPatternCache();  // between frames the cache is whole, for whoever looks at it
  m.EndFrameRendering();
}

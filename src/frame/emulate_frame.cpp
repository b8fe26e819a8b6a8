#include "frame/emulate_frame.h"

#include <cstring>

#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"
#include "core/settings.h"
#include "frame/exact_frame.h"
#include "ppu/picture.h"

namespace {

constexpr uint8_t kBlack = 0x0F;

// Tested once a line: the exact mode's CPU kind, else the core the configuration chose.
inline void RunCpu(Machine& m) {
  if (ExactMode)
    m.RunCpuScanlineExact();
  else if (UseMainCore)
    m.RunCpuScanline();
  else
    m.RunCpuScanlineAlt();
}

// Skipped frames do not draw, but games still wait for sprite 0 and may look at the overflow
// bit: the hit comes on the first line that crosses sprite 0's box, whatever its pixels.
// A bit already set needs no look at the sprites; the overflow count comes from a table kept
// while sprite RAM stands still. Within a frame only the CPU's stores change sprite RAM, so
// the table is held against sprite RAM whole once a frame and again only after such a store.
void ApproximateSprites(Machine& m, int line) {
  uint8_t& status = m.CpuMemory[kPpuStatus];
  if ((status & 0x60) == 0x60) return;
  const int height = (m.CpuMemory[kPpuControl] & 0x20) ? 16 : 8;
  if (!(status & 0x40) && static_cast<unsigned>(line - (m.SpriteRam[0] + 1)) < unsigned(height))
    status |= 0x40;
  if (status & 0x20) return;
  SpriteLines& sprites = m.SkippedFrameSprites;
  if (!m.SkippedFrameSpritesChecked || m.SpriteStoresChecked != m.SpriteRamStores ||
      height != sprites.Height) {
    sprites.Refresh(m.SpriteRam, height);
    m.SkippedFrameSpritesChecked = 1;
    m.SpriteStoresChecked = m.SpriteRamStores;
  }
  if (sprites.Count[line] > 8) status |= 0x20;
}

void DrawLine(Machine& m, int line, uint8_t* backgroundRow, uint8_t* baseRow) {
  if (line < ShownLines) {
    if (m.RenderScanline(backgroundRow, baseRow, line, BaseRowFill(line))) MarkBaseRow(line);
  } else {
    std::memset(backgroundRow, kBlack, kPictureWidth);
    std::memset(baseRow, kBlack, kPictureWidth);
    MarkBaseRow(line);
  }
}

inline bool RenderingOn(const Machine& m) { return (m.CpuMemory[kPpuMask] & 0x18) != 0; }

void RunVisibleLine(Machine& m, int line, bool drawing, uint8_t* backgroundRow, uint8_t* baseRow) {
  RunCpu(m);
  if (!RenderingOn(m)) return;  // rendering off: rows keep what they hold
  if (drawing)
    DrawLine(m, line, backgroundRow, baseRow);
  else
    ApproximateSprites(m, line);
}

}  // namespace

void PrepareFrame(Machine& m, bool draw) {
  m.Sprite0Armed = 1;
  m.CpuMemory[kPpuStatus] &= ~0x40;
  // Only a drawn frame reads the base layer, and each starts it as the backdrop.
  if (draw) StartBaseLayer(m.PpuMemory[0x3F00]);
  m.SkippedFrameSpritesChecked = 0;
  if (m.PatternsDirty) m.RebuildPatternCache();
}

void RunCpuLine(Machine& m) { RunCpu(m); }

void EmulateFrame(Machine& m, bool draw) {
  if (ExactMode) {
    EmulateFrameExact(m, draw);
    return;
  }
  // The whole frame's audio is made here, before the frame's CPU time.
  if (SoundOn) m.RunSoundFrame();

  m.VblankPeriod = 0;
  m.StartFrameRendering();

  uint8_t* backgroundRow = BackgroundLayer;
  uint8_t* baseRow = BaseLayer;
  for (int line = 0; line < TotalLines; ++line) {
    StepBoardCounters(m, line);
    if (line < VisibleLines) {
      RunVisibleLine(m, line, draw, backgroundRow, baseRow);
      backgroundRow += kPictureWidth;
      baseRow += kPictureWidth;
    } else if (line == VblankLine) {
      m.CpuMemory[kPpuStatus] |= 0x80;
      RunCpu(m);
      m.TakeNmi();  // counts the frame; enters the NMI only when $2000 bit 7 is set
      if (draw) PresentFrame(m);
    } else {
      if (line == VisibleLines) m.VblankPeriod = 1;
      RunCpu(m);
    }
  }
  m.SyncPatternCache();  // between frames the cache is whole, for whoever looks at it
  m.EndFrameRendering();
}

void DrawStandingPicture(Machine& m) {
  m.Sprite0Armed = 1;
  m.CpuMemory[kPpuStatus] &= ~0x40;
  FillBaseLayer(m.PpuMemory[0x3F00]);
  if (m.PatternsDirty) m.RebuildPatternCache();
  for (int line = 0; line < VisibleLines && RenderingOn(m); ++line) {
    if (ExactMode)
      ExactPictureLine(m, line, true);
    else
      DrawLine(m, line, BackgroundLayer + line * kPictureWidth, BaseLayer + line * kPictureWidth);
  }
  PresentFrame(m);
}

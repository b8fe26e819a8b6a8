// The exact mode's picture lines: the position comes from the scroll registers as the hardware
// takes it (all of t at the top of the frame, its horizontal part at every other line), sprite
// 0 hits only where one of its opaque pixels lies over an opaque background pixel, and a ninth
// sprite on a line sets the overflow flag, in drawn and skipped frames alike. The drawing
// itself is the renderer's.
#include "core/machine.h"
#include "ppu/picture.h"

namespace {

constexpr uint16_t kHorizontalBits = 0x041F;  // coarse X and the horizontal name table

// Fine Y, then coarse Y: leaving row 29 moves to the other vertical name table, while row 31
// (attribute bytes read as tiles) wraps to 0 in the same one.
uint16_t NextRow(uint16_t v) {
  if ((v & 0x7000) != 0x7000) return static_cast<uint16_t>(v + 0x1000);
  v &= 0x0FFF;
  unsigned row = (v & 0x03E0) >> 5;
  if (row == 29) {
    row = 0;
    v ^= 0x0800;
  } else {
    row = (row + 1) & 31;
  }
  return static_cast<uint16_t>((v & ~0x03E0) | (row << 5));
}

// Whether the background pixel at column x of the line that starts at v is opaque: only that
// tile's pattern row is looked at.
bool BackgroundOpaque(const Machine& m, uint16_t v, int x) {
  const unsigned pixel = m.FineX + x;
  unsigned column = (v & 0x1F) + (pixel >> 3);
  unsigned table = v & 0x0C00;
  if (column >= 32) {
    column -= 32;
    table ^= 0x0400;
  }
  const uint8_t tile = m.PpuMemory[0x2000 | table | (v & 0x03E0) | column];
  const unsigned patterns = (m.CpuMemory[kPpuControl] & 0x10) ? 16384 : 0;
  return m.PatternCache[patterns + tile * 64u + ((v >> 12) & 7) * 8u + (pixel & 7)] != 0;
}

// Pattern-cache index of a sprite's row r (already flipped); 8x16 sprites take their table
// from tile bit 0 and rows 8-15 from the pair's second tile.
unsigned SpriteRow(uint8_t control, uint8_t tile, int r) {
  if (!(control & 0x20)) return ((control & 0x08) ? 16384u : 0u) + tile * 64u + r * 8u;
  return ((tile & 1) ? 16384u : 0u) + (tile & 0xFEu) * 64u + (r & 7) * 8u + (r >= 8 ? 64u : 0u);
}

int SpriteHeight(const Machine& m) { return (m.CpuMemory[kPpuControl] & 0x20) ? 16 : 8; }

// Both layers must be on; column 255 never hits, nor do the left eight columns while either
// layer is clipped there.
bool Sprite0Hits(const Machine& m, int line, uint16_t v) {
  const uint8_t mask = m.CpuMemory[kPpuMask];
  if ((mask & 0x18) != 0x18) return false;
  const int height = SpriteHeight(m);
  int r = line - (m.SpriteRam[0] + 1);
  if (r < 0 || r >= height) return false;
  const uint8_t attributes = m.SpriteRam[2];
  if (attributes & 0x80) r = height - 1 - r;
  const uint8_t* pixels = m.PatternCache + SpriteRow(m.CpuMemory[kPpuControl], m.SpriteRam[1], r);
  const int left = (mask & 0x06) == 0x06 ? 0 : 8;
  for (int j = 0; j < 8; ++j) {
    const int x = m.SpriteRam[3] + j;
    if (x >= kPictureWidth - 1) break;
    if (x < left || !pixels[(attributes & 0x40) ? 7 - j : j]) continue;
    if (BackgroundOpaque(m, v, x)) return true;
  }
  return false;
}

// The sprites on each line (a top line of Y + 1, so Y = 255 stays off every line), from the
// table that skipped frames keep in the described mode: held against sprite RAM once a frame
// and again only after a store into it.
int SpritesOnLine(Machine& m, int line) {
  SpriteLines& sprites = m.SkippedFrameSprites;
  const int height = SpriteHeight(m);
  if (!m.SkippedFrameSpritesChecked || m.SpriteStoresChecked != m.SpriteRamStores ||
      height != sprites.Height) {
    sprites.Refresh(m.SpriteRam, height);
    m.SkippedFrameSpritesChecked = 1;
    m.SpriteStoresChecked = m.SpriteRamStores;
  }
  return sprites.Count[line];
}

}  // namespace

void Machine::ExactScanline(uint8_t* backgroundRow, uint8_t* baseRow, int line) {
  SyncPatternCache();  // bank switches reach the pattern cache only when a line looks at it
  const uint16_t v = line == 0 ? TempAddress
                               : static_cast<uint16_t>((VramAddress & ~kHorizontalBits) |
                                                       (TempAddress & kHorizontalBits));
  if (backgroundRow) {
    // The renderer keeps the tile position and the pattern row apart.
    VramAddress = v & 0x0FFF;
    FineY = (v >> 12) & 7;
    DrawScanlineLayers(backgroundRow, baseRow, line);
  }
  uint8_t& status = CpuMemory[kPpuStatus];
  if (Sprite0Armed && Sprite0Hits(*this, line, v)) {
    status |= 0x40;
    Sprite0Armed = 0;
  }
  if (!(status & 0x20) && SpritesOnLine(*this, line) > 8) status |= 0x20;
  VramAddress = NextRow(v);
  CpuMemory[kSpriteAddress] = 0;  // sprite fetches leave the sprite address at 0
}

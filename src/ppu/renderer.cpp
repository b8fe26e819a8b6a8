// Scanline renderer: one picture line from the PPU state as it stands after the CPU has run
// that line, so register writes take effect at line granularity.
#include <cstring>

#include "core/globals.h"
#include "core/machine.h"
#include "ppu/picture.h"
#include "ppu/tile_rows.h"

namespace {

constexpr uint8_t kBlank = 0x0F;  // colour of masked and switched-off background pixels

// Pattern-cache index of one sprite row; r is already flipped. In 8x16 mode the table comes
// from tile bit 0 and the pair's second tile holds rows 8-15.
inline uint32_t SpriteRowIndex(uint8_t control, uint8_t tile, int r) {
  if (!(control & 0x20)) return ((control & 0x08) ? 16384u : 0u) + tile * 64u + r * 8u;
  return ((tile & 1) ? 16384u : 0u) + (tile & 0xFEu) * 64u + (r & 7) * 8u + (r >= 8 ? 64u : 0u);
}

// Colour-number offset (0, 4, 8 or 12) of the palette the attribute table gives tile address a.
inline uint8_t AttributeBits(const Machine& m, uint16_t a) {
  const uint8_t byte =
      m.PpuMemory[(a & 0xC00) | 0x23C0 | ((a & 0x1F) >> 2) | (((a & 0x3E0) >> 7) << 3)];
  const int shift = ((a & 0x02) ? 2 : 0) | ((a & 0x40) ? 4 : 0);
  return static_cast<uint8_t>(((byte >> shift) & 3) * 4);
}

inline void DrawTileRow(uint8_t* out, const uint8_t* pattern, const uint8_t* colours) {
  uint64_t pixels, opaque;
  std::memcpy(&pixels, pattern, 8);
  const uint64_t result = RowColours(pixels, colours, opaque);
  std::memcpy(out, &result, 8);
}

// Mapper 10's latch: a background tile $FD or $FE swaps the background's pattern table for
// the 4 KB bank the board stored for that table and tile value.
void FlipTileLatch(Machine& m, uint8_t tile) {
  const int table = (m.CpuMemory[kPpuControl] & 0x10) ? 1 : 0;
  const uint8_t bank = m.BankRegs[table * 2 + (tile == 0xFE ? 1 : 0)];
  // Without CHR ROM the pattern tables are the game's RAM and the store holds nothing.
  if (ChrBankCount != 0) {
    m.CopyChrWindow(static_cast<uint16_t>(table * 0x1000), 4, bank);  // 4 KB units
  }
  (table ? m.LineIrqEnabled : m.LineReload) = tile;  // the two ChrLatch bytes
}

// Mapper 10's path: a tile at a time, since a $FD or $FE tile can switch the pattern table in
// the middle of the line. Returns the working tile address after the last tile.
uint16_t DrawBackgroundWithLatch(Machine& m, uint8_t* row) {
  const uint32_t table = (m.CpuMemory[kPpuControl] & 0x10) ? 16384u : 0u;
  const uint32_t fineRow = (m.FineY & 7u) * 8u;
  const bool scrolled = m.FineX != 0 || (m.VramAddress & 0x1F) != 0;
  uint16_t a = m.VramAddress | 0x2000;
  // The tiles come straight from the decoded pages the latch switches to: a line that
  // switches there and back leaves the pattern cache as it found it.
  const uint8_t* pattern = m.PatternPixels(table + m.PpuMemory[a] * 64u + fineRow);
  const uint8_t* colours = m.RenderPalette + AttributeBits(m, a);
  int x = 0;
  int column = m.FineX & 7;
  for (;;) {
    if (column == 0 && x <= kPictureWidth - 8) {
      DrawTileRow(row + x, pattern, colours);
      x += 8;
    } else {
      for (; column < 8 && x < kPictureWidth; ++column, ++x) row[x] = colours[pattern[column]];
      if (column < 8) break;  // the line ended inside this tile
    }
    column = 0;
    // Next tile; at the end of a row of 32 the fetch wraps into the other horizontal name
    // table, but only if the line did not start exactly on a table's first column.
    if (((a + 1) & 0x1F) == 0) {
      a -= 0x1F;
      if (scrolled) a ^= 0x400;
    } else {
      ++a;
    }
    const uint8_t tile = m.PpuMemory[a];
    if (tile == 0xFD || tile == 0xFE) FlipTileLatch(m, tile);
    pattern = m.PatternPixels(table + tile * 64u + fineRow);
    colours = m.RenderPalette + AttributeBits(m, a);
    if (x >= kPictureWidth) break;
  }
  if (!(m.CpuMemory[kPpuMask] & 0x02)) std::memset(row, kBlank, 8);
  return a;
}

// Every other board: the line is built in whole tile pairs from the even tile at or left of
// the first one (a pair shares its attribute bits). 32 tile steps from the first tile end on
// the same column, in the other horizontal table when the line wrapped into it.
//
// The pairs' tiles and attributes are the same for the eight lines of a tile row, so they
// are kept (Machine::BackgroundTileCache) with the name and attribute bytes they came from.
// Inside the frame loop only the CPU's writes change those bytes: until one comes, the next
// line of the same tile row takes the pairs without a look at the bytes.

// Inline and without an early exit: the compiler makes it a few vector operations.
inline bool SameBytes(const uint8_t* a, const uint8_t* b, unsigned count) {
  uint64_t difference = 0;
  for (unsigned i = 0; i < count; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    difference |= x ^ y;
  }
  return difference == 0;
}

const TileRow& TilesOfLine(Machine& m, uint16_t rowStart, uint16_t wrapStart, unsigned firstColumn,
                           uint32_t table) {
  BackgroundTiles& tiles = m.BackgroundTileCache;
  const unsigned attributeRow = 0x23C0 | (((rowStart & 0x3E0) >> 7) << 3);
  const uint8_t* attributes[2] = {m.PpuMemory + ((rowStart & 0xC00) | attributeRow),
                                  m.PpuMemory + ((wrapStart & 0xC00) | attributeRow)};
  if (tiles.Valid && tiles.RowStart == rowStart && tiles.WrapStart == wrapStart &&
      tiles.FirstColumn == firstColumn && tiles.Table == table &&
      ((m.FrameLoopRunning && tiles.WritesChecked == m.PpuSpaceWrites) ||
       (SameBytes(tiles.Names, m.PpuMemory + rowStart, 32) &&
        SameBytes(tiles.Names + 32, m.PpuMemory + wrapStart, 32) &&
        SameBytes(tiles.Attributes, attributes[0], 8) &&
        SameBytes(tiles.Attributes + 8, attributes[1], 8)))) {
    tiles.WritesChecked = m.PpuSpaceWrites;
    return tiles.Row;
  }
  tiles.WritesChecked = m.PpuSpaceWrites;
  tiles.Valid = true;
  tiles.RowStart = rowStart, tiles.WrapStart = wrapStart;
  tiles.FirstColumn = firstColumn, tiles.Table = table;
  std::memcpy(tiles.Names, m.PpuMemory + rowStart, 32);
  std::memcpy(tiles.Names + 32, m.PpuMemory + wrapStart, 32);
  std::memcpy(tiles.Attributes, attributes[0], 8);
  std::memcpy(tiles.Attributes + 8, attributes[1], 8);
  const unsigned rowShift = (rowStart & 0x40) ? 4 : 0;  // coarse Y bit 1
  for (unsigned pair = 0; pair < kBackgroundPairs; ++pair) {
    const unsigned at = firstColumn + pair * 2;  // 0-63: past 31 in the wrapped table
    tiles.Row.Left[pair] = static_cast<uint16_t>(table + tiles.Names[at] * 64u);
    tiles.Row.Right[pair] = static_cast<uint16_t>(table + tiles.Names[at + 1] * 64u);
    const unsigned shift = rowShift | (at & 2);
    tiles.Row.Attribute[pair] =
        static_cast<uint8_t>(((tiles.Attributes[at >> 2] >> shift) & 3) * 4);
  }
  return tiles.Row;
}

[[gnu::always_inline]] inline uint16_t DrawBackground(Machine& m, uint8_t* row) {
  const uint32_t table = (m.CpuMemory[kPpuControl] & 0x10) ? 16384u : 0u;
  const uint16_t a = m.VramAddress | 0x2000;
  const unsigned coarseX = a & 0x1F;
  const bool scrolled = m.FineX != 0 || coarseX != 0;
  const uint16_t rowStart = a & ~0x1F;
  const uint16_t wrapStart = scrolled ? rowStart ^ 0x400 : rowStart;
  const TileRow& tiles = TilesOfLine(m, rowStart, wrapStart, coarseX & ~1u, table);
  DrawTileRow(row, tiles, m.PatternCache + (m.FineY & 7u) * 8u, m.RenderPalette,
              (coarseX & 1) * 8 + (m.FineX & 7));
  if (!(m.CpuMemory[kPpuMask] & 0x02)) std::memset(row, kBlank, 8);
  return scrolled ? a ^ 0x400 : a;
}

// Fine Y runs on; after row 7 coarse Y advances, wrapping 31 to 0 within its five bits, and
// leaving row 29 moves to the other vertical name table.
void StepVertical(Machine& m, uint16_t a) {
  if (m.FineY < 7) {
    ++m.FineY;
    return;
  }
  m.FineY = 0;
  uint16_t address = static_cast<uint16_t>((a & ~0x3E0) | ((a + 0x20) & 0x3E0));
  if ((address & 0x3E0) == (30 << 5)) address = (address & ~0x3E0) ^ 0x800;
  m.VramAddress = address;
}

// Sprite 0's own pixels decide the hit: background, X, flips and the enables play no part.
void TestSprite0Hit(Machine& m, int line) {
  const int y0 = m.SpriteRam[0];
  const uint8_t control = m.CpuMemory[kPpuControl];
  const int height = (control & 0x20) ? 16 : 8;
  int r = line - y0 - 1;
  if (r < 0 || r >= height) return;
  if (m.SpriteRam[2] & 0x80) r = height - 1 - r;
  const uint8_t* pixels = m.PatternCache + SpriteRowIndex(control, m.SpriteRam[1], r);
  for (int j = 0; j < 8; ++j) {
    if (pixels[j]) {
      m.CpuMemory[kPpuStatus] |= 0x40;
      m.Sprite0Armed = 0;
      return;
    }
  }
}

// The sprites on a line, from the table kept while sprite RAM stands still. Inside the frame
// loop only the CPU's stores change sprite RAM, so there the table is held against sprite RAM
// whole once a frame and again only after a store; anywhere else, at every line.
const uint8_t* SpritesOnLine(Machine& m, int height, int line, int& count) {
  SpriteLines& lines = m.RenderSpriteLines;
  if (!m.FrameLoopRunning || m.RenderSpriteStores != m.SpriteRamStores) {
    lines.Refresh(m.SpriteRam, height);
    m.RenderSpriteStores = m.SpriteRamStores;
  } else if (height != lines.Height) {
    lines.Rebuild(m.SpriteRam, height);
  }
  count = lines.Count[line];
  return lines.Sprites[line];
}

// Sprites 63 down to 0, so a lower number ends on top within its layer. Front sprites go over
// the background where their pixels are opaque; behind sprites go whole into the base layer,
// their transparent pixels as the backdrop colour. No per-line limit unless one is given: then
// only the `limit` lowest-numbered sprites on the line are drawn. A base row still to be filled
// (baseFill, the colour, not -1) is filled before the first behind sprite goes in.
[[gnu::always_inline]] inline void DrawSprites(Machine& m, uint8_t* backgroundRow, uint8_t* baseRow,
                                               int line, int& baseFill, int limit = 64) {
  const uint8_t control = m.CpuMemory[kPpuControl];
  const bool leftColumn = m.CpuMemory[kPpuMask] & 0x04;
  const int height = (control & 0x20) ? 16 : 8;
  int count = 0;
  const uint8_t* onLine = SpritesOnLine(m, height, line, count);
  if (count == 0) return;  // most lines of most games: no call into the row painter
  SpriteRow rows[64];
  int drawn = 0;
  bool anyBehind = false;
  for (int i = count > limit ? count - limit : 0; i < count; ++i) {
    const uint8_t* sprite = m.SpriteRam + onLine[i] * 4;
    const int x = sprite[3];
    if (!leftColumn && x <= 7) continue;
    int r = line - (sprite[0] + 1);
    const uint8_t attributes = sprite[2];
    if (attributes & 0x80) r = height - 1 - r;
    rows[drawn++] = {SpriteRowIndex(control, sprite[1], r), static_cast<uint8_t>(x), attributes};
    anyBehind |= (attributes & 0x20) != 0;
  }
  // Only behind sprites write the base row, so filling it first changes nothing else.
  if (anyBehind && baseFill >= 0) std::memset(baseRow, baseFill, kPictureWidth), baseFill = -1;
  if (drawn != 0)
    PutSpriteRows(backgroundRow, baseRow, rows, drawn, m.PatternCache, m.RenderPalette + 16);
}

}  // namespace

void Machine::StartFrameRendering() {
  FrameLoopRunning = 1;
  RenderSpriteStores = SpriteRamStores - 1;  // counts that differ: the first line looks
  BackgroundTileCache.WritesChecked = PpuSpaceWrites - 1;
}

void Machine::EndFrameRendering() { FrameLoopRunning = 0; }

bool Machine::RenderScanline(uint8_t* backgroundRow, uint8_t* baseRow, int line, int baseFill) {
  SyncPatternCache();
  // Coarse X and the horizontal table come from the latch every line; the vertical position
  // is taken whole only at the top of the frame.
  if (line == 0)
    VramAddress = TempAddress & 0x0FFF;
  else
    VramAddress = (VramAddress & 0x0BE0) | (TempAddress & 0x041F);

  uint16_t a = VramAddress | 0x2000;
  if (CpuMemory[kPpuMask] & 0x08) {
    a = TileLatch ? DrawBackgroundWithLatch(*this, backgroundRow)
                  : DrawBackground(*this, backgroundRow);
  } else {
    std::memset(backgroundRow, kBlank, kPictureWidth);
  }
  StepVertical(*this, a);
  if (Sprite0Armed) TestSprite0Hit(*this, line);
  if (CpuMemory[kPpuMask] & 0x10) DrawSprites(*this, backgroundRow, baseRow, line, baseFill);
  return baseFill < 0;
}

void Machine::DrawScanlineLayers(uint8_t* backgroundRow, uint8_t* baseRow, int line) {
  if (!(CpuMemory[kPpuMask] & 0x08))
    std::memset(backgroundRow, kBlank, kPictureWidth);
  else if (TileLatch)
    DrawBackgroundWithLatch(*this, backgroundRow);
  else
    DrawBackground(*this, backgroundRow);
  int filled = -1;  // the caller fills the base row
  if (CpuMemory[kPpuMask] & 0x10) DrawSprites(*this, backgroundRow, baseRow, line, filled, 8);
}

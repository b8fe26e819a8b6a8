// Scanline renderer: one picture line from the PPU state as it stands after the CPU has run
// that line, so register writes take effect at line granularity.
#include <cstring>

#include "core/globals.h"
#include "core/machine.h"
#include "ppu/picture.h"

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

// Eight pixels of one tile row at once: each cache byte (0-3) picks one of the four colours.
inline void DrawTileRow(uint8_t* out, const uint8_t* pattern, const uint8_t* colours) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  uint64_t pixels;
  std::memcpy(&pixels, pattern, 8);
  const uint64_t low = (pixels & kOnes) * 0xFF;          // 0xFF in bytes with bit 0 set
  const uint64_t high = ((pixels >> 1) & kOnes) * 0xFF;  // 0xFF in bytes with bit 1 set
  const uint64_t result =
      ((colours[0] * kOnes) & ~low & ~high) | ((colours[1] * kOnes) & low & ~high) |
      ((colours[2] * kOnes) & ~low & high) | ((colours[3] * kOnes) & low & high);
  std::memcpy(out, &result, 8);
}

// Mapper 10's latch: a background tile $FD or $FE swaps the background's pattern table for
// the 4 KB bank the board stored for that table and tile value.
void FlipTileLatch(Machine& m, uint8_t tile) {
  const int table = (m.CpuMemory[kPpuControl] & 0x10) ? 1 : 0;
  const uint8_t bank = m.BankRegs[table * 2 + (tile == 0xFE ? 1 : 0)];
  // Bank numbers count 4 KB units; wrap inside the 512 KB store.
  const uint32_t source = (bank % (sizeof m.ChrRom / 0x1000)) * 0x1000u;
  std::memcpy(m.PpuMemory + table * 0x1000, m.ChrRom + source, 0x1000);
  m.DecodePatterns(static_cast<uint16_t>(table * 0x1000), 0x1000);
  (table ? m.LineIrqEnabled : m.LineReload) = tile;  // the two ChrLatch bytes
}

// Draws the 256 background pixels and returns the working tile address after the last tile.
template <bool kTileLatch>
uint16_t DrawBackground(Machine& m, uint8_t* row) {
  const uint32_t table = (m.CpuMemory[kPpuControl] & 0x10) ? 16384u : 0u;
  const uint32_t fineRow = (m.FineY & 7u) * 8u;
  const bool scrolled = m.FineX != 0 || (m.VramAddress & 0x1F) != 0;
  uint16_t a = m.VramAddress | 0x2000;
  const uint8_t* pattern = m.PatternCache + table + m.PpuMemory[a] * 64u + fineRow;
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
    if constexpr (kTileLatch) {
      if (tile == 0xFD || tile == 0xFE) FlipTileLatch(m, tile);
    }
    pattern = m.PatternCache + table + tile * 64u + fineRow;
    colours = m.RenderPalette + AttributeBits(m, a);
    if (x >= kPictureWidth) break;
  }
  if (!(m.CpuMemory[kPpuMask] & 0x02)) std::memset(row, kBlank, 8);
  return a;
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
      Sprite0Armed = 0;
      return;
    }
  }
}

// Which sprites cover each picture line, highest number first. Rebuilt only when sprite RAM
// or the sprite height differs from what it was built from, so a frame whose sprites stand
// still pays one 256-byte compare per line instead of testing all 64 sprites.
struct SpriteLines {
  uint8_t Source[256];
  int Height = 0;
  uint8_t Count[kPictureHeight];
  uint8_t Sprites[kPictureHeight][64];

  const uint8_t* For(const uint8_t* spriteRam, int height, int line, int& count) {
    if (height != Height || std::memcmp(Source, spriteRam, sizeof Source) != 0) {
      Rebuild(spriteRam, height);
    }
    count = Count[line];
    return Sprites[line];
  }

  void Rebuild(const uint8_t* spriteRam, int height) {
    std::memcpy(Source, spriteRam, sizeof Source);
    Height = height;
    std::memset(Count, 0, sizeof Count);
    for (int k = 63; k >= 0; --k) {
      const int top = (spriteRam[k * 4] + 1) & 0xFF;  // Y 255 wraps to the top line
      for (int line = top; line < top + height && line < kPictureHeight; ++line) {
        Sprites[line][Count[line]++] = static_cast<uint8_t>(k);
      }
    }
  }
};

SpriteLines spriteLines;

// Sprites 63 down to 0, so a lower number ends on top within its layer. Front sprites go over
// the background; behind sprites go whole into the base layer, their transparent pixels as the
// backdrop colour. No per-line limit.
void DrawSprites(Machine& m, uint8_t* backgroundRow, uint8_t* baseRow, int line) {
  const uint8_t control = m.CpuMemory[kPpuControl];
  const bool leftColumn = m.CpuMemory[kPpuMask] & 0x04;
  const int height = (control & 0x20) ? 16 : 8;
  int count = 0;
  const uint8_t* onLine = spriteLines.For(m.SpriteRam, height, line, count);
  for (int i = 0; i < count; ++i) {
    const uint8_t* sprite = m.SpriteRam + onLine[i] * 4;
    const int x = sprite[3];
    if (!leftColumn && x <= 7) continue;
    int r = line - ((sprite[0] + 1) & 0xFF);
    const uint8_t attributes = sprite[2];
    if (attributes & 0x80) r = height - 1 - r;
    const uint8_t* pixels = m.PatternCache + SpriteRowIndex(control, sprite[1], r);
    const uint8_t* colours = m.RenderPalette + 16 + 4 * (attributes & 3);
    const bool flipped = attributes & 0x40;
    const int width = x <= kPictureWidth - 8 ? 8 : kPictureWidth - x;  // clip at column 255
    if (attributes & 0x20) {
      for (int j = 0; j < 8; ++j) {
        const int column = flipped ? 7 - j : j;
        if (column < width) baseRow[x + column] = colours[pixels[j]];
      }
    } else {
      for (int j = 0; j < 8; ++j) {
        const int column = flipped ? 7 - j : j;
        if (pixels[j] && column < width) backgroundRow[x + column] = colours[pixels[j]];
      }
    }
  }
}

}  // namespace

void Machine::RenderScanline(uint8_t* backgroundRow, uint8_t* baseRow, int line) {
  // Coarse X and the horizontal table come from the latch every line; the vertical position
  // is taken whole only at the top of the frame.
  if (line == 0)
    VramAddress = TempAddress & 0x0FFF;
  else
    VramAddress = (VramAddress & 0x0BE0) | (TempAddress & 0x041F);

  uint16_t a = VramAddress | 0x2000;
  if (CpuMemory[kPpuMask] & 0x08) {
    a = MapperNumber == 10 ? DrawBackground<true>(*this, backgroundRow)
                           : DrawBackground<false>(*this, backgroundRow);
  } else {
    std::memset(backgroundRow, kBlank, kPictureWidth);
  }
  StepVertical(*this, a);
  if (Sprite0Armed) TestSprite0Hit(*this, line);
  if (CpuMemory[kPpuMask] & 0x10) DrawSprites(*this, backgroundRow, baseRow, line);
}

// What the renderer and the frame's sprite approximation keep from line to line, as the
// Machine holds it: worked-out tile rows and which sprites cover each line. Each cache is
// checked against the state it was built from before use, so it never changes a picture.
// The drawing itself is in ppu/; the types live here so that the Machine can hold them.
#pragma once

#include <cstdint>
#include <cstring>

constexpr int kPictureWidth = 256;
constexpr int kPictureHeight = 240;

// 17 pairs cover the 256 visible pixels from any scroll, starting at an even tile.
constexpr unsigned kBackgroundPairs = 17;

// One line's tiles: the same for the eight lines of a tile row but for the pattern row.
struct TileRow {
  uint16_t Left[kBackgroundPairs];      // pattern-cache offset of the even tile (table included)
  uint16_t Right[kBackgroundPairs];     // and of the odd tile
  uint8_t Attribute[kBackgroundPairs];  // palette offset 0, 4, 8 or 12 shared by the pair
};

// The pairs' tiles and attributes of the last line drawn, with the name and attribute bytes
// they came from: worked out again only when a line reads other tables or those bytes changed.
struct BackgroundTiles {
  bool Valid;
  uint16_t RowStart, WrapStart;  // the two horizontal tables' rows the line reads
  unsigned FirstColumn;          // the first pair's even tile: 0-30
  uint32_t Table;                // pattern-cache offset of the background table
  uint8_t Names[64];             // the row in each table
  uint8_t Attributes[16];        // the attribute row in each table
  uint32_t WritesChecked;        // Machine::PpuSpaceWrites when last held against those bytes
  TileRow Row;
};

// The pattern cache's eight 1 KB windows as bank switches left them. A switch to a CHR ROM page
// only notes the page: its pixels, decoded once into the decoded CHR store, are copied into
// the cache when a line is drawn or anything else reads the cache (Machine::SyncPatternCache),
// so a program switching banks many times a line pays for one copy, not a decode per switch.
constexpr int kPatternWindows = 8;
constexpr uint32_t kChrPages = 512;  // 1 KB pages of the CHR store

struct PatternWindows {
  uint8_t Pending;                   // bit w: window w's pixels are still to be copied in
  uint8_t BytesPending;              // bit w: and the record of its pattern bytes
  uint16_t Held[kPatternWindows];    // the page whose pixels the window holds, plus one (0: none)
  uint16_t Wanted[kPatternWindows];  // the page the last switch put there, plus one
  uint8_t StoreHolds[kChrPages];     // the decoded store holds this machine's page
};

// Which sprites cover each picture line, highest number first. Rebuilt only when sprite RAM
// or the sprite height differs from what it was built from, so a frame whose sprites stand
// still pays a 256-byte compare instead of testing all 64 sprites.
struct SpriteLines {
  uint8_t Source[256];
  int Height;
  uint8_t Count[kPictureHeight];
  uint8_t Sprites[kPictureHeight][64];

  void Refresh(const uint8_t* spriteRam, int height) {
    if (height != Height || std::memcmp(Source, spriteRam, sizeof Source) != 0)
      Rebuild(spriteRam, height);
  }

  // A sprite's top line is its Y byte + 1. Y = 255 puts it below the picture: games hide
  // unused sprites that way.
  void Rebuild(const uint8_t* spriteRam, int height) {
    std::memcpy(Source, spriteRam, sizeof Source);
    Height = height;
    std::memset(Count, 0, sizeof Count);
    for (int k = 63; k >= 0; --k) {
      const int top = spriteRam[k * 4] + 1;
      for (int line = top; line < top + height && line < kPictureHeight; ++line)
        Sprites[line][Count[line]++] = static_cast<uint8_t>(k);
    }
  }
};

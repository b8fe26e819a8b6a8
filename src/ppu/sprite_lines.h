// Which sprites cover each picture line, highest number first, for the renderer and for the
// skipped frames' sprite approximation. Rebuilt only when sprite RAM or the sprite height
// differs from what it was built from, so a frame whose sprites stand still pays one
// 256-byte compare per line instead of testing all 64 sprites.
#pragma once

#include <cstdint>
#include <cstring>

#include "ppu/picture.h"

// Counts the CPU's stores into sprite RAM ($2004 and sprite DMA), so a frame can tell that
// sprite RAM stood still since it last looked without comparing it.
extern uint32_t SpriteRamStores;

struct SpriteLines {
  uint8_t Source[256];
  int Height = 0;
  uint8_t Count[kPictureHeight];
  uint8_t Sprites[kPictureHeight][64];

  void Refresh(const uint8_t* spriteRam, int height) {
    if (height != Height || std::memcmp(Source, spriteRam, sizeof Source) != 0)
      Rebuild(spriteRam, height);
  }

  const uint8_t* For(const uint8_t* spriteRam, int height, int line, int& count) {
    Refresh(spriteRam, height);
    count = Count[line];
    return Sprites[line];
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

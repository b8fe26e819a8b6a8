// Frame composition. Background priority is decided by colour: a background pixel of the
// backdrop colour lets the base layer (backdrop and behind-background sprites) show through.
#include <cstring>

#include "core/machine.h"
#include "ppu/picture.h"
#include "ppu/screen.h"

uint8_t BackgroundLayer[kPictureWidth * kPictureHeight];
uint8_t BaseLayer[kPictureWidth * kPictureHeight];

namespace {

// Which base rows hold their own pixels; the others are the frame-start backdrop throughout.
bool BaseRowHeld[kPictureHeight];
uint8_t BaseBackdrop;

}  // namespace

void FillBaseLayer(uint8_t backdrop) {
  std::memset(BaseLayer, backdrop, sizeof BaseLayer);
  std::memset(BaseRowHeld, true, sizeof BaseRowHeld);
  BaseBackdrop = backdrop;
}

void StartBaseLayer(uint8_t backdrop) {
  std::memset(BaseRowHeld, false, sizeof BaseRowHeld);
  BaseBackdrop = backdrop;
}

int BaseRowFill(int y) { return BaseRowHeld[y] ? -1 : BaseBackdrop; }

void MarkBaseRow(int y) { BaseRowHeld[y] = true; }

namespace {

// Both bytes read and a select made, the rows declared apart, so that the compiler can do it
// many bytes at a time.
void ComposeRow(uint8_t* __restrict out, const uint8_t* __restrict background,
                const uint8_t* __restrict base, uint8_t key) {
  for (int i = 0; i < kPictureWidth; ++i) {
    const uint8_t pixel = background[i], under = base[i];
    out[i] = pixel != key ? pixel : under;
  }
}

// A row whose base is the backdrop alone.
void ComposeRowOverBackdrop(uint8_t* __restrict out, const uint8_t* __restrict background,
                            uint8_t key) {
  for (int i = 0; i < kPictureWidth; ++i) {
    const uint8_t pixel = background[i];
    out[i] = pixel != key ? pixel : BaseBackdrop;
  }
}

void FillUnheldBaseRows() {
  for (int y = 0; y < kPictureHeight; ++y)
    if (!BaseRowHeld[y]) std::memset(BaseLayer + y * kPictureWidth, BaseBackdrop, kPictureWidth);
  std::memset(BaseRowHeld, true, sizeof BaseRowHeld);
}

}  // namespace

void PresentFrame(const Machine& m) {
  const uint8_t key = m.PpuMemory[0x3F00];
  Screen& screen = MainScreen;
  if (screen.Width < kPictureLeft + kPictureWidth || screen.Height < kPictureTop + kPictureHeight) {
    // A screen too small for the whole picture: composed in the base layer, copied clipped.
    FillUnheldBaseRows();
    for (int i = 0; i < kPictureWidth * kPictureHeight; ++i) {
      const uint8_t pixel = BackgroundLayer[i];
      BaseLayer[i] = pixel != key ? pixel : BaseLayer[i];
    }
    screen.CopyBlock(BaseLayer, kPictureWidth, kPictureHeight, kPictureLeft, kPictureTop);
    return;
  }
  for (int y = 0; y < kPictureHeight; ++y) {
    const int row = y * kPictureWidth;
    uint8_t* out =
        &screen.Pixels[static_cast<size_t>(kPictureTop + y) * screen.Width + kPictureLeft];
    if (BaseRowHeld[y])
      ComposeRow(out, BackgroundLayer + row, BaseLayer + row, key);
    else
      ComposeRowOverBackdrop(out, BackgroundLayer + row, key);
  }
}

uint64_t ShownPictureHash() {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x)
      hash = (hash ^ MainScreen.PixelAt(kPictureLeft + x, kPictureTop + y)) * 0x100000001B3ull;
  return hash;
}

#include "session/player_view.h"

#include <algorithm>

#include "core/globals.h"
#include "ppu/picture.h"
#include "session/debugger.h"

uint32_t DebuggerViewKey;
uint32_t PixelAspect8To7;

namespace {

// The picture's width on screen for a given height, in whole pixels.
int PictureWidthFor(int height, bool aspect8To7) {
  const int64_t wide = int64_t{height} * kPictureWidth * (aspect8To7 ? 8 : 7);
  return static_cast<int>((wide + kPictureHeight * 7 / 2) / (kPictureHeight * 7));
}

ViewRect Centred(int windowWidth, int windowHeight, int width, int height) {
  return ViewRect{(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

}  // namespace

ViewRect PlayerPictureRect(int windowWidth, int windowHeight, bool aspect8To7) {
  windowWidth = std::max(windowWidth, 1);
  windowHeight = std::max(windowHeight, 1);
  int scale = windowHeight / kPictureHeight;
  while (scale > 0 && PictureWidthFor(scale * kPictureHeight, aspect8To7) > windowWidth) --scale;
  if (scale > 0) {
    const int height = scale * kPictureHeight;
    return Centred(windowWidth, windowHeight, PictureWidthFor(height, aspect8To7), height);
  }
  // Smaller than the picture itself: shrink, keeping the shape.
  const int natural = PictureWidthFor(kPictureHeight, aspect8To7);
  return ScreenRect(windowWidth, windowHeight, natural, kPictureHeight);
}

ViewRect ScreenRect(int windowWidth, int windowHeight, int screenWidth, int screenHeight) {
  windowWidth = std::max(windowWidth, 1);
  windowHeight = std::max(windowHeight, 1);
  int width = windowWidth;
  int height = static_cast<int>(int64_t{width} * screenHeight / screenWidth);
  if (height > windowHeight) {
    height = windowHeight;
    width = static_cast<int>(int64_t{height} * screenWidth / screenHeight);
  }
  return Centred(windowWidth, windowHeight, std::max(width, 1), std::max(height, 1));
}

bool DebuggerViewShown() { return Paused != 0 || DebuggerViewKey != 0 || AnyDebugViewOn(); }

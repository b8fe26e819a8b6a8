#include "session/player_keys.h"

#include <sys/stat.h>

#include <cstdio>
#include <string_view>
#include <vector>

#include "files/places.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/png_file.h"
#include "ppu/screen.h"
#include "session/config.h"
#include "session/frame_keys.h"
#include "session/message_area.h"
#include "session/pacing.h"
#include "session/player_view.h"

namespace {

constexpr int kMaxScreenshots = 999;

// GAME.NES in any folder gives GAME.
std::string CartridgeBaseName() {
  std::string_view path(CartridgePath);
  const size_t slash = path.find_last_of('/');
  if (slash != std::string_view::npos) path.remove_prefix(slash + 1);
  const size_t dot = path.find_last_of('.');
  if (dot != std::string_view::npos && dot > 0) path = path.substr(0, dot);
  return path.empty() ? std::string("halvoren") : std::string(path);
}

bool Exists(const std::string& name) {
  struct stat info;
  return stat(name.c_str(), &info) == 0;
}

}  // namespace

std::string TakeScreenshot() {
  const std::string base = CartridgeBaseName();
  std::string name, notice;
  for (int n = 1; n <= kMaxScreenshots && name.empty(); ++n) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "-%03d.png", n);
    const std::string place = PlaceForWriting(base + suffix, notice);
    if (!notice.empty()) std::fprintf(stderr, "halvoren: %s\n", notice.c_str());
    if (!Exists(place)) name = place;
  }
  if (name.empty()) {
    ShowPaddedMessage("Too many screenshots of " + base);
    return "";
  }
  std::vector<uint8_t> picture(kPictureWidth * kPictureHeight);
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x)
      picture[y * kPictureWidth + x] = MainScreen.PixelAt(kPictureLeft + x, kPictureTop + y);
  std::string error;
  if (!WritePicturePng(name, picture.data(), kPictureWidth, kPictureHeight, SystemPalette, error)) {
    ShowPaddedMessage("Cannot write " + name);
    return "";
  }
  ShowPaddedMessage("Screenshot " + name);
  return name;
}

bool HandlePlayerKey(Machine&, const KeyEvent& record) {
  const bool pressed = KeyPressed(record);
  switch (record.KeyCode) {
    // Held keys follow the key on every event, so a release while paused is not lost.
    case kKeyTab:
      FastForward = pressed ? 1 : 0;
      return true;
    case kKeyBackspace:
      RewindHeld = pressed ? 1 : 0;
      return true;
    case kKeyF3:
      if (pressed) DebuggerViewKey ^= 1;
      return true;
    case kKeyF6:
      if (pressed) {
        PixelAspect8To7 ^= 1;
        ShowPaddedMessage(PixelAspect8To7 ? "Pixels 8:7" : "Pixels square");
      }
      return true;
    case kKeyF8:
      if (pressed) TakeScreenshot();
      return true;
    default:
      return false;
  }
}

// The desktop host: one SDL window showing the 8-bit screen through the palette, either the
// picture alone at a whole-number scale (the player view) or the whole screen (the debugger
// view); the keyboard as buffered DirectInput-coded records. The joysticks live in
// joysticks_sdl.cpp; their device events come through the poll here.
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"
#include "host/device_errors.h"
#include "host/key_codes.h"
#include "host/platform.h"
#include "log/log.h"
#include "ppu/colour_table.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "sdl/joysticks_sdl.h"
#include "sdl/sdl_host.h"
#include "session/config.h"
#include "session/message_area.h"
#include "session/player_view.h"

namespace {

constexpr char kTitle[] = "Halvoren 2000 b1";
constexpr int kKeyBufferSize = 32;  // records kept between two reads, as the keyboard device's

SDL_Window* window;
SDL_Renderer* renderer;
SDL_Texture* texture;         // the whole screen (debugger view)
SDL_Texture* pictureTexture;  // the picture alone (player view)
SDL_Texture* overlayTexture;  // the newest message line over the picture
int textureWidth, textureHeight;
ColourTable colourTable;  // the palette as the textures take it
uint32_t overlaySerial;   // the message the overlay shows, and since when
uint32_t overlaySince;
bool closed;
uint32_t quitAfterFrames;
uint32_t framesPolled;

KeyEvent keyBuffer[kKeyBufferSize];
int keyCount;

// The log and the failure box name the step that failed, as a display-device code, and give
// SDL's own reason.
bool FailDisplay(DisplayFailure failure) {
  ReportDisplayFailure(failure, SDL_GetError());
  PlatformCloseDevices();
  return false;
}

// DDEVICE names the display to open on: the first whose name the value begins with.
int ChooseDisplay() {
  if (DisplayDevice[0] == 0) return 0;
  for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
    const char* name = SDL_GetDisplayName(i);
    if (name && *name && std::strncmp(DisplayDevice, name, std::strlen(name)) == 0) {
      char described[16] = {};
      std::memcpy(described, name, std::min(std::strlen(name), sizeof described));
      LogText("Use Device:");
      LogText(described, sizeof described);
      LogText("\n");
      return i;
    }
  }
  return 0;
}

void ToggleFullScreen() {
  if (!window) return;
  const bool full = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_SetWindowFullscreen(window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
  if (full) SDL_SetWindowSize(window, textureWidth, textureHeight);
}

void BufferKey(const SDL_KeyboardEvent& key) {
  if (key.repeat) return;
  // Alt+Enter belongs to the window, not to the game.
  if (key.type == SDL_KEYDOWN && key.keysym.scancode == SDL_SCANCODE_RETURN &&
      (key.keysym.mod & KMOD_ALT)) {
    ToggleFullScreen();
    return;
  }
  const uint8_t code = KeyCodeFromUsbUsage(key.keysym.scancode);
  if (code == 0 || keyCount == kKeyBufferSize) return;  // a full buffer drops new records
  keyBuffer[keyCount++] = KeyEvent{code, static_cast<uint8_t>(key.type == SDL_KEYDOWN ? 0x80 : 0)};
}

SDL_Rect ToSdl(const ViewRect& r) { return SDL_Rect{r.X, r.Y, r.Width, r.Height}; }

// The newest message-area line, for a few seconds after it came, in the font at the picture's
// scale along the picture's bottom edge.
void ShowMessageOverlay(const ViewRect& picture, const uint32_t* colours) {
  const MessageLine& line = NewestMessage();
  const uint32_t now = SDL_GetTicks();
  if (line.Serial != overlaySerial) {
    overlaySerial = line.Serial;
    overlaySince = now;
    if (overlayTexture) SDL_DestroyTexture(overlayTexture);
    overlayTexture = nullptr;
    std::string_view text(line.Text, std::min<uint32_t>(line.Length, kMessageWidth));
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (line.Serial == 0 || text.empty()) return;
    Screen cells(static_cast<int>(text.size()) * kFontWidth, kFontHeight);
    cells.DrawText(0, 0, text);
    std::vector<uint32_t> rgb(cells.Pixels.size());
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = colours[cells.Pixels[i]];
    overlayTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                       cells.Width, cells.Height);
    if (overlayTexture) SDL_UpdateTexture(overlayTexture, nullptr, rgb.data(), cells.Width * 4);
  }
  if (!overlayTexture || now - overlaySince > kMessageOverlayMs) return;
  int textWidth = 0, textHeight = 0;
  SDL_QueryTexture(overlayTexture, nullptr, nullptr, &textWidth, &textHeight);
  // Half the picture's scale (the font is twice a picture tile's height), at least 1:1, and
  // never wider than the picture.
  int scale = std::max(1, picture.Height / kPictureHeight / 2);
  while (scale > 1 && textWidth * scale > picture.Width) --scale;
  const SDL_Rect to{picture.X, picture.Y + picture.Height - textHeight * scale,
                    std::min(textWidth * scale, picture.Width), textHeight * scale};
  const SDL_Rect from{0, 0, to.w / scale, textHeight};
  SDL_RenderCopy(renderer, overlayTexture, &from, &to);
}

// Screen bytes converted straight into a streaming texture, with no copy in between.
void FillTexture(SDL_Texture* target, const uint8_t* pixels, int stride, int width, int height) {
  void* out = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(target, nullptr, &out, &pitch) != 0) return;
  ConvertToColours(pixels, stride, width, height, colourTable, out, pitch);
  SDL_UnlockTexture(target);
}

// The picture alone, as large as whole-number scaling allows, black around it.
void ShowPlayerView(const uint8_t* pixels, int screenWidth, const uint32_t* colours,
                    int outputWidth, int outputHeight) {
  FillTexture(pictureTexture,
              pixels + static_cast<size_t>(kPictureTop) * screenWidth + kPictureLeft, screenWidth,
              kPictureWidth, kPictureHeight);
  const ViewRect picture = PlayerPictureRect(outputWidth, outputHeight, PixelAspect8To7 != 0);
  const SDL_Rect to = ToSdl(picture);
  SDL_RenderCopy(renderer, pictureTexture, nullptr, &to);
  ShowMessageOverlay(picture, colours);
}

}  // namespace

void SdlQuitAfterFrames(uint32_t frames) { quitAfterFrames = frames; }

void SdlQuit() { SDL_Quit(); }

bool PlatformRaisePriority() { return setpriority(PRIO_PROCESS, 0, -5) == 0; }

bool PlatformOpenDisplay(int width, int height) {
  closed = false;
  keyCount = 0;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return FailDisplay(DisplayFailure::NoVideo);
  const int display = ChooseDisplay();
  LogText("1 Level Pass\n");
  if (!SDL_GetCurrentVideoDriver()) return FailDisplay(DisplayFailure::NoDriver);
  LogText("Interface got\n");
  const uint32_t flags =
      Windowed ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_RESIZABLE;
  window = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                            SDL_WINDOWPOS_CENTERED_DISPLAY(display), width, height, flags);
  if (!window) return FailDisplay(DisplayFailure::NoWindow);
  LogText("CooperativeLevel Set\n");
  renderer = SDL_CreateRenderer(window, -1, 0);
  if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
  if (!renderer) return FailDisplay(DisplayFailure::NoRenderer);
  LogText("lpDD2 object inited.\n");
  texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                              width, height);
  pictureTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, kPictureWidth, kPictureHeight);
  if (!texture || !pictureTexture) return FailDisplay(DisplayFailure::NoSurfaces);
  textureWidth = width;
  textureHeight = height;
  LogText("all surfaces created.\n");
  SDL_ShowCursor(SDL_DISABLE);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);
  LogText("Keyboard initialized\n");
  OpenGamepads();
  return true;
}

void PlatformCloseDevices() {
  if (texture) SDL_DestroyTexture(texture);
  if (pictureTexture) SDL_DestroyTexture(pictureTexture);
  if (overlayTexture) SDL_DestroyTexture(overlayTexture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  texture = pictureTexture = overlayTexture = nullptr;
  overlaySerial = 0;
  renderer = nullptr;
  window = nullptr;
  CloseJoysticks();
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  keyCount = 0;
}

uint32_t PlatformTimeMs() { return SDL_GetTicks(); }

void PlatformSleepMs(uint32_t ms) { SDL_Delay(ms); }

void PlatformShowScreen(const uint8_t* pixels, int width, int height, const PaletteEntry* palette) {
  if (!texture || width != textureWidth || height != textureHeight) return;
  colourTable.Follow(palette);
  const uint32_t* colours = colourTable.Colours;
  int outputWidth = width, outputHeight = height;
  SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
  SDL_RenderClear(renderer);
  if (DebuggerViewShown() || width < kPictureLeft + kPictureWidth ||
      height < kPictureTop + kPictureHeight) {
    FillTexture(texture, pixels, width, width, height);
    const SDL_Rect to = ToSdl(ScreenRect(outputWidth, outputHeight, width, height));
    SDL_RenderCopy(renderer, texture, nullptr, &to);
  } else {
    ShowPlayerView(pixels, width, colours, outputWidth, outputHeight);
  }
  SDL_RenderPresent(renderer);
}

int PlatformReadKeyEvents(KeyEvent* records, int max) {
  const int count = keyCount < max ? keyCount : max;
  std::memcpy(records, keyBuffer, sizeof(KeyEvent) * count);
  std::memmove(keyBuffer, keyBuffer + count, sizeof(KeyEvent) * (keyCount - count));
  keyCount -= count;
  return count;
}

bool PlatformPollEvents() {
  if (quitAfterFrames && ++framesPolled == quitAfterFrames) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return !closed;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    switch (event.type) {
      case SDL_QUIT:
        closed = true;
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) closed = true;
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        BufferKey(event.key);
        break;
      default:
        HandleJoystickEvent(event);
        break;
    }
  }
  return !closed;
}

void PlatformRequestClose() { closed = true; }

void PlatformMessageBox(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, window);
}

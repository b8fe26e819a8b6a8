// The screen: an 8-bit indexed surface the host shows through SystemPalette. The picture is
// copied to (16, 16); the debugger views and messages draw text and pixels into the rest.
// Every drawing operation clips to the screen's bounds.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

constexpr uint8_t kScreenBlack = 120;  // the clear colour (an all-black palette entry)
constexpr uint8_t kScreenWhite = 0x30;
constexpr int kFontWidth = 8;
constexpr int kFontHeight = 16;

struct Screen {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;  // Width x Height, row after row

  Screen(int width, int height) { Resize(width, height); }

  // New size, every pixel black. Sizes below 1 become 1.
  void Resize(int width, int height);
  void Fill(uint8_t colour);
  void PutPixel(int x, int y, uint8_t colour);
  uint8_t PixelAt(int x, int y) const;  // 0 outside the screen
  void FillRect(int x, int y, int width, int height, uint8_t colour);
  // Copies a width x height block of colour numbers with its top-left corner at (x, y).
  void CopyBlock(const uint8_t* source, int width, int height, int x, int y);
  // One line of text in the built-in 8 x 16 font, each character an opaque cell; characters
  // outside printable ASCII show as '?'.
  void DrawText(int x, int y, std::string_view text, uint8_t foreground = kScreenWhite,
                uint8_t background = kScreenBlack);
};

// The one screen, 640 x 480 until start-up sizes it from the configuration.
extern Screen MainScreen;

// Screen size for the configuration's RES= digit: 2 800 x 600, 3 1024 x 768, else 640 x 480.
void ScreenSizeForResolution(uint8_t code, int& width, int& height);

// The 8 rows of a character's 5 x 8 glyph (bit 6 the leftmost column) in the built-in font.
const uint8_t* FontGlyph(char character);

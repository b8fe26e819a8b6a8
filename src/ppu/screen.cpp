#include "ppu/screen.h"

#include <algorithm>
#include <cstring>

Screen MainScreen(640, 480);

void Screen::Resize(int width, int height) {
  Width = std::max(width, 1);
  Height = std::max(height, 1);
  Pixels.assign(static_cast<size_t>(Width) * Height, kScreenBlack);
}

void Screen::Fill(uint8_t colour) { std::fill(Pixels.begin(), Pixels.end(), colour); }

void Screen::PutPixel(int x, int y, uint8_t colour) {
  if (x >= 0 && y >= 0 && x < Width && y < Height)
    Pixels[static_cast<size_t>(y) * Width + x] = colour;
}

void Screen::FillRect(int x, int y, int width, int height, uint8_t colour) {
  const int left = std::max(x, 0);
  const int right = std::min(x + width, Width);
  if (left >= right) return;
  for (int row = std::max(y, 0); row < std::min(y + height, Height); ++row)
    std::fill_n(&Pixels[static_cast<size_t>(row) * Width + left], right - left, colour);
}

uint8_t Screen::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
  return Pixels[static_cast<size_t>(y) * Width + x];
}

void Screen::CopyBlock(const uint8_t* source, int width, int height, int x, int y) {
  const int left = std::max(x, 0);
  const int right = std::min(x + width, Width);
  if (left >= right) return;
  for (int row = std::max(y, 0); row < std::min(y + height, Height); ++row) {
    std::memcpy(&Pixels[static_cast<size_t>(row) * Width + left],
                source + static_cast<size_t>(row - y) * width + (left - x), right - left);
  }
}

void Screen::DrawText(int x, int y, std::string_view text, uint8_t foreground, uint8_t background) {
  for (const char character : text) {
    if (x >= Width) break;
    const uint8_t* glyph = FontGlyph(character);
    for (int row = 0; row < kFontHeight; ++row) {
      const uint8_t bits = glyph[row / 2];  // each grid row is two screen rows
      for (int column = 0; column < kFontWidth; ++column)
        PutPixel(x + column, y + row, (bits & (0x80 >> column)) ? foreground : background);
    }
    x += kFontWidth;
  }
}

void ScreenSizeForResolution(uint8_t code, int& width, int& height) {
  switch (code) {
    case 2:
      width = 800, height = 600;
      break;
    case 3:
      width = 1024, height = 768;
      break;
    default:
      width = 640, height = 480;
      break;
  }
}

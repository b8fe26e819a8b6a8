#include "session/views.h"

#include <string>
#include <string_view>

#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"
#include "ppu/screen.h"
#include "session/debugger.h"

namespace {

constexpr uint8_t kErased = 15;  // the colour an erased pixel area gets

constexpr int kPatternLeft = 304, kPatternTop = 304;
constexpr int kPaletteLeft = 16, kPaletteTop = 304;
constexpr int kRamLeft = 304, kRamTop = 16;
constexpr int kApuLeft = 568, kApuTop = 304;
constexpr int kApuNameLeft = 656, kApuBitsLeft = 622;

char textBuffer[128];  // the lines of the RAM page and APU views are built here

void Text(int x, int y, std::string_view text) { MainScreen.DrawText(x, y, text); }
void Spaces(int x, int y, int count) { Text(x, y, std::string(count, ' ')); }

// A switched-off view erases its area once; true when the view is on and should draw.
bool ShouldDraw(uint32_t on, uint32_t& cleared, void (*erase)()) {
  if (on) {
    cleared = 0;
    return true;
  }
  if (!cleared) {
    erase();
    cleared = 1;
  }
  return false;
}

void ErasePatternView() {
  Spaces(kPatternLeft, kPatternTop, 40);
  MainScreen.FillRect(kPatternLeft, kPatternTop + 16, 256, 128, kErased);
}

void ErasePaletteView() {
  Spaces(kPaletteLeft, kPaletteTop, 24);
  MainScreen.FillRect(kPaletteLeft, kPaletteTop + 16, 256, 32, kErased);
  LogNumberLine(static_cast<int32_t>(FrameCount));
}

void EraseRamPageView() {
  for (int i = 0; i <= 16; ++i) Spaces(kRamLeft, kRamTop + 16 * i, 126);
}

void EraseApuView() {
  Spaces(kApuLeft, kApuTop, 40);
  for (int y = kApuTop + 16; y <= kApuTop + 80; y += 16) Spaces(kApuLeft, y, 30);
}

char* PutHex(char* out, uint8_t value) {
  *out++ = HexDigits[value >> 4];
  *out++ = HexDigits[value & 15];
  return out;
}

}  // namespace

void PatternView(const Machine& m) {
  if (!ShouldDraw(PatternDisplay, PatternCleared, ErasePatternView)) return;
  Text(kPatternLeft, kPatternTop, "VRAM/VROM View");
  for (int tile = 0; tile < 512; ++tile) {
    const uint8_t* pixels = m.PatternCache + tile * 64;
    MainScreen.CopyBlock(pixels, 8, 8, kPatternLeft + (tile % 32) * 8,
                         kPatternTop + 16 + (tile / 32) * 8);
  }
}

void PaletteView(const Machine& m) {
  if (!ShouldDraw(PaletteTracer, PaletteCleared, ErasePaletteView)) return;
  Text(kPaletteLeft, kPaletteTop, "Palette View");
  for (int strip = 0; strip < 2; ++strip)
    for (int n = 0; n < 16; ++n)
      MainScreen.FillRect(kPaletteLeft + 16 * n, kPaletteTop + 16 + 16 * strip, 16, 16,
                          m.PpuMemory[0x3F00 + 16 * strip + n]);
}

void RamPageView(Machine& m) {
  if (!ShouldDraw(MemoryTracer, RamPageCleared, EraseRamPageView)) return;
  Text(kRamLeft, kRamTop, "RAM Page View");
  for (int r = 0; r < 16; ++r) {
    char* out = PutHex(textBuffer, RamPage);
    *out++ = HexDigits[r];
    *out++ = '0';
    *out++ = ':';
    for (int k = 0; k < 16; ++k) {
      out = PutHex(out, m.CpuRead(RamPage * 256u + r * 16u + k));
      *out++ = ' ';
    }
    Text(kRamLeft, kRamTop + 16 + 16 * r, std::string_view(textBuffer, out - textBuffer));
  }
}

void ApuView(const Machine& m) {
  static constexpr std::string_view kNames[5] = {"Pulse #1", "Pulse #2", "Triangle", "Noise",
                                                 "Delta Modulation"};
  if (!ShouldDraw(ApuTracer, ApuCleared, EraseApuView)) return;
  const int channel = ApuChannel < 5 ? ApuChannel : 0;
  Text(kApuLeft, kApuTop, "APU View      ");
  std::string name(kNames[channel]);
  name.resize(channel == 4 ? 20 : 30, ' ');
  Text(kApuNameLeft, kApuTop, name);
  for (int r = 0; r < 4; ++r) {
    const uint16_t address = static_cast<uint16_t>(0x4000 + 4 * channel + r);
    char* out = textBuffer;
    *out++ = '$';
    *out++ = '4';
    *out++ = '0';
    out = PutHex(out, static_cast<uint8_t>(address));
    *out++ = ':';
    const int y = kApuTop + 16 + 16 * r;
    Text(kApuLeft, y, std::string_view(textBuffer, out - textBuffer));
    const uint8_t value = m.CpuMemory[address];
    for (int i = 0; i < 8; ++i) Text(kApuBitsLeft + 8 * i, y, (value & (0x80 >> i)) ? "1" : "0");
  }
}

void RefreshViews(Machine& m) {
  if ((FrameCount & 127) == 127) RamPageView(m);
  if ((FrameCount & 31) == 31) PaletteView(m);
  if ((FrameCount & 63) == 63) ApuView(m);
}

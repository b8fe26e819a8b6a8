// Runs a test cartridge as the main loop would: load, reset, rebuild the pattern cache, then
// whole frames through RunFrame. The picture is read back from the screen at (16, 16).
#pragma once

#include <cstring>
#include <string>

#include "driver/run_frame.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "support/fixture.h"

class CartridgeTest : public MachineTest {
 protected:
  void Start(const std::string& rom) {
    ASSERT_EQ(m().LoadCartridge(TestRomPath(rom).c_str()), kLoadOk) << rom;
    MainScreen.Resize(640, 480);
    std::memset(BackgroundLayer, 0, sizeof BackgroundLayer);
    m().ResetCpu();
    m().RebuildPatternCache();
  }
  void Frames(int count, uint32_t skipRender = 0) {
    for (int i = 0; i < count; ++i) RunFrame(m(), skipRender);
  }
  static uint8_t Pixel(int x, int y) {
    return MainScreen.PixelAt(kPictureLeft + x, kPictureTop + y);
  }
  // FNV-1a over the 256 x 240 colour numbers, the same hash halvoren-run --hash prints.
  static uint64_t PictureHash() {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (int y = 0; y < kPictureHeight; ++y)
      for (int x = 0; x < kPictureWidth; ++x) hash = (hash ^ Pixel(x, y)) * 0x100000001B3ull;
    return hash;
  }
  uint8_t Ram(uint16_t address) const { return machine->CpuMemory[address]; }
};

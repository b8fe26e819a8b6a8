// Runs a test cartridge as the main loop would: load, reset, rebuild the pattern cache, then
// whole frames through RunFrame. The picture is read back from the screen at (16, 16).
#pragma once

#include <cstring>
#include <string>

#include "ppu/picture.h"
#include "ppu/screen.h"
#include "session/run_frame.h"
#include "support/fixture.h"

class CartridgeTest : public MachineTest {
 protected:
  // A test cartridge's name, or a path of its own.
  void Start(const std::string& rom) {
    const std::string path = rom[0] == '/' ? rom : TestRomPath(rom);
    ASSERT_EQ(m().LoadCartridge(path.c_str()), kLoadOk) << rom;
    MainScreen.Resize(640, 480), std::memset(BackgroundLayer, 0, sizeof BackgroundLayer);
    m().ResetCpu(), m().RebuildPatternCache();
  }
  void Frames(int count, uint32_t skipRender = 0) {
    for (int i = 0; i < count; ++i) RunFrame(m(), skipRender);
  }
  static uint8_t Pixel(int x, int y) {
    return MainScreen.PixelAt(kPictureLeft + x, kPictureTop + y);
  }
  static uint64_t PictureHash() { return ShownPictureHash(); }
  // The same cartridge from power-on on the main (1) or the alternate (0) core.
  void StartOnCore(const std::string& rom, uint32_t mainCore) {
    ResetSession(), UseMainCore = mainCore;
    Start(rom);
  }
  uint8_t Ram(uint16_t address) const { return machine->CpuMemory[address]; }
};

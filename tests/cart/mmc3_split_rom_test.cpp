// The MMC3 split-screen cartridge (tests/roms/mmc3/mmc3_split.s): the scanline IRQ swaps the
// CHR bank under a screen full of one tile twice per frame, so the picture is three bands.
#include "core/globals.h"
#include "support/cartridge_run.h"

using Mmc3SplitRomTest = CartridgeTest;

// Red for lines 0-79, blue from the IRQ on line 80, green from the re-armed IRQ on line 160,
// black over the 8 lines that are not shown.
TEST_F(Mmc3SplitRomTest, ScanlineIrqSplitsTheScreenIntoThreeBands) {
  for (const uint32_t core : {0u, 1u}) {
    StartOnCore("mmc3_split.nes", core);
    Frames(6);
    for (int y = 0; y < 240; ++y) {
      const uint8_t colour = y >= 232 ? 0x0F : y < 80 ? 0x16 : y < 160 ? 0x12 : 0x2A;
      for (int x = 0; x < 256; x += 15)
        ASSERT_EQ(Pixel(x, y), colour) << "core " << core << " (" << x << ", " << y << ")";
    }
  }
}

// The mapper 118 split-screen cartridge (tests/roms/mmc3/mapper118_split.s): armed once per
// frame, the board's self-reloading counter gives both splits.
#include "core/globals.h"
#include "support/cartridge_run.h"

using Mapper118SplitRomTest = CartridgeTest;

// Red for lines 0-79, blue from the IRQ on line 80, green from the reloaded counter's IRQ on
// line 160, black over the 8 lines that are not shown.
TEST_F(Mapper118SplitRomTest, ReloadingCounterSplitsTheScreenIntoThreeBands) {
  for (const uint32_t core : {0u, 1u}) {
    StartOnCore("mapper118_split.nes", core);
    Frames(6);
    for (int y = 0; y < 240; ++y) {
      const uint8_t colour = y >= 232 ? 0x0F : y < 80 ? 0x16 : y < 160 ? 0x12 : 0x2A;
      for (int x = 0; x < 256; x += 15)
        ASSERT_EQ(Pixel(x, y), colour) << "core " << core << " (" << x << ", " << y << ")";
    }
  }
}

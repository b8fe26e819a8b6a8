// Board cartridges run frame by frame (tests/roms/vrc6_split.s, bandai_split.s,
// mmc3_split.s, latch_midline.s), checked on the picture.
#include "support/cartridge_run.h"

using BoardRomTest = CartridgeTest;

// The counters fire on lines 80 and 160: red, blue and green bands, black over the 8 lines
// that are not shown. The VRC6 and Bandai counters also count the lines of vertical blank.
TEST_F(BoardRomTest, CountersSplitTheScreenOnTheirLines) {
  for (const char* rom : {"vrc6_split.nes", "bandai_split.nes", "mmc3_split.nes"}) {
    for (const uint32_t core : {0u, 1u}) {
      StartOnCore(rom, core);
      Frames(6);
      for (int y = 0; y < 240; ++y) {
        const uint8_t colour = y >= 232 ? 0x0F : y < 80 ? 0x16 : y < 160 ? 0x12 : 0x2A;
        for (int x = 0; x < 256; x += 15)
          ASSERT_EQ(Pixel(x, y), colour)
              << rom << " core " << core << " (" << x << ", " << y << ")";
      }
    }
  }
}

// Tile $FD in column 10 and $FE in column 20 of lines 80-159 switch the pattern table for the
// rest of the line: red, green, blue, green, red.
TEST_F(BoardRomTest, TileLatchSwitchesInTheMiddleOfALine) {
  StartOnCore("latch_midline.nes", 1);
  Frames(6);
  for (int y = 0; y < 232; ++y) {
    for (int x = 0; x < 256; ++x) {
      uint8_t colour = 0x16;
      if (y >= 80 && y < 160) {
        if ((x >= 80 && x < 88) || (x >= 160 && x < 168))
          colour = 0x2A;
        else if (x >= 88 && x < 160)
          colour = 0x12;
      }
      ASSERT_EQ(Pixel(x, y), colour) << "(" << x << ", " << y << ")";
    }
  }
}

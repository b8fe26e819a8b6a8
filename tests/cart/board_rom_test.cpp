// Board cartridges run frame by frame (tests/roms/vrc6_split.s, bandai_split.s,
// mmc3_split.s, latch_midline.s), checked on the picture.
#include "support/cartridge_run.h"

using BoardRomTest = CartridgeTest;

// The counters fire on lines 80 and 160: red, blue and green bands, black over the 8 lines
// that are not shown; the VRC6 and Bandai counters also count the lines of vertical blank.
// On the latch cartridge tile $FD in column 10 and $FE in column 20 of lines 80-159 switch the
// pattern table for the rest of the line: red, green, blue, green, red.
TEST_F(BoardRomTest, CountersAndTheTileLatchSplitThePicture) {
  const auto bands = [](int y) { return y >= 232 ? 0x0F : y < 80 ? 0x16 : y < 160 ? 0x12 : 0x2A; };
  const auto latch = [](int x, int y) {
    const bool split = y >= 80 && y < 160;
    if (split && ((x >= 80 && x < 88) || (x >= 160 && x < 168))) return 0x2A;
    return split && x >= 88 && x < 160 ? 0x12 : 0x16;
  };
  const std::pair<const char*, uint32_t> runs[] = {{"vrc6_split.nes", 0},   {"vrc6_split.nes", 1},
                                                   {"bandai_split.nes", 0}, {"bandai_split.nes", 1},
                                                   {"mmc3_split.nes", 0},   {"mmc3_split.nes", 1},
                                                   {"latch_midline.nes", 1}};
  for (const auto& [rom, core] : runs) {
    StartOnCore(rom, core);
    Frames(6);
    const bool tileLatch = rom[0] == 'l';
    for (int y = 0; y < (tileLatch ? 232 : 240); ++y)
      for (int x = 0; x < 256; x += tileLatch ? 1 : 15)
        ASSERT_EQ(Pixel(x, y), tileLatch ? latch(x, y) : bands(y))
            << rom << " core " << core << " (" << x << ", " << y << ")";
  }
}

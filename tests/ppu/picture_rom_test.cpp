// Test cartridges that draw known pictures (tests/roms/ppu_*.s), checked on the screen, and the
// worst cases for the renderer's savings.
#include <tuple>
#include <vector>

#include "core/globals.h"
#include "frame/emulate_frame.h"
#include "support/cartridge_run.h"

namespace {

using PictureRomTest = CartridgeTest;

// Pictures whose hashes were pinned once checked by eye (x, y: colour as they show):
// - ppu_scroll: red table 0 scrolled to (100, 50), blue table 1 from x 156, the attribute
//   quadrants from the top of table 0's mirror at x 28-59, y 190-221, the left 8 columns hidden,
//   lines 232-239 black unless all 240 lines are shown. (7, 100) $0F, (8, 100) $16, (155, 0)
//   $16, (156, 0) $12, (28, 190) $27, (59, 190) $05, (43, 206) $01, (44, 221) $16, (200, 232) $0F.
// - ppu_sprites, from the top: a triangle plain, flipped across, down and both ways; sprite 4
//   covering sprite 5 beside it (84/88, 44); behind sprites in the backdrop column only (20,
//   100) and whole over a $0F background (147, 107), in front over the stripe (41, 100); sprite
//   8's backdrop over 9 (64, 108); the right edge without a wrap and the hidden left column
//   (255/0/4, 150); a sprite at Y 255 not drawn. (39, 40) and (71, 47) $16, (84, 44) $30,
//   (20, 100) $21, (64, 108) $0F, (255, 150) $30, (0, 150) and (100, 0) $0F.
// - ppu_sprites16: a triangle on a square, plain, flipped across, down (the halves swap) and
//   both ways, a tile $0A taking the $0000 pair, and one behind over the backdrop: (16, 40)
//   $16, (23, 55) and (48, 40) $2A, (80, 40) $12, (96, 48) $1A.
// - the worst cases for the renderer's savings: CHR switched many times a line, sprite pages
//   copied in every 16 lines, name tables and CHR RAM written all frame.
// Both cores draw the same pictures: the runner's test compares their hashes.
TEST_F(PictureRomTest, CartridgesDrawTheirPictures) {
  // clang-format off
  const std::tuple<const char*, int, uint64_t> kCases[] = {
    {"ppu_sprites.nes", 4, 0x52E7BA659E4A48A5}, {"ppu_sprites16.nes", 4, 0xF3EE2E6B270A6625},
    {"chr_switch.nes", 30, 0x02E7503F193CD526}, {"sprites64.nes", 30, 0xC09D2CD489E3E105},
    {"mmc3_chr_switch.nes", 30, 0x0B67090411DA08CB},
    {"ppu_data_stream.nes", 300, 0x3C16C488224FAE55}, {"ppu_scroll.nes", 5, 0x8E68724196C720E5}};
  // clang-format on
  for (const auto& [rom, frames, hash] : kCases) {
    machine = std::make_unique<Machine>(), StartOnCore(rom, 0), Frames(frames);
    EXPECT_EQ(PictureHash(), hash) << rom;
  }
  ShownLines = 240, Frames(1);  // ppu_scroll's last lines
  EXPECT_EQ(std::tuple(Pixel(200, 239), Pixel(100, 239)), std::tuple(0x12, 0x16));
}

// ppu_vblank: the flag is seen on line 243 before the NMI; the NMI follows after the rest of
// that line (9 to 12 passes of a 10-cycle loop), not at once and not a line later.
// ppu_split: red table 0 down to line 104, where sprite 0's first opaque row is; from line
// 105 table 1's green, 4 pixels to the left, then table 0 again in x 252-255. Skipped frames
// keep the screen but the program still sees its hit.
TEST_F(PictureRomTest, VblankNmiAndSpriteZeroPollingAsTheProgramSeesThem) {
  for (const uint32_t core : {0u, 1u}) {
    StartOnCore("ppu_vblank.nes", core), Frames(4);
    const uint8_t nmis = Ram(0x20), polled = Ram(0x21);
    Frames(6);
    // Six NMIs and six polls seen, the flag before the NMI, one read clearing the flag.
    EXPECT_EQ(std::tuple(Ram(0x20) - nmis, Ram(0x21) - polled, Ram(0x22) + 1, Ram(0x24) & 0x80,
                         FrameCount, Ram(0x23) >= 9 && Ram(0x23) <= 12),
              std::tuple(6, 6, int{Ram(0x20)}, 0, 10u, true))
        << core << " " << int{Ram(0x23)};
    StartOnCore("ppu_split.nes", core), Frames(3);
    const uint8_t hitsBefore = Ram(0x20);
    Frames(4);
    EXPECT_EQ(Ram(0x20) - hitsBefore, 4) << "one hit seen per frame";
    for (int x = 0; x < 256; ++x) {
      EXPECT_EQ(Pixel(x, 104), x >= 200 && x < 208 ? 0x30 : 0x16) << x;
      const uint8_t lower = x >= 252 ? 0x16 : 0x2A;
      for (int y : {105, 150, 231})
        EXPECT_EQ(Pixel(x, y), y == 105 && x >= 200 && x < 208 ? 0x30 : lower) << x << "," << y;
    }
    EXPECT_EQ(Pixel(0, 0), 0x16);
  }
  const uint8_t hits = Ram(0x20);
  MainScreen.PutPixel(kPictureLeft, kPictureTop, 0x3A), Frames(3, 1);
  EXPECT_EQ(std::tuple(Ram(0x20) - hits, Pixel(0, 0)), std::tuple(3, 0x3A));
}

}  // namespace

// The desktop program's colour conversion of a shown picture: 256 x 240 screen bytes into
// 32-bit colours through the palette's table, the player view's work every drawn frame, and
// the whole 640 x 480 screen of the debugger view. The narrower vector path and the portable
// one show what the fastest saves.
#include <benchmark/benchmark.h>

#include <vector>

#include "ppu/colour_table.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/screen.h"

namespace {

struct Conversion {
  Screen screen{640, 480};
  ColourTable table;
  std::vector<uint32_t> out = std::vector<uint32_t>(640 * 480);

  Conversion() {
    BuildSystemPalette();
    uint32_t seed = 99;
    for (uint8_t& pixel : screen.Pixels)
      pixel = static_cast<uint8_t>((seed = seed * 69069 + 1) >> 26);
    table.Follow(SystemPalette);
  }
};

template <auto Convert>
void ConvertPicture(benchmark::State& state) {
  Conversion c;
  for (auto _ : state) {
    c.table.Follow(SystemPalette);  // a compare when the palette stands still, as it does
    Convert(c.screen.Pixels.data() + kPictureTop * c.screen.Width + kPictureLeft, c.screen.Width,
            kPictureWidth, kPictureHeight, c.table, c.out.data(), kPictureWidth * 4);
    benchmark::DoNotOptimize(c.out.data());
  }
}
BENCHMARK(ConvertPicture<ConvertToColours>)->Name("BM_ColourConversionPicture");
BENCHMARK(ConvertPicture<ConvertToColoursAvx2>)->Name("BM_ColourConversionPictureAvx2");
BENCHMARK(ConvertPicture<ConvertToColoursPortable>)->Name("BM_ColourConversionPicturePortable");

void BM_ColourConversionWholeScreen(benchmark::State& state) {
  Conversion c;
  for (auto _ : state) {
    ConvertToColours(c.screen.Pixels.data(), c.screen.Width, c.screen.Width, c.screen.Height,
                     c.table, c.out.data(), c.screen.Width * 4);
    benchmark::DoNotOptimize(c.out.data());
  }
}
BENCHMARK(BM_ColourConversionWholeScreen);

}  // namespace

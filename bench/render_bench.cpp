// The picture side of a frame: 240 rendered lines of a scrolled background with 64 sprites
// spread over the picture, and the composition onto the screen.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/globals.h"
#include "core/machine.h"
#include "ppu/picture.h"
#include "session/run_frame.h"

namespace {

std::unique_ptr<Machine> MakeBusyPicture() {
  ResetSession();
  auto machine = std::make_unique<Machine>();
  Machine& m = *machine;
  uint32_t seed = 12345;
  auto next = [&seed] {
    return seed = seed * 1103515245u + 12345u, static_cast<uint8_t>(seed >> 16);
  };
  for (int i = 0; i < 0x2000; ++i) m.PpuMemory[i] = next();
  for (int i = 0x2000; i < 0x3000; ++i) m.PpuMemory[i] = next();
  for (int i = 0; i < 32; ++i) m.RenderPalette[i] = next() & 0x3F;
  for (int k = 0; k < 64; ++k) {
    m.SpriteRam[4 * k] = static_cast<uint8_t>(k * 3 + 10);
    m.SpriteRam[4 * k + 1] = next();
    m.SpriteRam[4 * k + 2] = next();
    m.SpriteRam[4 * k + 3] = next();
  }
  m.RebuildPatternCache();
  m.CpuMemory[kPpuMask] = 0x1E;
  m.TempAddress = 0x0000 | (3 << 5) | 7;
  m.FineX = 5;
  return machine;
}

void BM_RenderPicture(benchmark::State& state) {
  auto machine = MakeBusyPicture();
  for (auto _ : state) {
    machine->Sprite0Armed = 1;
    StartBaseLayer(0x0F);  // as a drawn frame does
    machine->StartFrameRendering();
    for (int line = 0; line < kPictureHeight; ++line)
      if (machine->RenderScanline(BackgroundLayer + line * kPictureWidth,
                                  BaseLayer + line * kPictureWidth, line, BaseRowFill(line)))
        MarkBaseRow(line);
    machine->EndFrameRendering();
    PresentFrame(*machine);
    benchmark::DoNotOptimize(BaseLayer[0]);
  }
}
BENCHMARK(BM_RenderPicture);

}  // namespace

// Whole frames of the worst-case cartridges (bench/roms): CHR switched every 20 cycles and by
// MMC3 three registers a pass, 64 sprites on every line, a $2007 stream, a looping delta
// sample, VRC6 and Namco 106 with every channel. Each drawn, with its sound, as the runner
// plays it.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "cart/loader.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"
#include "ppu/screen.h"
#include "session/run_frame.h"
#include "session/sound_output.h"

namespace {

void RunWorstCase(benchmark::State& state, const char* name) {
  ResetSession();
  LogPath = "/dev/null";
  auto machine = std::make_unique<Machine>();
  Machine& m = *machine;
  const std::string path = std::string(HALVOREN_BENCH_ROM_DIR "/") + name + ".nes";
  if (m.LoadCartridge(path.c_str()) != kLoadOk) {
    state.SkipWithError(("cannot load " + path).c_str());
    return;
  }
  const bool sound = OpenSound();
  MainScreen.Fill(kScreenBlack);
  m.ResetCpu();
  m.RebuildPatternCache();
  for (int frame = 0; frame < 10; ++frame) RunFrame(m, 0);  // past the start-up
  for (auto _ : state) RunFrame(m, 0);
  if (sound) CloseSound();
}

}  // namespace

BENCHMARK_CAPTURE(RunWorstCase, ChrSwitch, "chr_switch")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunWorstCase, Mmc3ChrSwitch, "mmc3_chr_switch")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunWorstCase, Sprites64, "sprites64")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunWorstCase, PpuDataStream, "ppu_data_stream")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunWorstCase, DmcLoop, "dmc_loop")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunWorstCase, Vrc6Channels, "vrc6_channels")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RunWorstCase, NamcoChannels, "namco_channels")->Unit(benchmark::kMicrosecond);

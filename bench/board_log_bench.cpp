// A second of play (60 frames of CPU time) on a mapper 161 cartridge whose program stores to
// the low range in a tight loop: every such store is a board-write log line until the log's
// bound, so this shows what the log costs a game that writes there all the time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"
#include "session/run_frame.h"

namespace {

const uint8_t kStoreLoop[] = {
    0x9D, 0x00, 0x60,  // 8000 loop: STA $6000,X
    0xE8,              // 8003       INX
    0x4C, 0x00, 0x80,  // 8004       JMP loop
};

void BM_Mapper161StoreLoopSecond(benchmark::State& state) {
  ResetSession();
  MapperNumber = 161;
  auto machine = std::make_unique<Machine>();
  Machine& m = *machine;
  std::memcpy(m.CpuMemory + 0x8000, kStoreLoop, sizeof kStoreLoop);
  const std::string saved = LogPath;
  LogPath = (std::filesystem::temp_directory_path() / "halvoren-bench-log.tst").string();
  for (auto _ : state) {
    LogStart();
    m.PC = 0x8000;
    for (int frame = 0; frame < 60; ++frame)
      for (int line = 0; line < 262; ++line) m.RunCpuScanline();
    benchmark::DoNotOptimize(m.CpuMemory[0x6000]);
  }
  std::remove(LogPath.c_str());
  LogPath = saved;
}
BENCHMARK(BM_Mapper161StoreLoopSecond)->Unit(benchmark::kMillisecond);

}  // namespace

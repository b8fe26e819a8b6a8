// One frame of CPU time (262 scanline runs) spent in nested counting delay loops, as programs
// that pace themselves with DEY / BNE do, per core: with the shortcuts on (passes charged at
// once) and with every pass interpreted.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/globals.h"
#include "core/machine.h"
#include "core/trace.h"
#include "session/run_frame.h"

namespace {

const std::vector<uint8_t> kDelay = {
    0xA2, 0x08,        // 8000 start: LDX #8
    0xA0, 0x00,        // 8002 outer: LDY #0
    0x88,              // 8004 inner: DEY
    0xD0, 0xFD,        // 8005        BNE inner
    0xC6, 0x10,        // 8007        DEC $10
    0xD0, 0xFC,        // 8009        BNE back onto the DEC
    0xCA,              // 800B        DEX
    0xD0, 0xF4,        // 800C        BNE outer
    0xE6, 0x11,        // 800E        INC $11
    0x4C, 0x00, 0x80,  // 8010        JMP start
};

void RunDelayFrames(benchmark::State& state, bool mainCore, bool shortcuts) {
  ResetSession();
  TraceFile = nullptr;
  IdleSkip = shortcuts;
  auto machine = std::make_unique<Machine>();
  std::memcpy(machine->CpuMemory + 0x8000, kDelay.data(), kDelay.size());
  machine->PC = 0x8000;
  machine->S = 0xFD;
  machine->P = 0x24;
  for (auto _ : state) {
    for (int line = 0; line < 262; ++line)
      mainCore ? machine->RunCpuScanline() : machine->RunCpuScanlineAlt();
    benchmark::DoNotOptimize(machine->Y);
  }
  IdleSkip = 1;
}

void BM_CountLoopFrame(benchmark::State& state) {
  RunDelayFrames(state, state.range(0) != 0, state.range(1) != 0);
}
BENCHMARK(BM_CountLoopFrame)
    ->ArgNames({"main", "shortcuts"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

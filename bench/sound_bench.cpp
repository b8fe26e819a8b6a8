// One frame of sound with all five channels playing and the mixer running.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

// A fresh console with the sound output open, or none (the benchmark is then skipped).
static std::unique_ptr<Machine> OpenBenchConsole(benchmark::State& state) {
  ResetGlobals();
  LogPath = "/dev/null";
  if (!OpenSound()) {
    state.SkipWithError("no sound output");
    return nullptr;
  }
  return std::make_unique<Machine>();
}

static void BM_RunSoundFrame(benchmark::State& state) {
  auto m = OpenBenchConsole(state);
  if (!m) return;
  // Random-looking sample bytes so the delta channel moves both ways.
  for (int i = 0; i < 0x1000; ++i) m->CpuMemory[0xC000 + i] = static_cast<uint8_t>(i * 37 + 11);
  const uint8_t registers[][2] = {
      {0x00, 0x9A}, {0x01, 0xB2}, {0x02, 0xFD}, {0x03, 0x08},  // pulse 1: envelope, sweep
      {0x04, 0x7F}, {0x05, 0x00}, {0x06, 0x80}, {0x07, 0x09},  // pulse 2: constant volume
      {0x08, 0xFF}, {0x0A, 0x40}, {0x0B, 0x09},                // triangle
      {0x0C, 0x3F}, {0x0E, 0x04}, {0x0F, 0x08},                // noise
      {0x10, 0x4F}, {0x12, 0x00}, {0x13, 0xFF},                // delta: looping, fastest
      {0x15, 0x1F}};
  for (const auto& r : registers) m->CpuWrite(static_cast<uint16_t>(0x4000 + r[0]), r[1]);
  StartSoundPlayback();
  for (auto _ : state) {
    m->RunSoundFrame();
    // Keep the pulse notes sounding: retrigger as a game would between notes.
    if ((FrameCount++ & 15) == 0) m->CpuWrite(0x4003, 0x08);
    benchmark::ClobberMemory();
  }
  CloseSound();
}
BENCHMARK(BM_RunSoundFrame);

// The common case between tunes: every channel switched off, every ring kept silent.
static void BM_RunSoundFrameAllOff(benchmark::State& state) {
  auto m = OpenBenchConsole(state);
  if (!m) return;
  StartSoundPlayback();
  for (auto _ : state) {
    m->RunSoundFrame();
    benchmark::ClobberMemory();
  }
  CloseSound();
}
BENCHMARK(BM_RunSoundFrameAllOff);

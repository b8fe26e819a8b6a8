// One frame of sound: all five channels playing with the mixer running, alone and with each
// cartridge sound chip, and the silent case.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "apu/expansion.h"
#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"
#include "session/run_frame.h"
#include "session/sound_output.h"

// A fresh console with the sound output open, or none (the benchmark is then skipped).
static std::unique_ptr<Machine> OpenBenchConsole(benchmark::State& state) {
  ResetSession();
  LogPath = "/dev/null";
  if (!OpenSound()) {
    state.SkipWithError("no sound output");
    return nullptr;
  }
  return std::make_unique<Machine>();
}

// All five console channels playing: pulses with envelope and sweep, a looping delta sample.
static void StartConsoleChannels(Machine& m) {
  // Random-looking sample bytes so the delta channel moves both ways.
  for (int i = 0; i < 0x1000; ++i) m.CpuMemory[0xC000 + i] = static_cast<uint8_t>(i * 37 + 11);
  const uint8_t registers[][2] = {
      {0x00, 0x9A}, {0x01, 0xB2}, {0x02, 0xFD}, {0x03, 0x08},  // pulse 1: envelope, sweep
      {0x04, 0x7F}, {0x05, 0x00}, {0x06, 0x80}, {0x07, 0x09},  // pulse 2: constant volume
      {0x08, 0xFF}, {0x0A, 0x40}, {0x0B, 0x09},                // triangle
      {0x0C, 0x3F}, {0x0E, 0x04}, {0x0F, 0x08},                // noise
      {0x10, 0x4F}, {0x12, 0x00}, {0x13, 0xFF},                // delta: looping, fastest
      {0x15, 0x1F}};
  for (const auto& r : registers) m.CpuWrite(static_cast<uint16_t>(0x4000 + r[0]), r[1]);
  StartSoundPlayback();
}

static void RunPlayingFrames(benchmark::State& state, Machine& m) {
  for (auto _ : state) {
    m.RunSoundFrame();
    // Keep the pulse notes sounding: retrigger as a game would between notes.
    if ((FrameCount++ & 15) == 0) m.CpuWrite(0x4003, 0x08);
    benchmark::ClobberMemory();
  }
  CloseSound();
}

static void BM_RunSoundFrame(benchmark::State& state) {
  auto m = OpenBenchConsole(state);
  if (!m) return;
  StartConsoleChannels(*m);
  RunPlayingFrames(state, *m);
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

// The console channels with a VRC6: both pulses and the sawtooth playing.
static void BM_RunSoundFrameVrc6(benchmark::State& state) {
  auto m = OpenBenchConsole(state);
  if (!m) return;
  m->CartridgeChip = SoundChip::Vrc6;
  CreateExpansionChannels(*m);
  const uint8_t registers[3][3] = {{0x3F, 0x40, 0x81}, {0x7A, 0x10, 0x83}, {0x0B, 0xC0, 0x82}};
  std::copy(&registers[0][0], &registers[0][0] + 9, &m->Vrc6Registers[0][0]);
  StartConsoleChannels(*m);
  RunPlayingFrames(state, *m);
}
BENCHMARK(BM_RunSoundFrameVrc6);

// The console channels with a Namco chip: all eight wavetable channels playing, the
// highest frequency on the last (the most wave steps a sample).
static void BM_RunSoundFrameNamco(benchmark::State& state) {
  auto m = OpenBenchConsole(state);
  if (!m) return;
  m->CartridgeChip = SoundChip::Namco;
  CreateExpansionChannels(*m);
  for (int i = 0; i < 0x40; ++i) m->NamcoSoundRam[i] = static_cast<uint8_t>(i * 29 + 3);
  for (int n = 0; n < kNamcoChannelCount; ++n) {
    uint8_t* c = m->NamcoSoundRam + 0x40 + 8 * n;
    const uint32_t frequency = n == 7 ? 0x3FFFF : 0x4000 + 0x2345 * n;
    c[0] = frequency & 0xFF;
    c[2] = (frequency >> 8) & 0xFF;
    c[4] = static_cast<uint8_t>((n << 2) | (frequency >> 16));
    c[6] = static_cast<uint8_t>(4 * n);
    c[7] = 15;
  }
  StartConsoleChannels(*m);
  RunPlayingFrames(state, *m);
}
BENCHMARK(BM_RunSoundFrameNamco);

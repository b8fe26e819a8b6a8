// The fixed tables of the sound channels. All but the noise table are hardware facts known at
// compile time; the noise table is filled from a pseudo-random source when sound output opens.
#pragma once

#include <array>
#include <cstdint>

constexpr uint32_t kSampleRate = 22050;
// CPU cycles per output sample: 1789772 / 22050, truncated.
constexpr int16_t kCyclesPerSample = 81;

// Frames of sound for each length index (bits 7-3 of $4003/$4007). The odd entries are
// the hardware's own, not index/2.
// clang-format off
constexpr std::array<uint8_t, 32> LengthTable = {
    5, 127, 10,  1, 20,  2, 40,  4, 80,  5, 30,  6,  7,  7, 13,  8,
    6,   9, 12, 10, 24, 11, 48, 12, 96, 13, 36, 15,  8, 14, 16, 15};
// clang-format on

// CPU cycles per delta-modulation bit, indexed by bits 3-0 of $4010.
constexpr std::array<int16_t, 16> DmcRateTable = {428, 380, 340, 320, 286, 254, 226, 214,
                                                  190, 160, 142, 128, 106, 85,  72,  54};

// Output samples per noise step, indexed by bits 3-0 of $400E.
constexpr std::array<int16_t, 16> NoiseStepLengths = {3,  4, 5, 6, 7,  7,  8,  6,
                                                      13, 9, 7, 8, 11, 11, 14, 16};

// Output samples per wave for an 11-bit timer period. 111860 is the NTSC CPU clock over 16; PAL
// uses the same table. Periods too short or too long to sound give 0.
constexpr std::array<int16_t, 2049> MakeSamplesPerWave() {
  std::array<int16_t, 2049> table{};
  for (int32_t p = 5; p <= 2044; ++p)
    table[p] = static_cast<int16_t>(((p + 1) * static_cast<int32_t>(kSampleRate)) / 111860);
  return table;
}
constexpr std::array<int16_t, 2049> SamplesPerWave = MakeSamplesPerWave();

// 2048 values 0-15; bit 1 of an entry decides the sign of a noise step. Filled once when the
// sound output opens and only read after, so it stays beside the Machine as a table.
extern uint8_t NoiseTable[2048];

// Fills NoiseTable. The generator has a fixed seed so that runs are reproducible.
void BuildNoiseTable();

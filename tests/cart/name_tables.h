// Name-table helpers for board tests: fill a physical table with a page marker, read the
// four markers back.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

#include "core/machine.h"

using Tables4 = std::array<uint8_t, 4>;

inline void FillTables(Machine& m, Tables4 markers) {
  for (int table = 0; table < 4; ++table)
    std::memset(m.PpuMemory + 0x2000 + table * 0x400, markers[table], 0x400);
}
inline Tables4 Tables(const Machine& m) {
  return {m.PpuMemory[0x2000], m.PpuMemory[0x2400], m.PpuMemory[0x2800], m.PpuMemory[0x2C00]};
}

#include "cart/window_copies.h"

#include <cstring>

#include "core/globals.h"
#include "core/machine.h"

namespace {

constexpr uint32_t kPrgStoreSize = kMaxPrgUnits * kPrgUnitSize;

// PRG bytes from any offset, 1 KB at a time so that each piece wraps inside the store.
void CopyFromPrg(const Machine& m, uint8_t* dest, uint32_t offset, uint32_t size) {
  for (uint32_t done = 0; done < size; done += 0x400)
    std::memcpy(dest + done, m.PrgRom + (offset + done) % kPrgStoreSize, 0x400);
}

}  // namespace

void CopyPrgFromOffset(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset) {
  const uint32_t size = sizeKb * 1024;
  if (window < 0x6000 || window + size > 0x10000) return;
  CopyFromPrg(m, m.CpuMemory + window, offset, size);
  m.ForgetPrgWindows(window, size);
  for (uint32_t at = window; at < window + size; at += 0x2000)
    if (at >= 0x8000) m.PrgWindowBank[(at - 0x8000) / 0x2000] = 255;
}

void CopyChrFromPrg(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset) {
  const uint32_t size = sizeKb * 1024;
  if (size == 0 || window + size > 0x2000) return;
  CopyFromPrg(m, m.PpuMemory + window, offset, size);
  std::memset(m.ChrWindowBank + window / 0x400, 255, sizeKb);
  m.DecodePatterns(window, static_cast<uint16_t>(size));
}

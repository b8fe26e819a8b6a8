#include "cart/window_copies.h"

#include <cstring>

#include "core/globals.h"
#include "core/machine.h"

namespace {

constexpr uint32_t kPrgStoreSize = kMaxPrgUnits * kPrgUnitSize;

// A record holds a byte; a bank number it cannot hold is recorded as unknown.
uint8_t RecordOf(uint32_t bank) { return bank < 255 ? static_cast<uint8_t>(bank) : 255; }

// Whether `count` records from `first` already name the parts of `bank`; records them.
bool AlreadyHolds(uint8_t* records, uint32_t first, uint32_t count, uint32_t bank) {
  bool holds = true;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t record = RecordOf(bank * count + i);
    if (record == 255 || records[first + i] != record) holds = false;
    records[first + i] = record;
  }
  return holds;
}

// PRG bytes from any offset, 1 KB at a time so that each piece wraps inside the store.
void CopyFromPrg(const Machine& m, uint8_t* dest, uint32_t offset, uint32_t size) {
  for (uint32_t done = 0; done < size; done += 0x400)
    std::memcpy(dest + done, m.PrgRom + (offset + done) % kPrgStoreSize, 0x400);
}

}  // namespace

void SwitchPrgRecorded(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t bank) {
  if (window < 0x8000) return;
  const uint32_t count = sizeKb / 8;
  if (AlreadyHolds(PrgWindowBank, (window - 0x8000u) / 0x2000, count, bank)) return;
  m.CopyPrgWindow(window, sizeKb, bank);
}

void SwitchChrRecorded(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t bank) {
  if (window >= 0x2000) return;
  if (AlreadyHolds(ChrWindowBank, window / 0x400u, sizeKb, bank)) return;
  m.CopyChrWindow(window, sizeKb, bank);
}

void CopyPrgFromOffset(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset) {
  const uint32_t size = sizeKb * 1024;
  if (window < 0x6000 || window + size > 0x10000) return;
  CopyFromPrg(m, m.CpuMemory + window, offset, size);
  for (uint32_t at = window; at < window + size; at += 0x2000)
    if (at >= 0x8000) PrgWindowBank[(at - 0x8000) / 0x2000] = 255;
}

void CopyChrFromPrg(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset) {
  const uint32_t size = sizeKb * 1024;
  if (size == 0 || window + size > 0x2000) return;
  CopyFromPrg(m, m.PpuMemory + window, offset, size);
  std::memset(ChrWindowBank + window / 0x400, 255, sizeKb);
  m.DecodePatterns(window, static_cast<uint16_t>(size));
}

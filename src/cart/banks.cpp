// Bank switching copies: the selected bank is copied into its window of the flat memory
// images, so every read stays a plain array index. Bank numbers wrap inside the stores, so a
// bad register value can show the wrong bank but never reach outside them.
#include <cstring>

#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// Copies `length` bytes (a multiple of `granule`) from `offset` in a store, wrapping each
// granule back to the start of the store.
void CopyFromStore(uint8_t* dest, const uint8_t* store, uint32_t storeSize, uint32_t offset,
                   uint32_t length, uint32_t granule) {
  if (offset + length <= storeSize) {  // no wrap: one copy
    std::memcpy(dest, store + offset, length);
    return;
  }
  for (uint32_t done = 0; done < length; done += granule)
    std::memcpy(dest + done, store + (offset + done) % storeSize, granule);
}

constexpr uint32_t kPrgStoreSize = kMaxPrgUnits * kPrgUnitSize;
constexpr uint32_t kChrStoreSize = kMaxChrUnits * kChrUnitSize;

// PRG goes in whole 8 KB windows, each skipped when its record says the bytes are in place.
void CopyPrgPieces(Machine& m, uint32_t start, uint32_t offset, uint32_t length) {
  for (uint32_t done = 0; done < length; done += 0x2000) {
    const uint32_t from = (offset + done) % kPrgStoreSize;
    uint32_t& source = m.PrgWindowSource[((start + done) >> 13) & 3];
    if (source == from + 1) continue;
    std::memcpy(m.CpuMemory + start + done, m.PrgRom + from, 0x2000);
    source = from + 1;
  }
}

}  // namespace

void Machine::CopyPrgWindow(uint16_t windowStart, uint32_t sizeKb, uint32_t bank) {
  const uint32_t size = sizeKb * 1024;
  const uint32_t start = windowStart & ~(size - 1) & 0xFFFF;
  if (start < 0x8000 || start + size > 0x10000) return;
  CopyPrgPieces(*this, start, (bank * size) % kPrgStoreSize, size);
}

void Machine::CopyPrg32At16kUnit(uint32_t unit) {
  CopyPrgPieces(*this, 0x8000, (unit % kMaxPrgUnits) * kPrgUnitSize, 0x8000);
}

void Machine::MovePrgWindows(uint16_t to, uint16_t from, uint32_t size) {
  std::memcpy(CpuMemory + to, CpuMemory + from, size);
  for (uint32_t done = 0; done < size; done += 0x2000)
    PrgWindowSource[((to + done) >> 13) & 3] = PrgWindowSource[((from + done) >> 13) & 3];
}

void Machine::ForgetPrgWindows(uint16_t start, uint32_t size) {
  for (uint32_t at = start; at < start + size; at += 0x400)
    if (at >= 0x8000 && at < 0x10000) PrgWindowSource[(at >> 13) & 3] = 0;
}

void Machine::CopyChrNoDecode(uint16_t windowStart, uint32_t sizeKb, uint32_t bank) {
  const uint32_t size = sizeKb * 1024;
  const uint32_t start = windowStart & ~(size - 1) & 0x1FFF;
  if (start + size > 0x2000) return;
  CopyFromStore(PpuMemory + start, ChrRom, kChrStoreSize, (bank * size) % kChrStoreSize, size,
                0x400);
}

// The pattern cache takes the pages' decoded pixels when it is next read, however many
// switches come before that.
void Machine::CopyChrWindow(uint16_t windowStart, uint32_t sizeKb, uint32_t bank) {
  const uint32_t size = sizeKb * 1024;
  const uint32_t start = windowStart & ~(size - 1) & 0x1FFF;
  if (start + size > 0x2000) return;
  CopyChrNoDecode(windowStart, sizeKb, bank);
  const uint32_t source = (bank * size) % kChrStoreSize;
  for (uint32_t done = 0; done < size; done += 0x400)
    ShowChrPage(start + done, ((source + done) % kChrStoreSize) / 0x400);
}

// --- Name tables: NT0-NT3 are four physical 1 KB pages at $2000; mirroring is kept by
// copying pages when the arrangement changes and by writing every copy on a store.

namespace {
uint8_t* NameTable(Machine& m, int n) { return m.PpuMemory + 0x2000 + n * 0x400; }
void CopyPage(uint8_t* to, const uint8_t* from) { std::memmove(to, from, 0x400); }
}  // namespace

// On a four-screen image tables 2 and 3 are the cartridge's own RAM, not mirrors.
void Machine::CopyNameTables(int to, const uint8_t* from, int count) {
  for (int i = 0; i < count; ++i)
    if (!(FourScreen && to + i >= 2)) CopyPage(NameTable(*this, to + i), from + i * 0x400);
}

void Machine::SetHorizontalMirroring() {
  CopyNameTables(1, NameTable(*this, 0));
  CopyNameTables(2, NameTable(*this, 3));
  VerticalMirroring = 0;
}

void Machine::SetVerticalMirroring() {
  CopyNameTables(2, NameTable(*this, 0));
  CopyNameTables(1, NameTable(*this, 3));
  VerticalMirroring = 1;
}

namespace {
// Leaving one screen for the other: the hidden page comes back into all four tables and the
// shown one goes into hiding.
void SwapOneScreenPage(Machine& m) {
  m.CopyNameTables(0, m.NameTableScratch);
  CopyPage(m.NameTableScratch, NameTable(m, 1));
  m.CopyNameTables(1, NameTable(m, 0));
  m.CopyNameTables(2, NameTable(m, 0), 2);
}
}  // namespace

void Machine::SetOneScreenLow() {
  if (OneScreenLow) return;
  if (OneScreenHigh) {
    SwapOneScreenPage(*this);
    return;
  }
  CopyPage(NameTableScratch, NameTable(*this, 3));
  CopyNameTables(1, NameTable(*this, 0));
  CopyNameTables(2, NameTable(*this, 0), 2);
}

void Machine::SetOneScreenHigh() {
  if (OneScreenHigh) return;
  if (OneScreenLow) {
    SwapOneScreenPage(*this);
    return;
  }
  CopyPage(NameTableScratch, NameTable(*this, 0));
  CopyNameTables(2, NameTable(*this, 3));
  CopyNameTables(0, NameTable(*this, 2), 2);
}

void Machine::RestoreHorizontal() {
  if (OneScreenLow) {
    CopyNameTables(2, NameTableScratch);
    CopyNameTables(3, NameTableScratch);
  } else if (OneScreenHigh) {
    CopyNameTables(0, NameTableScratch);
    CopyNameTables(1, NameTableScratch);
  } else if (VerticalMirroring) {
    CopyNameTables(1, NameTable(*this, 0));
    CopyNameTables(2, NameTable(*this, 3));
  }
}

void Machine::RestoreVertical() {
  if (OneScreenLow) {
    CopyNameTables(1, NameTableScratch);
    CopyNameTables(3, NameTableScratch);
  } else if (OneScreenHigh) {
    CopyNameTables(0, NameTableScratch);
    CopyNameTables(2, NameTableScratch);
  } else if (!VerticalMirroring) {
    CopyNameTables(2, NameTable(*this, 0));
    CopyNameTables(1, NameTable(*this, 3));
  }
}

void Machine::PpuMemoryWrite(uint16_t address, uint8_t value) {
  address &= 0x3FFF;
  if (address < 0x3F00) {
    if (address < 0x2000) {
      // ROM cannot be written: only CHR RAM (and a board's RAM banks) takes pattern bytes.
      if (ChrBankCount != 0 && !CurrentBoardHas(kWritablePatterns)) return;
      PpuMemory[address] = value;
      PatternsDirty = 1;
      return;
    }
    PpuMemory[address] = value;
    if (address < 0x3000) {
      if (OneScreenLow || OneScreenHigh) {
        const uint16_t base = address & 0x23FF;
        for (uint16_t page = 0; page < 0x1000; page += 0x400) PpuMemory[base + page] = value;
      } else if (!FourScreen) {
        PpuMemory[address ^ (VerticalMirroring ? 0x0800 : 0x0400)] = value;
      }
    }
    return;
  }
  if (address & 3) {
    PpuMemory[address & 0x3F1F] = value;
    RenderPalette[address & 0x1F] = value;
  } else if ((address & 0x0F) == 0) {
    // $3F00 and $3F10 set the backdrop of all eight palettes; the other colour-0 slots are
    // never shown, so their writes are dropped.
    for (int entry = 0; entry < 32; entry += 4) {
      PpuMemory[0x3F00 + entry] = value;
      RenderPalette[entry] = value;
    }
  }
}

// MMC1 PRG re-layout when the control register's mode bits (2 and 3) change. PrgSelect holds
// the PRG bank value last applied.
void Machine::Mmc1ChangePrgMode(uint8_t oldMode, uint8_t newMode) {
  const uint8_t changed = oldMode ^ newMode;
  const uint32_t last = PrgBankCount ? PrgBankCount - 1 : 0;
  auto enterMode = [&](uint8_t bit3, uint8_t bit2) {
    if (bit3 == 0) {  // 32 KB mode
      CopyPrg32At16kUnit(PrgSelect & 0x0E);
    } else if (bit2) {
      CopyPrgWindow(0x8000, 16, PrgSelect);
      CopyPrgWindow(0xC000, 16, last);
    } else {
      CopyPrgWindow(0xC000, 16, PrgSelect);
      CopyPrgWindow(0x8000, 16, 0);
    }
  };
  const uint8_t oldBit3 = oldMode & 8;
  if (changed == 4) {
    if (!oldBit3) return;
    if (oldMode & 4) {
      MovePrgWindows(0xC000, 0x8000, 0x4000);
      CopyPrgWindow(0x8000, 16, 0);
    } else {
      MovePrgWindows(0x8000, 0xC000, 0x4000);
      CopyPrgWindow(0xC000, 16, last);
    }
  } else if (changed == 8) {
    enterMode(oldBit3 ? 0 : 8, oldMode & 4);
  } else if (changed == 12) {
    enterMode(oldBit3 ? 0 : 8, newMode & 4);
  }
}

// Latch boards (mappers 66, 70, 71 and 232, 78, 79, 87, 184). Bank numbers the board takes
// "as written" can point past a small image; the primitives wrap them inside the stores.
// Without CHR ROM the pattern tables are the game's RAM, so CHR writes leave them alone.
#include "cart/board_bank_latch.h"

#include <cstring>

#include "cart/board_common.h"
#include "cart/board_log.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// A window switch that skips the copy when the board's record already holds `key`.
bool Changed(uint8_t& record, uint32_t key) {
  if (record == key) return false;
  record = static_cast<uint8_t>(key);
  return true;
}

// Mapper 70 keeps PRG bits 4-6 as they were written; $C010 also loads CHR, which on this
// board comes out of the PRG ROM.
void Mapper70Prg(Machine& m, uint8_t value) {
  if (PrgBankCount == 0 || !Changed(m.PrgWindowBank[0], value & 0x70)) return;
  m.CopyPrgWindow(0x8000, 16, ((value & 0x70) >> 4) % PrgBankCount);
}

void Mapper70Chr(Machine& m, uint8_t value) {
  if (!Changed(m.ChrWindowBank[0], value & 0x0F)) return;
  std::memcpy(m.PpuMemory, m.PrgRom + (value & 0x0F) * 0x2000u, 0x2000);
  m.DecodePatterns(0x0000, 0x2000);
}

// 4 KB CHR banks of mapper 184's four layouts, by the written value; the rest copy nothing.
struct Layout184 {
  uint8_t value, low, high;
};
constexpr Layout184 kLayouts184[] = {{0x14, 0, 1}, {0x16, 2, 1}, {0x34, 0, 3}, {0x36, 2, 3}};

}  // namespace

void Mapper66High(Machine& m, uint16_t, uint8_t value) {
  if (Changed(m.PrgWindowBank[0], value & 0x30)) m.CopyPrgWindow(0x8000, 32, (value >> 4) & 3);
  if (ChrBankCount != 0 && Changed(m.ChrWindowBank[0], value & 3))
    m.CopyChrWindow(0x0000, 8, value & 3);
}

void Mapper66Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x6000 && address <= 0x6FFF) m.CpuMemory[address] = value;
}

void Mapper70High(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0xC000:
    case 0xC020:
      Mapper70Prg(m, value);
      break;
    case 0xC010:
      Mapper70Prg(m, value);
      Mapper70Chr(m, value);
      break;
    case 0xC080:
      if (value & 0x80) {
        m.RestoreHorizontal();
        m.VerticalMirroring = 0;
      } else {
        m.RestoreVertical();
        m.VerticalMirroring = 1;
      }
      break;
    default:
      LogBoardWrite(address, value);
      break;
  }
}

void Mapper71High(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xC000) != 0xC000 || PrgBankCount == 0) return;
  const uint32_t bank = value % PrgBankCount;
  if (Changed(m.PrgWindowBank[0], bank)) m.CopyPrgWindow(0x8000, 16, bank);
}

void Mapper78High(Machine& m, uint16_t, uint8_t value) {
  // The record holds the reduced bank but is compared with the whole value: a write whose
  // value is the bank itself is the only one that can be skipped. 255 is "unknown" (after a
  // load), never a bank in place, so a first write of $FF still switches.
  if (PrgBankCount != 0 && (m.PrgWindowBank[0] == 255 || m.PrgWindowBank[0] != value)) {
    m.PrgWindowBank[0] = static_cast<uint8_t>((value & 0x0F) % PrgBankCount);
    m.CopyPrgWindow(0x8000, 16, m.PrgWindowBank[0]);
  }
  if (ChrBankCount != 0 && Changed(m.ChrWindowBank[0], value >> 4))
    m.CopyChrWindow(0x0000, 8, value >> 4);
}

void Mapper79Low(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xFF00) == 0x4100) {
    // The record is read but never written here, so after power-on every write copies.
    if (ChrBankCount == 0) return;
    const uint32_t bank = (value & 0x0F) % ChrBankCount;
    if (bank != m.ChrWindowBank[0]) m.CopyChrWindow(0x0000, 8, bank);
  } else if (address > 0x4015) {
    LogBoardWrite(address, value);
  }
}

void Mapper87Low(Machine& m, uint16_t address, uint8_t value) {
  if (address != 0x6000) return;
  // 8 KB starting at any 4 KB bank.
  CopyChrRom(m, 0x0000, 4, value);
  CopyChrRom(m, 0x1000, 4, value + 1u);
}

void Mapper184Low(Machine& m, uint16_t address, uint8_t value) {
  if (address != 0x6000) return;
  for (const Layout184& layout : kLayouts184) {
    if (layout.value != value) continue;
    if (ChrBankCount == 0) break;
    m.CopyChrNoDecode(0x0000, 4, layout.low);
    m.CopyChrNoDecode(0x1000, 4, layout.high);
  }
  m.DecodePatterns(0x0000, 0x2000);
}

// Boards with their registers below $8000 (mappers 80, 91, 246). None of them arms an IRQ:
// mapper 91's counter waits on IrqEnabled, which no register here sets.
#include "cart/board_low_registers.h"

#include <cstring>

#include "cart/board_common.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

uint8_t* NameTable(Machine& m, int n) { return m.PpuMemory + 0x2000 + n * 0x400; }

// Mapper 80's name-table step: the 2 KB CHR registers' bit 7 moves pages between the tables
// and the scratch page. LineCounter holds the board's state (0-3).
struct NameTableStep {
  uint16_t address;
  uint8_t bit7, state;
  bool save;  // save a table and copy a half over the other; else bring the scratch back
  uint8_t next;
};
constexpr NameTableStep kSteps80[] = {
    {0x7EF0, 0x80, 2, true, 0},  {0x7EF0, 0x80, 3, false, 1}, {0x7EF0, 0, 0, false, 2},
    {0x7EF0, 0, 1, true, 3},     {0x7EF1, 0, 1, true, 0},     {0x7EF1, 0, 3, false, 2},
    {0x7EF1, 0x80, 0, false, 1}, {0x7EF1, 0x80, 2, true, 3},
};

void Mapper80NameTables(Machine& m, uint16_t address, uint8_t value) {
  // $7EF0 works on NT0-NT1 with NT2-NT3 as the source, $7EF1 the other way round.
  const int to = address == 0x7EF0 ? 0 : 2, from = 2 - to;
  for (const NameTableStep& step : kSteps80) {
    if (step.address != address || step.bit7 != (value & 0x80) ||
        step.state != Mapper80NameTableState(m))
      continue;
    if (step.save) {
      std::memcpy(m.NameTableScratch, NameTable(m, to), 0x400);
      m.CopyNameTables(to, NameTable(m, from), 2);
      m.OneScreenLow = 1;
    } else {
      m.CopyNameTables(to, m.NameTableScratch);
      m.CopyNameTables(to + 1, m.NameTableScratch);
    }
    Mapper80NameTableState(m) = step.next;
    break;
  }
  m.VerticalMirroring = 0;
}

// 2 KB of CHR starting at any 1 KB page.
void Mapper80Chr2k(Machine& m, uint16_t window, uint8_t value) {
  CopyChr1(m, window, value & 0x7F);
  CopyChr1(m, static_cast<uint16_t>(window + 0x400), (value & 0x7F) + 1u);
}

}  // namespace

void Mapper80Low(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0x7EF0:
    case 0x7EF1:
      Mapper80Chr2k(m, address == 0x7EF0 ? 0x0000 : 0x0800, value);
      Mapper80NameTables(m, address, value);
      break;
    case 0x7EF2:
    case 0x7EF3:
    case 0x7EF4:
    case 0x7EF5:
      CopyChr1(m, static_cast<uint16_t>(0x1000 + (address - 0x7EF2) * 0x400), value & 0x7F);
      break;
    case 0x7EFA:
    case 0x7EFB:
    case 0x7EFC:
    case 0x7EFD:
    case 0x7EFE:
    case 0x7EFF:
      CopyPrg8Reduced(m, static_cast<uint16_t>(0x8000 + ((address - 0x7EFA) >> 1) * 0x2000), value);
      break;
    default:
      break;
  }
}

void Mapper91Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x7000) {
    CopyPrg8Reduced(m, (address & 1) ? 0xA000 : 0x8000, value);
  } else if (address >= 0x6000) {
    m.BankTarget = static_cast<uint16_t>((address & 3) * 0x800);
    CopyChrRom(m, m.BankTarget, 2, value);
  }
}

void Mapper246Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x6800 && address <= 0x6FFF) {
    m.CpuMemory[address] = value;
  } else if (address >= 0x6000 && address <= 0x6003) {
    m.CopyPrgWindow(static_cast<uint16_t>(0x8000 + (address - 0x6000) * 0x2000), 8, value);
  } else if (address >= 0x6004 && address <= 0x6007) {
    const uint32_t count2k = ChrBankCount * 4;
    if (count2k != 0)
      m.CopyChrWindow(static_cast<uint16_t>((address - 0x6004) * 0x800), 2, value % count2k);
  }
}

void Mapper80PowerOn(Machine& m) { Mapper80NameTableState(m) = 1; }

void Mapper91Step(Machine& m, int) {
  if (!m.IrqEnabled) return;
  m.IrqCounter = 0;
  m.IrqEnabled = 0;
  TakeBoardIrqAlways(m);
}

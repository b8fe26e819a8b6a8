// Mapper 10. BankRegs 0-3 hold the candidate banks (table $0000 for $FD and $FE, then table
// $1000 for $FD and $FE); LineReload and LineIrqEnabled hold the two tables' latches.
#include "cart/board_latch.h"

#include <cstring>

#include "cart/board_common.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// A candidate bank is shown at once only when its table's latch already has its tile value.
void StoreCandidate(Machine& m, int entry, uint8_t value) {
  if (ChrBankCount == 0) return;  // no 4 KB banks to choose from
  const uint8_t bank = static_cast<uint8_t>(value % (ChrBankCount * 2));
  m.BankRegs[entry] = bank;
  const int table = entry >> 1;
  const uint8_t tile = (entry & 1) ? 0xFE : 0xFD;
  const uint8_t latch = table ? Mapper10Latch1(m) : Mapper10Latch0(m);
  if (latch == tile) m.CopyChrWindow(static_cast<uint16_t>(table * 0x1000), 4, bank);
}

}  // namespace

void Mapper10High(Machine& m, uint16_t address, uint8_t value) {
  switch (address & 0xF000) {
    case 0xA000:
      if (PrgBankCount != 0) m.CopyPrgWindow(0x8000, 16, value % PrgBankCount);
      break;
    case 0xB000:
    case 0xC000:
    case 0xD000:
    case 0xE000:
      StoreCandidate(m, (address >> 12) - 0xB, value);
      break;
    case 0xF000:
      SetTwoScreen(m, value & 1);
      break;
    default:
      break;
  }
}

void Mapper10PowerOn(Machine& m) {
  Mapper10Latch0(m) = Mapper10Latch1(m) = 0xFE;
  std::memset(m.BankRegs, 0, 4);
}

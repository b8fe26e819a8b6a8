// Register values every board has before the game's first write. The loader has already laid
// out the power-on PRG and CHR windows; boards that are not named here start with zeros.
#include <cstring>

#include "cart/board_discrete.h"
#include "cart/board_mmc1.h"
#include "cart/board_mmc3.h"
#include "cart/board_namco.h"
#include "cart/boards.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// The Konami boards that write CHR banks as two halves start with no half written.
void ClearNibbleBanks(Machine& m, size_t count) {
  std::memset(m.BankRegs, 0, count);
  std::memset(m.ExtraRegs, 0, count);
}

void KonamiPowerOn(Machine& m) {  // 21, 25
  m.MapperWord = 0x8000;          // the switchable PRG bank goes to $8000
  ClearNibbleBanks(m, 14);
  m.IrqEnabled = 0;
}

}  // namespace

void PowerOnBoardRegisters(Machine& m) {
  // TxSROM boards start in one-screen mode; every other board in the header's arrangement.
  m.OneScreenLow = MapperNumber == 118;
  switch (MapperNumber) {
    case 1:
      Mmc1PowerOn(m);
      break;
    case 4: case 64: case 74: case 112: case 115: case 118: case 161: case 249:
      Mmc3PowerOn(m);
      break;
    case 245:
      Mmc3PowerOn(m);
      // This board has no swap-target step: slot 6 is the $8000 window for good.
      m.PrgSwapTarget = 0x8000;
      break;
    case 5: case 48:
      m.Mapper48Regs[0] = m.Mapper48Regs[1] = 3;
      break;
    case 6:
      m.CommandIndex = 0x20;  // copier mode: high-range writes switch banks
      m.PrgSelect = 0;        // CHR RAM bank 0 in the pattern area
      break;
    case 10:
      m.LineReload = m.LineIrqEnabled = 0xFE;  // both tile latches
      std::memset(m.BankRegs, 0, 4);
      break;
    case 16:
      m.IrqLatch = 0;
      break;
    case 19:
      NamcoPowerOn(m);
      break;
    case 21:
      KonamiPowerOn(m);
      break;
    case 23:
      ClearNibbleBanks(m, 8);
      break;
    case 25:
      KonamiPowerOn(m);
      m.LineIrqEnabled = 0;  // the record slot of $8000
      m.ShiftValue = m.ShiftCount = 0;  // wiring not yet known
      break;
    case 32:
      m.LineIrqEnabled = 1;  // first $8FF0 bank goes to $C000
      break;
    case 33:
      // Unit 0 is at $8000-$BFFF, so the first two windows already hold banks 0 and 1.
      PrgWindowBank[0] = 0;
      PrgWindowBank[1] = 1;
      break;
    case 41:
      Mapper41PowerOn(m);
      break;
    case 80:
      m.LineCounter = 1;  // name-table state
      break;
    default:
      break;
  }
}

// Namco 106 (mapper 19).
#include "cart/board_namco.h"

#include <cstring>

#include "core/globals.h"
#include "core/machine.h"

uint8_t CiramSave[2][0x400];

namespace {

// BankRegs bytes 0-3: name table n shows a CHR ROM page; bytes 4-7: its page selector.
uint8_t& RomFlag(Machine& m, int table) { return m.BankRegs[table]; }
uint8_t& PageSelector(Machine& m, int table) { return m.BankRegs[4 + table]; }

}  // namespace

void NamcoPowerOn(Machine& m) {
  // Four name tables are simulated over the two console pages: NT0-NT1 page 0, NT2-NT3 page 1.
  FourScreen = 1;
  for (int table = 0; table < 4; ++table) {
    RomFlag(m, table) = 0;
    PageSelector(m, table) = table < 2 ? 0 : 1;
  }
  std::memset(CiramSave, 0, sizeof CiramSave);
  m.NamcoSoundAddress = 0;
  m.IrqAckEnable = 0;
  m.IrqWord = 0xFF8C;
  // $8000-$DFFF hold no bank yet (only copies of the empty $8000 window), so no window may be
  // recorded as holding one: the first bank write must copy.
  std::memset(PrgWindowBank, 255, sizeof PrgWindowBank);
  std::memset(ChrWindowBank, 255, sizeof ChrWindowBank);
}

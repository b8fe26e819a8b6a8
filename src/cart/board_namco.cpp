// Namco 106 (mapper 19). MapperFlag holds the CHR mode ($E800 AND $C0); IrqAckEnable the last
// $F800 byte, whose bit 7 makes the sound-memory port step its address.
#include "cart/board_namco.h"

#include <cstring>

#include "cart/board_common.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// BankRegs bytes 0-3: name table n shows a CHR ROM page; bytes 4-7: its page selector
// (0 or 1 a saved page, 2 ROM).
uint8_t& RomFlag(Machine& m, int table) { return m.BankRegs[table]; }
uint8_t& PageSelector(Machine& m, int table) { return m.BankRegs[4 + table]; }
uint8_t* NameTable(Machine& m, int table) { return m.PpuMemory + 0x2000 + table * 0x400; }

// A value below $E0 puts a CHR ROM page into the table, saving the console page it covers;
// $E0 and up bring a saved page back. A table already showing a saved page keeps it.
void NameTableRegister(Machine& m, int table, uint8_t value) {
  if (value < 0xE0) {
    if (ChrBankCount == 0) return;
    if (!RomFlag(m, table))
      std::memcpy(m.CiramSave[PageSelector(m, table) == 1 ? 1 : 0], NameTable(m, table), 0x400);
    const uint32_t page = value % (ChrBankCount * 8);
    std::memcpy(NameTable(m, table), m.ChrRom + page * 0x400, 0x400);
    RomFlag(m, table) = 1;
    PageSelector(m, table) = 2;
  } else if (RomFlag(m, table)) {
    PageSelector(m, table) = value & 1;
    std::memcpy(NameTable(m, table), m.CiramSave[value & 1], 0x400);
    RomFlag(m, table) = 0;
  }
}

// Banks $E0 and up name the console's own pages, which the pattern windows cannot show unless
// the CHR mode bit of their half allows ROM there.
void ChrRegister(Machine& m, int window, uint8_t value) {
  if (ChrBankCount == 0) return;
  const uint32_t bank = value % (ChrBankCount * 8);
  const uint8_t romAllowed = window < 4 ? 0x40 : 0x80;
  if (bank >= 0xE0 && !(m.MapperFlag & romAllowed)) return;
  CopyChr1Recorded(m, static_cast<uint16_t>(window * 0x400), bank);
}

void PrgRegister(Machine& m, int window, uint8_t value) {
  if (PrgBankCount == 0) return;
  CopyPrg8Recorded(m, static_cast<uint16_t>(0x8000 + window * 0x2000), m.PrgWindowBank[window],
                   value % (PrgBankCount * 2));
}

}  // namespace

void NamcoLow(Machine& m, uint16_t address, uint8_t value) {
  if (address == 0x4800) {
    m.NamcoSoundRam[m.NamcoSoundAddress & 0x7F] = value;
    if (NamcoSoundAddressPort(m) & 0x80) ++m.NamcoSoundAddress;
    m.NamcoSoundAddress &= 0x7F;
  } else if (address >= 0x5000 && address <= 0x57FF) {
    m.IrqCounter = value;
  } else if (address >= 0x5800 && address <= 0x5FFF) {
    m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0x00FF) | (value << 8));
    m.IrqEnabled = value >> 7;
  } else if (address >= 0x6000 && address <= 0x6FFF) {
    m.CpuMemory[address] = value;
  }
}

uint8_t NamcoRead(Machine& m, uint16_t address) {
  if (address == 0x4800) return m.NamcoSoundRam[m.NamcoSoundAddress & 0x7F];  // no step on reads
  if (address >= 0x5000 && address <= 0x57FF) return static_cast<uint8_t>(m.IrqCounter);
  if (address >= 0x5800 && address <= 0x5FFF) return static_cast<uint8_t>(m.IrqCounter >> 8);
  return m.CpuMemory[address];
}

void NamcoHigh(Machine& m, uint16_t address, uint8_t value) {
  if (address < 0xC000) {
    ChrRegister(m, (address & 0x3800) >> 11, value);
  } else if (address < 0xE000) {
    NameTableRegister(m, (address - 0xC000) >> 11, value);
  } else if (address < 0xE800) {
    PrgRegister(m, 0, value);
  } else if (address < 0xF000) {
    m.MapperFlag = value & 0xC0;
    PrgRegister(m, 1, value);
  } else if (address < 0xF800) {
    PrgRegister(m, 2, value);
  } else {
    NamcoSoundAddressPort(m) = value;
    m.NamcoSoundAddress = value & 0x7F;
  }
}

void NamcoPowerOn(Machine& m) {
  // Four name tables are simulated over the two console pages: NT0-NT1 page 0, NT2-NT3 page 1.
  m.FourScreen = 1;
  for (int table = 0; table < 4; ++table) {
    RomFlag(m, table) = 0;
    PageSelector(m, table) = table < 2 ? 0 : 1;
  }
  std::memset(m.CiramSave, 0, sizeof m.CiramSave);
  m.NamcoSoundAddress = 0;
  NamcoSoundAddressPort(m) = 0;
  m.IrqWord = 0xFF8C;
  // $8000-$DFFF hold no bank yet (only copies of the empty $8000 window), so no window may be
  // recorded as holding one: the first bank write must copy.
  std::memset(m.PrgWindowBank, 255, sizeof m.PrgWindowBank);
  std::memset(m.ChrWindowBank, 255, sizeof m.ChrWindowBank);
}

void NamcoStep(Machine& m, int line) {
  if (m.IrqEnabled != 1) return;
  uint16_t& given = NamcoIrqsThisFrame(m);
  if (line == 0) given = 0;
  int step = 114;
  if (given == 0) step += 5;
  if (given == 2) step += 1;
  m.IrqCounter = static_cast<uint16_t>(m.IrqCounter + step);
  if (m.IrqCounter < 0x74 && !IrqMasked(m)) {  // it passed $FFFF
    if (line > 10) {
      TakeBoardIrq(m);
      ++given;
    }
    m.IrqCounter = 0xFFFF;
    m.IrqEnabled = 0;
  }
}

// Mapper 16: IrqLatch is the IRQ enable, IrqWord the counter. Mapper 18: BankRegs/ExtraRegs
// hold the register halves (0 PRG $8000, 1 PRG $C000, 2 PRG $A000, 4-11 CHR windows 0-7),
// LineIrqEnabled the CHR window written last.
#include "cart/board_bandai.h"

#include "cart/board_common.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// `prgBank16k` is the PRG bank as the write's range computes it.
void Mapper16Register(Machine& m, uint16_t address, uint8_t value, uint32_t prgBank16k) {
  const uint8_t reg = address & 0x0F;
  if (reg < 8) {
    CopyChr1(m, static_cast<uint16_t>(reg * 0x400), value);
    return;
  }
  switch (reg) {
    case 8:
      m.CopyPrgWindow(0x8000, 16, prgBank16k);
      break;
    case 9:
      SelectMirroring(m, value);
      break;
    case 0xA:
      Mapper16IrqEnabled(m) = value & 1;
      break;
    case 0xB:
      Mapper16Counter(m) = value;
      break;
    case 0xC:
      Mapper16Counter(m) = static_cast<uint16_t>((Mapper16Counter(m) & 0x00FF) | (value << 8));
      break;
    default:
      break;
  }
}

}  // namespace

void Mapper16High(Machine& m, uint16_t address, uint8_t value) {
  // The high range reduces the PRG bank by twice the unit count; the low range does not.
  if ((address & 0x0F) == 8 && PrgBankCount == 0) return;
  Mapper16Register(m, address, value, PrgBankCount ? value % (PrgBankCount * 2) : 0);
}

void Mapper16Low(Machine& m, uint16_t address, uint8_t value) {
  // Never cartridge RAM on this board.
  if ((address & 0xE000) == 0x6000) Mapper16Register(m, address, value, value);
}

namespace {

void Mapper18Prg(Machine& m, int reg, uint16_t window, bool high, uint8_t value) {
  if (!WriteHalf(m, reg, high, value)) return;
  CopyPrg8Recorded(m, window, m.PrgWindowBank[(window - 0x8000) >> 13], m.BankRegs[reg]);
}

void Mapper18Chr(Machine& m, int window, bool high, uint8_t value) {
  Mapper18LastChrWindow(m) = static_cast<uint8_t>(window);
  if (!WriteHalf(m, 4 + window, high, value)) return;
  if (ChrBankCount == 0) return;
  // Decoded even when the record says the bank is in place.
  const uint16_t target = static_cast<uint16_t>(window * 0x400);
  CopyChr1Recorded(m, target, m.BankRegs[4 + window]);
  m.DecodePatterns(target, 0x400);
}

}  // namespace

void Mapper18High(Machine& m, uint16_t address, uint8_t value) {
  const bool high = address & 1;
  const uint16_t page = address & 0xF000;
  switch (page) {
    case 0x8000:
      if (address & 2)
        Mapper18Prg(m, 2, 0xA000, high, value);
      else
        Mapper18Prg(m, 0, 0x8000, high, value);
      return;
    case 0x9000:
      Mapper18Prg(m, 1, 0xC000, high, value);
      return;
    case 0xA000:
    case 0xB000:
    case 0xC000:
    case 0xD000:
      Mapper18Chr(m, ((page - 0xA000) >> 11) | ((address >> 1) & 1), high, value);
      return;
    case 0xE000:
      if (address & 2)
        m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0x00FF) | (value << 8));
      else
        m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0xFF00) | value);
      return;
    default:  // $F000
      switch (address & 3) {
        case 0:
          m.IrqEnabled = 1;
          break;
        case 1:
          m.IrqEnabled = value & 1;
          break;
        case 2:
          if (value & 2)
            SelectOneScreenA(m);
          else if (value & 1)
            SelectHorizontal(m);
          else
            SelectVertical(m);
          break;
        default:
          break;
      }
      return;
  }
}

void Mapper16PowerOn(Machine& m) { Mapper16IrqEnabled(m) = 0; }

void Mapper16Step(Machine& m, int) {
  if (!Mapper16IrqEnabled(m)) return;
  uint16_t& counter = Mapper16Counter(m);
  counter = AddCycles(m, counter, -116);
  if (counter > 0xFF80 && !IrqMasked(m)) {
    counter = 0xFF00;
    Mapper16IrqEnabled(m) = 0;
    TakeBoardIrq(m);
  }
}

void Mapper18Step(Machine& m, int) {
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m, m.IrqCounter, -114);
  if (m.IrqCounter < 0x81 && !IrqMasked(m)) {
    m.IrqCounter = 0xFFFF;
    m.IrqEnabled = 0;
    TakeBoardIrq(m);
  }
}

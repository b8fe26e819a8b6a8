// Shared board pieces; see board_common.h.
#include "cart/board_common.h"

#include "core/globals.h"
#include "core/machine.h"

void SelectVertical(Machine& m) {
  m.RestoreVertical();
  m.VerticalMirroring = 1;
  m.OneScreenLow = m.OneScreenHigh = 0;
}

void SelectHorizontal(Machine& m) {
  m.RestoreHorizontal();
  m.VerticalMirroring = 0;
  m.OneScreenLow = m.OneScreenHigh = 0;
}

void SelectOneScreenA(Machine& m) {
  m.SetOneScreenLow();
  m.OneScreenLow = 1;
  m.OneScreenHigh = 0;
}

void SelectOneScreenB(Machine& m) {
  m.SetOneScreenHigh();
  m.OneScreenLow = 0;
  m.OneScreenHigh = 1;
}

void SelectMirroring(Machine& m, uint8_t mode) {
  switch (mode & 3) {
    case 0:
      SelectVertical(m);
      break;
    case 1:
      SelectHorizontal(m);
      break;
    case 2:
      SelectOneScreenA(m);
      break;
    default:
      SelectOneScreenB(m);
      break;
  }
}

void SetTwoScreen(Machine& m, bool horizontal) {
  if (horizontal)
    m.SetHorizontalMirroring();
  else
    m.SetVerticalMirroring();
}

void CopyPrg8Reduced(Machine& m, uint16_t window, uint8_t v) {
  if (PrgBankCount != 0) m.CopyPrgWindow(window, 8, v % (PrgBankCount * 2));
}

namespace {
// A record is one byte and 255 means "unknown", so banks from 255 up are never taken as
// already copied: a bank number cut to 8 bits would match a different bank.
bool RecordHolds(uint8_t record, uint32_t bank) { return bank < 255 && record == bank; }
uint8_t RecordOf(uint32_t bank) { return bank < 255 ? static_cast<uint8_t>(bank) : 255; }
}  // namespace

void CopyPrg8Recorded(Machine& m, uint16_t window, uint8_t& record, uint32_t bank) {
  if (RecordHolds(record, bank)) return;
  record = RecordOf(bank);
  m.CopyPrgWindow(window, 8, bank);
}

void CopyChr1(Machine& m, uint16_t window, uint32_t bank) { CopyChrRom(m, window, 1, bank); }

void CopyChrRom(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t bank) {
  if (ChrBankCount != 0) m.CopyChrWindow(window, sizeKb, bank);
}

void CopyChr1Reduced(Machine& m, uint16_t window, uint8_t v) {
  if (ChrBankCount != 0) m.CopyChrWindow(window, 1, v % (ChrBankCount * 8));
}

void CopyChr1Recorded(Machine& m, uint16_t window, uint32_t bank) {
  uint8_t& record = m.ChrWindowBank[(window >> 10) & 7];
  if (ChrBankCount == 0 || RecordHolds(record, bank)) return;
  record = RecordOf(bank);
  m.CopyChrWindow(window, 1, bank);
}

bool WriteHalf(Machine& m, int index, bool high, uint8_t value) {
  uint8_t& bank = m.BankRegs[index];
  uint8_t& written = m.ExtraRegs[index];
  if (high) {
    bank = static_cast<uint8_t>((bank & 0x0F) | ((value & 0x0F) << 4));
    written |= 2;
  } else {
    bank = static_cast<uint8_t>((bank & 0xF0) | (value & 0x0F));
    written |= 1;
  }
  if (written != 3) return false;
  written = 0;
  return true;
}

bool IrqMasked(const Machine& m) { return m.P & 0x04; }
bool RenderingOn(const Machine& m) { return m.CpuMemory[kPpuMask] & 0x18; }
uint16_t AddCycles(const Machine& m, uint16_t counter, int cycles) {
  return static_cast<uint16_t>(counter + cycles + m.IrqAdjust);
}

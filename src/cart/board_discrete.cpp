// Discrete-logic boards (mappers 2, 3, 7, 8, 11, 15, 34, 41). Bank numbers are reduced by
// the image's bank count; an image too small to have a single bank of a window's size
// ignores that bank write instead of dividing by zero.
#include "cart/board_discrete.h"

#include "core/globals.h"
#include "core/machine.h"

namespace {

uint32_t Prg32Count() { return PrgBankCount / 2; }

// 32 KB PRG switch that skips the copy when the bank is already in place (mappers 11, 34).
void SwitchPrg32Recorded(Machine& m, uint32_t bank) {
  if (m.PrgWindowBank[0] == bank) return;
  m.PrgWindowBank[0] = static_cast<uint8_t>(bank);
  m.CopyPrgWindow(0x8000, 32, bank);
}

// 4 or 8 KB CHR switch recorded in the 1 KB window record of the window's first page.
void SwitchChrRecorded(Machine& m, uint16_t window, uint32_t sizeKb, uint8_t& record,
                       uint32_t bank) {
  if (record == bank) return;
  record = static_cast<uint8_t>(bank);
  m.CopyChrWindow(window, sizeKb, bank);
}

// Mapper 15 takes its mirroring bit as a flag only: name tables written from now on are
// mirrored the new way, the ones already written stay as they are.
void Mapper15Mirroring(Machine& m, uint8_t value) { m.VerticalMirroring = (value & 0x40) ? 0 : 1; }

}  // namespace

void Mapper2High(Machine& m, uint16_t, uint8_t value) {
  if (PrgBankCount == 0) return;
  m.CopyPrgWindow(0x8000, 16, value % PrgBankCount);
}

void Mapper3High(Machine& m, uint16_t, uint8_t value) {
  if (ChrBankCount == 0) return;
  m.CopyChrWindow(0x0000, 8, value % ChrBankCount);
}

void Mapper7High(Machine& m, uint16_t, uint8_t value) {
  if (value & 0x08) {
    m.SetOneScreenHigh();
    m.OneScreenLow = 0, m.OneScreenHigh = 1;
  } else {
    m.SetOneScreenLow();
    m.OneScreenLow = 1, m.OneScreenHigh = 0;
  }
  if (Prg32Count() != 0) m.CopyPrgWindow(0x8000, 32, value % Prg32Count());
}

void Mapper8High(Machine& m, uint16_t, uint8_t value) {
  // The board's CHR is decoded with the rest of the pattern cache at the next frame start.
  m.CopyChrNoDecode(0x0000, 8, value & 7);
  m.PatternsDirty = 1;
  if (PrgBankCount != 0) m.CopyPrgWindow(0x8000, 16, (value >> 3) % PrgBankCount);
}

void Mapper11High(Machine& m, uint16_t, uint8_t value) {
  if (Prg32Count() != 0) SwitchPrg32Recorded(m, (value & 0x0F) % Prg32Count());
  if (ChrBankCount != 0)
    SwitchChrRecorded(m, 0x0000, 8, m.ChrWindowBank[0], (value >> 4) % ChrBankCount);
}

void Mapper15High(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0x8000:
      Mapper15Mirroring(m, value);
      m.CopyPrg32At16kUnit(value & 0x3F);
      break;
    case 0x8001:
      m.CopyPrgWindow(0xC000, 16, value & 0x7F);
      break;
    case 0x8002: {
      // One 8 KB half of a 16 KB unit mirrored into all four windows.
      const uint32_t bank = (value & 0x80) ? (value & 0x7F) * 2u + 1 : value * 2u;
      for (uint32_t window = 0x8000; window < 0x10000; window += 0x2000)
        m.CopyPrgWindow(static_cast<uint16_t>(window), 8, bank);
      break;
    }
    case 0x8003:
      Mapper15Mirroring(m, value);
      m.CopyPrgWindow(0xC000, 16, value & 0x7F);
      break;
    default:
      break;
  }
}

void Mapper34High(Machine& m, uint16_t, uint8_t value) {
  if (Prg32Count() != 0) SwitchPrg32Recorded(m, value % Prg32Count());
}

void Mapper34Low(Machine& m, uint16_t address, uint8_t value) {
  // The registers sit at the top of the RAM area; the board's RAM is not written.
  const uint32_t chr4kCount = ChrBankCount * 2;
  switch (address) {
    case 0x7FFD:
      Mapper34High(m, address, value);
      break;
    case 0x7FFE:
      if (chr4kCount != 0) SwitchChrRecorded(m, 0x0000, 4, m.ChrWindowBank[0], value % chr4kCount);
      break;
    case 0x7FFF:
      if (chr4kCount != 0) SwitchChrRecorded(m, 0x1000, 4, m.ChrWindowBank[1], value % chr4kCount);
      break;
    default:
      break;
  }
}

// Mapper 41's outer register is written through $6000-$6FFF, the address carrying the data.
// MapperMode holds the inner-CHR enable, MapperFlag the outer CHR bits (bank bits 2-3).
void Mapper41Low(Machine& m, uint16_t address, uint8_t) {
  if (address < 0x6000 || address > 0x6FFF) return;
  m.MapperMode = (address >> 2) & 1;
  m.CopyPrgWindow(0x8000, 32, address & 7);
  m.MapperFlag = static_cast<uint8_t>((address & 0x18) >> 1);
  if (address & 0x20)
    m.SetHorizontalMirroring();
  else
    m.SetVerticalMirroring();
}

void Mapper41High(Machine& m, uint16_t, uint8_t value) {
  if (m.MapperMode != 1) return;
  m.CopyChrWindow(0x0000, 8, m.MapperFlag | (value & 3));
}

void Mapper41PowerOn(Machine& m) {
  m.MapperMode = 0;
  m.MapperFlag = 0;
}

void Mapper0Low(Machine& m, uint16_t address, uint8_t value) {
  // The sound registers were stored already; storing again would undo the $4011 rule that
  // keeps a written 0 level readable as $80.
  if (address < 0x4000 || address > 0x4013) m.CpuMemory[address] = value;
}

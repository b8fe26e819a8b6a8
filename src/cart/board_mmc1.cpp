// MMC1 (mapper 1). Each $8000-$FFFF write shifts bit 0 into a five-bit register; the address
// of the fifth write picks the internal register that receives it. Mmc1Regs: 0 control,
// 1 CHR bank 0, 2 CHR bank 1, 3 PRG bank. PrgSelect is the PRG value last applied.
#include "cart/board_mmc1.h"

#include "core/globals.h"
#include "core/machine.h"

namespace {

// Control bits 0-1: 0 and 1 are one-screen (both shown as page A here), 2 vertical,
// 3 horizontal.
void Mmc1ApplyMirroring(Machine& m, uint8_t control) {
  const uint32_t wantVertical = (control & 1) ? 0 : 1;
  if (m.VerticalMirroring != wantVertical) {
    if (wantVertical)
      m.SetVerticalMirroring();
    else
      m.SetHorizontalMirroring();
  }
  m.VerticalMirroring = wantVertical;

  const bool oneScreen = (control & 2) == 0;
  if (oneScreen && !m.OneScreenLow) {
    m.SetOneScreenLow();
    m.OneScreenLow = 1;
  } else if (!oneScreen && m.OneScreenLow) {
    // Page B comes back from hiding so both screens show what they held before.
    if (wantVertical)
      m.RestoreVertical();
    else
      m.RestoreHorizontal();
    m.OneScreenLow = 0;
  }
}

void Mmc1WriteControl(Machine& m, uint8_t control) {
  Mmc1ApplyMirroring(m, control);
  m.Mmc1ChangePrgMode(m.Mmc1Regs[0] & 0x0C, control & 0x0C);
  m.Mmc1Regs[0] = control;
}

// CHR banks count in 4 KB units whatever the mode. A board with CHR RAM has nothing to
// switch: copying from the empty ROM store would wipe the tiles the game uploaded.
void Mmc1WriteChr0(Machine& m, uint8_t bank) {
  if (ChrBankCount == 0) return;
  if (m.Mmc1Regs[0] & 0x10) {
    m.CopyChrWindow(0x0000, 4, bank);
  } else {
    m.CopyChrNoDecode(0x0000, 4, bank);
    m.CopyChrNoDecode(0x1000, 4, bank + 1u);
    m.DecodePatterns(0x0000, 0x2000);
  }
}

void Mmc1WriteChr1(Machine& m, uint8_t bank) {
  if (ChrBankCount == 0 || !(m.Mmc1Regs[0] & 0x10)) return;
  m.CopyChrWindow(0x1000, 4, bank);
}

// The compare is against the masked value while the record keeps the raw one, so an odd
// bank in 32 KB mode copies again on every write. Images of 32 units or more keep their
// power-on layout.
void Mmc1WritePrg(Machine& m, uint8_t bank) {
  if (PrgBankCount >= 32) return;
  const uint8_t control = m.Mmc1Regs[0];
  if (!(control & 0x08)) {
    if (m.PrgSelect == (bank & 0x0E)) return;
    m.PrgSelect = bank;
    m.CopyPrg32At16kUnit((bank >> 1) * 2u);
  } else {
    if (m.PrgSelect == (bank & 0x0F)) return;
    m.PrgSelect = bank;
    m.CopyPrgWindow((control & 0x04) ? 0x8000 : 0xC000, 16, bank & 0x0F);
  }
}

}  // namespace

void Mmc1High(Machine& m, uint16_t address, uint8_t value) {
  m.CommandIndex = static_cast<uint8_t>((address & 0x6000) >> 13);
  if (value & 0x80) {
    // Reset: only the addressed register is cleared, nothing is re-laid out.
    m.Mmc1Regs[m.CommandIndex] = 0;
    m.ShiftValue = 0;
    m.ShiftCount = 0;
    return;
  }
  m.ShiftValue = static_cast<uint8_t>(m.ShiftValue | ((value & 1) << m.ShiftCount));
  if (++m.ShiftCount != 5) return;

  const uint8_t data = m.ShiftValue;
  if (m.CommandIndex != 0) m.Mmc1Regs[m.CommandIndex] = data;
  switch (m.CommandIndex) {
    case 0:
      Mmc1WriteControl(m, data);
      break;
    case 1:
      Mmc1WriteChr0(m, data);
      break;
    case 2:
      Mmc1WriteChr1(m, data);
      break;
    default:
      Mmc1WritePrg(m, data);
      break;
  }
  m.ShiftValue = 0;
  m.ShiftCount = 0;
}

void Mmc1PowerOn(Machine& m) {
  m.ShiftValue = 0;
  m.ShiftCount = 0;
  for (uint8_t& reg : m.Mmc1Regs) reg = 0;
  m.CommandIndex = 0;
  m.PrgSelect = 0;
}

// MMC3 (mapper 4; 248 loads as 4): its registers and the scanline counter that it and the
// MMC3-like boards share, stepped once per visible line through the board table.
#include "cart/board_mmc3.h"

#include "cart/board_common.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

uint8_t Add8(int value) { return static_cast<uint8_t>(value & 0xFF); }

}  // namespace

void Mmc3FirstSelect(Machine& m, uint8_t value) {
  if (!m.FirstSelectPending) return;
  m.FirstSelectPending = 0;
  // The only time the fixed bank moves: second-to-last 8 KB to $8000, the first 16 KB to
  // $A000-$DFFF. Later changes of bit 6 only choose where slot 6 lands.
  if (!(value & 0x40) || PrgBankCount == 0) return;
  m.CopyPrgWindow(0x8000, 8, PrgBankCount * 2 - 2);
  m.CopyPrgWindow(0xA000, 8, 0);
  m.CopyPrgWindow(0xC000, 8, 1);
}

void Mmc3SwapTarget(Machine& m, uint8_t value) {
  m.PrgSwapTarget = (value & 0x40) ? 0xC000 : 0x8000;
}

uint8_t Mmc3ChrRamSelect(uint8_t value) {
  return ChrBankCount == 0 ? static_cast<uint8_t>(value | 6) : value;
}

void Mmc3SelectChrSlot(Machine& m, uint8_t slot, uint8_t value) {
  static constexpr uint16_t kTargets[6] = {0x0000, 0x0800, 0x1000, 0x1400, 0x1800, 0x1C00};
  m.BankTarget = kTargets[slot];
  m.BankSize = slot < 2 ? 0x0800 : 0x0400;
  if (value & 0x80) m.BankTarget ^= 0x1000;
}

void Mmc3SelectSlot(Machine& m, uint8_t value) {
  const uint8_t slot = value & 7;
  if (slot < 6) {
    Mmc3SelectChrSlot(m, slot, value);
    return;
  }
  m.BankTarget = slot == 6 ? m.PrgSwapTarget : 0xA000;
  m.BankSize = 0x2000;
}

void Mmc3BankSelect(Machine& m, uint8_t value) {
  Mmc3FirstSelect(m, value);
  Mmc3SwapTarget(m, value);
  Mmc3SelectSlot(m, Mmc3ChrRamSelect(value));
}

void Mmc3CopyChr(Machine& m, uint16_t target, uint16_t size, uint32_t bank1k) {
  const uint32_t pages = size / 0x400u;
  if (pages == 0) return;
  for (uint32_t page = 0; page < pages; ++page)
    m.CopyChrWindow(static_cast<uint16_t>(target + page * 0x400), 1, bank1k + page);
}

void Mmc3BankData(Machine& m, uint8_t value) {
  if (m.BankSize == 0x2000) {
    const uint32_t prg8kCount = PrgBankCount * 2;
    if (prg8kCount != 0) m.CopyPrgWindow(m.BankTarget, 8, value % prg8kCount);
    return;
  }
  const uint32_t chr1kCount = ChrBankCount * 8;
  if (chr1kCount != 0) Mmc3CopyChr(m, m.BankTarget, m.BankSize, value % chr1kCount);
}

void Mmc3Mirroring(Machine& m, uint8_t value) {
  // Four-screen boards carry their own name-table RAM: the register has nothing to switch,
  // and copying pages would destroy two of the four tables.
  if (m.FourScreen) return;
  if (value & 1) {
    if (m.VerticalMirroring == 1) m.SetHorizontalMirroring();
  } else {
    if (m.VerticalMirroring == 0) m.SetVerticalMirroring();
  }
  m.VerticalMirroring = 1 - (value & 1);
}

void LineCounterWrite(Machine& m, uint16_t reg, uint8_t value, int plus, int adjust) {
  switch (reg) {
    case 0xC000:
      m.LineCounter = Add8(value + plus + adjust);
      break;
    case 0xC001:
      m.LineReload = Add8(value + plus);
      break;
    case 0xE000:
      m.LineIrqEnabled = 0;
      m.LineCounter = Add8(m.LineReload + adjust);
      break;
    case 0xE001:
      m.LineIrqEnabled = 1;
      break;
    default:
      break;
  }
}

void Mmc3CounterWrite(Machine& m, uint16_t reg, uint8_t value) {
  LineCounterWrite(m, reg, value, 1, m.IrqAdjust);
}

void Mmc3UpperRegister(Machine& m, uint16_t reg, uint8_t value) {
  switch (reg) {
    case 0xA000:
      Mmc3Mirroring(m, value);
      break;
    case 0xA001:
      SramEnable = (value >> 7) & 1;
      break;
    default:
      Mmc3CounterWrite(m, reg, value);
      break;
  }
}

void Mmc3High(Machine& m, uint16_t address, uint8_t value) {
  const uint16_t reg = address & 0xE001;
  if (reg == 0x8000)
    Mmc3BankSelect(m, value);
  else if (reg == 0x8001)
    Mmc3BankData(m, value);
  else
    Mmc3UpperRegister(m, reg, value);
}

void Mmc3PowerOn(Machine& m) { m.LineIrqEnabled = 0; }

void StepLineCounter(Machine& m, const LineBoard& board) {
  if (board.Runs == LineRule::WhileEnabled && !m.LineIrqEnabled) return;
  if (!board.NeedsRendering || RenderingOn(m)) --m.LineCounter;
  if (!m.LineIrqEnabled || m.LineCounter != 0 || IrqMasked(m)) return;
  if (board.LogText) LogText(board.LogText, board.LogLength);
  if (board.After != AfterIrq::Reload) m.LineIrqEnabled = 0;
  if (board.After != AfterIrq::Disable) m.LineCounter = m.LineReload;
  TakeBoardIrq(m);
}

void Mmc3Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::Always, true, AfterIrq::Disable, nullptr, 0});
}

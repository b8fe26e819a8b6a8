// MMC3-style boards (mappers 64, 112, 115, 118, 161, 245, 249), each written as its
// differences from MMC3. Their counter steps are MMC3's with other rules; 64, 112
// and 115 keep their counter registers but never raise an IRQ.
#include "cart/board_mmc3_style.h"

#include "cart/board_log.h"
#include "cart/board_mmc3.h"
#include "cart/window_copies.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

void SelectPrg(Machine& m, uint16_t target) {
  m.BankTarget = target;
  m.BankSize = 0x2000;
}

// MMC3's slot table with the two PRG slots pointed elsewhere.
void SelectSlotWith(Machine& m, uint8_t value, uint16_t slot6, uint16_t slot7) {
  const uint8_t slot = value & 7;
  if (slot < 6)
    Mmc3SelectChrSlot(m, slot, value);
  else
    SelectPrg(m, slot == 6 ? slot6 : slot7);
}

// Steps 1-3 of MMC3's select; returns the select value the slot table sees.
uint8_t PrepareSelect(Machine& m, uint8_t value) {
  Mmc3FirstSelect(m, value);
  Mmc3SwapTarget(m, value);
  return Mmc3ChrRamSelect(value);
}

// --- Mapper 64: its own select table with 8 KB PRG windows, 1 KB CHR windows at $0400 and
// $0C00, and a mirroring flag that moves no page.

void Mapper64Select(Machine& m, uint8_t value) {
  const uint8_t select = value & 0x0F;
  const bool swapped = value & 0x40;
  switch (select) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
      Mmc3SelectChrSlot(m, select, value);
      break;
    case 6:
      SelectPrg(m, swapped ? 0xA000 : 0x8000);
      break;
    case 7:
      SelectPrg(m, swapped ? 0xC000 : 0xA000);
      break;
    case 8:
    case 9:
      m.BankTarget = select == 8 ? 0x0400 : 0x0C00;
      m.BankSize = 0x0400;
      break;
    case 15:
      SelectPrg(m, swapped ? 0x8000 : 0xC000);
      break;
    default:  // 10-14 select nothing
      break;
  }
}

}  // namespace

void Mapper64High(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0x8000:
      Mapper64Select(m, value);
      break;
    case 0x8001:
      Mmc3BankData(m, value);
      break;
    case 0xA000:
      m.VerticalMirroring = value & 1;
      break;
    default:
      break;
  }
}

// The select and data registers sit at $8000 and $A000; there is no mirroring register.
void Mapper112High(Machine& m, uint16_t address, uint8_t value) {
  const uint16_t reg = address & 0xE001;
  switch (reg) {
    case 0x8000: {
      const uint8_t select = PrepareSelect(m, value);
      const uint8_t slot = select & 7;
      if (slot < 2)
        SelectPrg(m, slot == 0 ? m.PrgSwapTarget : 0xA000);
      else
        Mmc3SelectChrSlot(m, slot - 2, select);
      break;
    }
    case 0xA000:
      Mmc3BankData(m, value);
      break;
    case 0x8001:
      break;
    default:
      Mmc3UpperRegister(m, reg, value);
      break;
  }
}

// MMC3 whose mirroring is wired fixed.
void Mapper115High(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xE001) == 0xA000) return;
  Mmc3High(m, address, value);
}

// MMC3 with the mirroring bit read the other way round.
void Mapper118High(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xE001) == 0xA000) {
    Mmc3Mirroring(m, value ^ 1);
    return;
  }
  Mmc3High(m, address, value);
}

// Exact addresses; slot 6 always fills $8000 and $8800 selects the normally fixed $E000.
void Mapper161High(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0x8000:
      SelectSlotWith(m, PrepareSelect(m, value), 0x8000, 0xA000);
      break;
    case 0x8800:
      SelectPrg(m, 0xE000);
      break;
    case 0x8001:
    case 0x8801:
      Mmc3BankData(m, value);
      break;
    case 0xA000:
    case 0xA001:
    case 0xC000:
    case 0xC001:
    case 0xE000:
    case 0xE001:
      Mmc3UpperRegister(m, address, value);
      break;
    default:
      LogBoardWrite(address, value);
      break;
  }
}

// Only the first 4 KB of cartridge RAM is fitted; every low write is logged.
void Mapper161Low(Machine& m, uint16_t address, uint8_t value) {
  LogBoardNumberLine(address);
  if ((address & 0xF000) == 0x6000) m.CpuMemory[address] = value;
}

// CHR windows are filled from the PRG ROM, and the counter loads exactly what is written.
void Mapper245High(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0x8000:
      Mmc3SelectSlot(m, value);
      break;
    case 0x8001:
      if (m.BankSize == 0x2000)
        Mmc3BankData(m, value);
      else
        CopyChrFromPrg(m, m.BankTarget, m.BankSize / 0x400u, value * 0x400u);
      break;
    case 0xA000:
    case 0xA001:
      Mmc3UpperRegister(m, address, value);
      break;
    case 0xC000:
    case 0xC001:
    case 0xE000:
    case 0xE001:
      LineCounterWrite(m, address, value, 0, 0);  // as written: no plus one, no adjustment
      break;
    default:
      break;
  }
}

// Two select registers: $8800 as MMC3 with slot 7 at $C000, $8000 without the first-select
// and swap steps and with both PRG slots at $A000. Registers sit at $x800/$x801.
void Mapper249High(Machine& m, uint16_t address, uint8_t value) {
  LogBoardWrite(address, value);
  switch (address) {
    case 0x8800: {
      const uint8_t select = PrepareSelect(m, value);
      SelectSlotWith(m, select, m.PrgSwapTarget, 0xC000);
      break;
    }
    case 0x8000:
      SelectSlotWith(m, Mmc3ChrRamSelect(value), 0xA000, 0xA000);
      break;
    case 0x8001:
    case 0x8801:
      Mmc3BankData(m, value);
      break;
    case 0xA800:
    case 0xA801:
    case 0xC800:
    case 0xC801:
    case 0xE800:
      Mmc3UpperRegister(m, address & 0xE001, value);
      break;
    case 0xE801:
      if (value != 0) m.LineIrqEnabled = 1;
      break;
    default:
      break;
  }
}

void Mapper249Low(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xF000) == 0x6000) m.CpuMemory[address] = value;
}

void Mapper118PowerOn(Machine& m) {
  Mmc3PowerOn(m);
  m.OneScreenLow = 1;  // TxSROM boards start in one-screen mode
}

void Mapper245PowerOn(Machine& m) {
  Mmc3PowerOn(m);
  m.PrgSwapTarget = 0x8000;
}

void Mapper74Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::WhileEnabled, true, AfterIrq::Disable, "IRQ\n", 4});
}
void Mapper118Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::Always, true, AfterIrq::Reload, nullptr, 0});
}
void Mapper161Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::WhileEnabled, false, AfterIrq::DisableAndReload, nullptr, 0});
}
void Mapper245Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::Always, false, AfterIrq::Disable, "W", 1});
}
void Mapper249Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::Always, true, AfterIrq::Disable, "IRQ\n", 4});
}

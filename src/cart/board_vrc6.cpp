// VRC6 boards (mappers 24 and 26; 26 has address lines 0 and 1 exchanged). Only mapper 24's
// sound registers are kept, for the expansion sound.
#include "cart/board_vrc6.h"

#include "apu/expansion.h"
#include "cart/board_common.h"
#include "cart/board_mmc3.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

// Both boards: $8000 the 16 KB bank at $8000 (record 0, in 16 KB units), $C000 an 8 KB bank
// (record 1).
bool Vrc6Prg(Machine& m, uint16_t address, uint8_t value) {
  if (address == 0x8000) {
    if (PrgBankCount == 0) return true;
    const uint32_t bank = value % PrgBankCount;  // at most 63: never the "unknown" record
    if (m.PrgWindowBank[0] != bank) {
      m.PrgWindowBank[0] = static_cast<uint8_t>(bank);
      m.CopyPrgWindow(0x8000, 16, bank);
    }
    return true;
  }
  if (address == 0xC000) {
    if (PrgBankCount != 0)
      CopyPrg8Recorded(m, 0xC000, m.PrgWindowBank[1], value % (PrgBankCount * 2));
    return true;
  }
  return false;
}

}  // namespace

void Mapper24High(Machine& m, uint16_t address, uint8_t value) {
  if (Vrc6Prg(m, address, value)) return;
  const uint16_t page = address & 0xF000;
  if (page >= 0x9000 && page <= 0xB000 && (address & 0x0FFF) <= 2) {
    m.Vrc6Registers[(page - 0x9000) >> 12][address & 3] = value;
    return;
  }
  if (page == 0xD000 || page == 0xE000) {
    if (ChrBankCount == 0) return;
    const uint16_t window = static_cast<uint16_t>((page - 0xD000) + (address & 3) * 0x400);
    CopyChr1Recorded(m, window, value % (ChrBankCount * 8));
    return;
  }
  switch (address) {
    case 0xB003:
      switch (value) {
        case 0x20:
          SelectVertical(m);
          break;
        case 0x24:
          SelectHorizontal(m);
          break;
        case 0x28:
          SelectOneScreenA(m);
          break;
        case 0x2C:
          SelectOneScreenB(m);
          break;
        default:
          break;
      }
      break;
    case 0xF000:
      Vrc6Reload(m) = static_cast<uint16_t>(value + m.IrqAdjust);
      break;
    case 0xF001:
      m.IrqEnabled = value & 3;
      m.IrqCounter = Vrc6Reload(m);
      break;
    case 0xF002:  // acknowledge
      m.IrqEnabled = static_cast<uint8_t>((m.IrqEnabled << 1) | (m.IrqEnabled & 1));
      m.IrqCounter = Vrc6Reload(m);
      break;
    default:
      break;
  }
}

void Mapper26High(Machine& m, uint16_t address, uint8_t value) {
  if (Vrc6Prg(m, address, value)) return;
  if (address >= 0xD000 && address <= 0xEFFF) {
    const uint16_t window = static_cast<uint16_t>(((address & 0x1000) ^ 0x1000) |
                                                  ((address & 1) << 11) | ((address & 2) << 9));
    CopyChr1(m, window, value);
    return;
  }
  switch (address) {
    case 0xB003:
      if ((value & 0x7F) == 0x20) SelectHorizontal(m);
      break;
    case 0xF000:
      m.LineCounter = static_cast<uint8_t>(value + 40 + m.IrqAdjust);
      break;
    case 0xF001:  // acknowledge
      m.LineIrqEnabled = Mapper26EnableAfterAck(m);
      break;
    case 0xF002:
      Mapper26EnableAfterAck(m) = value & 1;
      m.LineIrqEnabled = value & 2;
      break;
    default:
      break;
  }
}

void Mapper24Step(Machine& m, int) {
  if (!m.IrqEnabled) return;
  ++m.IrqCounter;
  if (m.IrqCounter >= 0xFF && !IrqMasked(m)) {
    m.IrqCounter = Vrc6Reload(m);
    m.IrqEnabled = (m.IrqEnabled & 1) * 3;
    TakeBoardIrq(m);
  }
}

void Mapper26Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::WhileEnabled, false, AfterIrq::Disable, nullptr, 0});
}

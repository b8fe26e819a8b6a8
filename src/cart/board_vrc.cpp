// VRC2/VRC4 boards (mappers 21, 22, 23, 25). The boards differ in which address lines carry
// the register index, so each decodes its own addresses and then shares the register effects.
// BankRegs/ExtraRegs hold the CHR halves, MapperMode the window of the latest CHR write,
// MapperWord the window of the switchable PRG bank (21, 25) and, on 25, LineIrqEnabled the
// record of that window.
#include "cart/board_vrc.h"

#include <cstring>

#include "cart/board_common.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

// $Bxxx gives windows 0-1, $Cxxx 2-3, $Dxxx 4-5, $Exxx 6-7.
int WindowBase(uint16_t address) { return ((address >> 12) - 0xB) * 2; }

// How a completed bank reaches its window.
enum class ChrApply { AsWritten, Reduced, ReducedRecorded };

void ChrHalf(Machine& m, int window, bool high, uint8_t value, ChrApply apply) {
  m.MapperMode = static_cast<uint8_t>(window);
  if (!WriteHalf(m, window, high, value)) return;
  const uint16_t target = static_cast<uint16_t>(window * 0x400);
  const uint8_t bank = m.BankRegs[window];
  if (apply == ChrApply::AsWritten) {
    CopyChr1(m, target, bank);
  } else if (ChrBankCount != 0) {
    const uint32_t reduced = bank % (ChrBankCount * 8);
    if (apply == ChrApply::Reduced)
      CopyChr1(m, target, reduced);
    else
      CopyChr1Recorded(m, target, reduced);
  }
}

void LatchLow(Machine& m, uint8_t v) {
  m.IrqLatch = static_cast<uint8_t>((m.IrqLatch & 0xF0) | (v & 0x0F));
}
void LatchHigh(Machine& m, uint8_t v) {
  m.IrqLatch = static_cast<uint8_t>((m.IrqLatch & 0x0F) | (v << 4));
}
// Control: reload now; bit 1 enables counting, bit 0 is what acknowledging restores.
void IrqControl(Machine& m, uint8_t v, int adjust) {
  m.IrqCounter = static_cast<uint16_t>(m.IrqLatch + adjust);
  m.IrqEnabled = (v >> 1) & 1;
  m.IrqAckEnable = v & 1;
}
void IrqAcknowledge(Machine& m) { m.IrqEnabled = m.IrqAckEnable; }

void PrgTargetFromBit1(Machine& m, uint8_t v) { VrcPrgTarget(m) = (v & 2) ? 0xC000 : 0x8000; }

}  // namespace

void Mapper21High(Machine& m, uint16_t address, uint8_t value) {
  switch (address & 0xF000) {
    case 0x8000:
      CopyPrg8Reduced(m, VrcPrgTarget(m), value);
      return;
    case 0x9000:
      if ((address & 7) == 0) {
        LogBoardNumberLine(value);
        SelectMirroring(m, value);
      } else if ((address & 7) == 2) {
        PrgTargetFromBit1(m, value);
      }
      return;
    case 0xA000:
      CopyPrg8Reduced(m, 0xA000, value);
      return;
    case 0xF000:
      switch (address & 7) {
        case 0:
          LatchLow(m, value);
          break;
        case 2:
          LatchHigh(m, value);
          break;
        case 4:
          IrqControl(m, value, 0);
          break;
        case 6:
          IrqAcknowledge(m);
          break;
        default:
          break;
      }
      return;
    default: {  // $B000-$EFFF; the second wiring's lines 2 and 3 stand for lines 0 and 1
      uint8_t reg = address & 0x0F;
      if (reg == 4) reg = 1;
      if (reg == 6) reg = 3;
      ChrHalf(m, WindowBase(address) | (reg & 1), reg & 2, value, ChrApply::Reduced);
      return;
    }
  }
}

void Mapper22High(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0xB000 && address <= 0xEFFF) {
    // The board drops CHR line 0: each half counts in units of two pages.
    ChrHalf(m, WindowBase(address) | (address & 1), address & 2, static_cast<uint8_t>(value >> 1),
            ChrApply::AsWritten);
    return;
  }
  switch (address) {
    case 0x8000:
      CopyPrg8Reduced(m, 0x8000, value);
      break;
    case 0x9000:
      SelectMirroring(m, value);
      break;
    case 0xA000:
      CopyPrg8Reduced(m, 0xA000, value);
      break;
    default:
      break;
  }
}

void Mapper23High(Machine& m, uint16_t address, uint8_t value) {
  switch (address & 0xF000) {
    case 0x8000:
      CopyPrg8Reduced(m, 0x8000, value);
      return;
    case 0x9000:
      SelectMirroring(m, value == 0xFF ? 1 : value);
      return;
    case 0xA000:
      CopyPrg8Reduced(m, 0xA000, value);
      return;
    case 0xF000:
      switch (address & 0x0C) {
        case 0x0:
          LatchLow(m, value);
          break;
        case 0x4:
          LatchHigh(m, value);
          break;
        case 0x8:
          IrqControl(m, value, m.IrqAdjust);
          break;
        default:
          IrqAcknowledge(m);
          break;
      }
      return;
    default: {  // $B000-$EFFF: decided again on every write, by address lines 2-3
      Mapper23Wiring(m) = (address & 0x0C) ? 0xFF : 0;
      const int shift = Mapper23Wiring(m) ? 2 : 0;
      const int window = WindowBase(address) | ((address >> (shift + 1)) & 1);
      ChrHalf(m, window, (address >> shift) & 1, value, ChrApply::AsWritten);
      return;
    }
  }
}

namespace {

// Mapper 25's wiring (ShiftValue = known, ShiftCount = 1 for address lines 2-3) is learnt from
// the first address that can only come from one of the two.
void LearnWiring(Machine& m, bool lines23) {
  Mapper25WiringKnown(m) = 1;
  Mapper25WiringLines23(m) = lines23 ? 1 : 0;
}

void Mapper25Chr(Machine& m, uint16_t address, uint8_t value) {
  uint8_t reg = address & 0x0F;
  if (!Mapper25WiringKnown(m) && (reg == 2 || reg == 4)) LearnWiring(m, reg == 4);
  if (Mapper25WiringKnown(m) && Mapper25WiringLines23(m)) {
    if (reg == 4)
      reg = 1;
    else if (reg == 8)
      reg = 2;
    else if (reg == 0xC)
      reg = 3;
  } else {
    if (reg == 4)
      reg = 1;
    else if (reg == 6)
      reg = 3;
  }
  ChrHalf(m, WindowBase(address) | (reg & 1), reg & 2, value, ChrApply::ReducedRecorded);
}

void Mapper25Irq(Machine& m, uint16_t address, uint8_t value) {
  if (!Mapper25WiringKnown(m)) {
    if (address & 2)
      LearnWiring(m, false);
    else if (address & 0x0C)
      LearnWiring(m, true);
  }
  enum { kNone, kLow, kHigh, kControl, kAck } reg = kNone;
  if (Mapper25WiringLines23(m)) {
    switch (address) {
      case 0xF000:
        reg = kLow;
        break;
      case 0xF004:
        reg = kControl;
        break;
      case 0xF008:
        reg = kHigh;
        break;
      case 0xF00C:
        reg = kAck;
        break;
      default:
        break;
    }
  } else {
    switch (address) {
      case 0xF000:
        reg = kLow;
        break;
      case 0xF001:
      case 0xF004:
      case 0xF080:
        reg = kControl;
        break;
      case 0xF002:
      case 0xF040:
        reg = kHigh;
        break;
      case 0xF003:
      case 0xF006:
      case 0xF0C0:
        reg = kAck;
        break;
      default:
        break;
    }
  }
  switch (reg) {
    case kLow:
      LatchLow(m, value);
      break;
    case kHigh:
      LatchHigh(m, value);
      break;
    case kControl:
      IrqControl(m, value, 0);
      break;
    case kAck:
      IrqAcknowledge(m);
      break;
    case kNone:
      break;
  }
}

}  // namespace

void Mapper25High(Machine& m, uint16_t address, uint8_t value) {
  const uint32_t prg8kCount = PrgBankCount * 2;
  switch (address & 0xF000) {
    case 0x8000:
      if (prg8kCount)
        CopyPrg8Recorded(m, VrcPrgTarget(m), m.PrgWindowBank[Mapper25PrgRecordSlot(m) & 3],
                         value % prg8kCount);
      return;
    case 0x9000:
      if (address == 0x9000) {
        SelectMirroring(m, value);
      } else {
        PrgTargetFromBit1(m, value);
        Mapper25PrgRecordSlot(m) = (value & 2) ? 2 : 0;
      }
      return;
    case 0xA000:
      if (prg8kCount) CopyPrg8Recorded(m, 0xA000, m.PrgWindowBank[1], value % prg8kCount);
      return;
    case 0xF000:
      Mapper25Irq(m, address, value);
      return;
    default:
      Mapper25Chr(m, address, value);
      return;
  }
}

namespace {

// The boards that write CHR banks as two halves start with no half written.
void ClearNibbleBanks(Machine& m, size_t count) {
  std::memset(m.BankRegs, 0, count);
  std::memset(m.ExtraRegs, 0, count);
}

void KonamiStep(Machine& m, int threshold, uint16_t reload) {
  if (!m.IrqEnabled) return;
  ++m.IrqCounter;
  if (static_cast<int>(m.IrqCounter) >= threshold && !IrqMasked(m)) {
    m.IrqCounter = reload;
    m.IrqEnabled = m.IrqAckEnable;
    TakeBoardIrq(m);
  }
}

}  // namespace

void Mapper21PowerOn(Machine& m) {
  VrcPrgTarget(m) = 0x8000;
  ClearNibbleBanks(m, 14);
  m.IrqEnabled = 0;
}

void Mapper23PowerOn(Machine& m) { ClearNibbleBanks(m, 8); }

void Mapper25PowerOn(Machine& m) {
  Mapper21PowerOn(m);
  Mapper25PrgRecordSlot(m) = 0;
  Mapper25WiringKnown(m) = Mapper25WiringLines23(m) = 0;
}

void Mapper21Step(Machine& m, int) { KonamiStep(m, 0xFF, m.IrqLatch); }

void Mapper23Step(Machine& m, int line) {
  if (line == 0) Mapper23ReloadAddend(m) = 0;  // it holds for one frame only
  KonamiStep(m, 0xFD, static_cast<uint16_t>(m.IrqLatch + Mapper23ReloadAddend(m)));
}

void Mapper25Step(Machine& m, int) { KonamiStep(m, 255 + m.IrqAdjust, m.IrqLatch); }

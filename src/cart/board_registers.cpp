// Register boards (mappers 65, 68, 69, 73, 90, 96, 160, 250). Banks written "as is" may point
// past the image: the copies wrap inside the stores. The IRQ counters of 69, 73 and 160 are
// loaded and stepped here.
#include "cart/board_registers.h"

#include "cart/board_common.h"
#include "cart/board_log.h"
#include "cart/board_mmc3.h"
#include "cart/board_table.h"
#include "cart/window_copies.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

void Mapper69Command(Machine& m, uint8_t command, uint8_t value) {
  if (command < 8) {
    CopyChr1(m, static_cast<uint16_t>(command * 0x400), value);
    return;
  }
  switch (command) {
    case 8:  // bit 6 set maps cartridge RAM: what the window holds stays
      if (!(value & 0x40)) CopyPrgFromOffset(m, 0x6000, 8, (value & 0x1Fu) * 0x2000);
      break;
    case 9:
    case 10:
    case 11:
      // Recorded in the window records, which start unknown: the first write always copies.
      if (PrgBankCount != 0)
        CopyPrg8Recorded(m, static_cast<uint16_t>(0x8000 + (command - 9) * 0x2000),
                         m.PrgWindowBank[command - 9], value % (PrgBankCount * 2));
      break;
    case 12:
      SelectMirroring(m, value);
      break;
    case 13:
      m.IrqEnabled = value != 0;
      break;
    case 14:
      m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0xFF00) | value);
      break;
    case 15:
      m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0x00FF) | value << 8);
      break;
    default:
      break;
  }
}

}  // namespace

void Mapper65High(Machine& m, uint16_t address, uint8_t value) {
  const uint16_t reg = address & 0xF000;
  switch (reg) {
    case 0x8000:
    case 0xA000:
    case 0xC000:
      CopyPrg8Reduced(m, reg, value);
      break;
    case 0x9000:
      break;
    case 0xB000:
      CopyChr1(m, static_cast<uint16_t>((address & 7) * 0x400), value);
      break;
    default:
      LogBoardWrite(address, value);
      break;
  }
}

void Mapper68High(Machine& m, uint16_t address, uint8_t value) {
  switch (address) {
    case 0x8000:
    case 0x9000:
    case 0xA000:
    case 0xB000:
      if (ChrBankCount != 0) {
        const uint16_t window = static_cast<uint16_t>((address - 0x8000) / 2);
        const uint32_t bank = value % (ChrBankCount * 4);
        CopyChr1Recorded(m, window, bank * 2);
        CopyChr1Recorded(m, static_cast<uint16_t>(window + 0x400), bank * 2 + 1);
      }
      break;
    case 0xE000:
      LogBoardNumberLine(value);
      // 0 horizontal, 1 vertical: the other way round from the usual register.
      SelectMirroring(m, static_cast<uint8_t>((value & 2) ? value : value ^ 1));
      break;
    case 0xF000:
      if (PrgBankCount != 0) {
        const uint32_t unit = value % PrgBankCount;
        CopyPrg8Recorded(m, 0x8000, m.PrgWindowBank[0], unit * 2);
        CopyPrg8Recorded(m, 0xA000, m.PrgWindowBank[1], unit * 2 + 1);
      }
      break;
    default:
      break;
  }
}

// $8000 picks a command, $A000 runs it.
void Mapper69High(Machine& m, uint16_t address, uint8_t value) {
  if (address == 0x8000)
    m.CommandIndex = value & 0x0F;
  else if (address == 0xA000)
    Mapper69Command(m, m.CommandIndex & 0x0F, value);
}

// PRG registers address the ROM in 4 KB ($A000, $C000) and 8 KB ($F000) steps.
void Mapper73High(Machine& m, uint16_t address, uint8_t value) {
  const uint32_t bank = value & 0x0F;
  switch (address) {
    case 0xA000:
    case 0xC000:
      CopyPrgFromOffset(m, address, 8, bank * 0x1000);
      break;
    case 0xB000:
      m.IrqEnabled = value;
      break;
    case 0xD000:
      m.IrqCounter = value;
      break;
    case 0xF000:
      CopyPrgFromOffset(m, 0x8000, 16, bank * 0x2000);
      break;
    default:
      LogBoardWrite(address, value);
      break;
  }
}

// Each register is written as two nibbles, low first; the second write copies the bank.
void Mapper90High(Machine& m, uint16_t address, uint8_t value) {
  uint8_t* reg = nullptr;
  uint16_t window = 0;
  switch (address & ~1) {
    case 0x8000:
      reg = &m.Mmc1Regs[0], window = 0x8000;
      break;
    case 0x8002:
      reg = &m.Mmc1Regs[1], window = 0xA000;
      break;
    case 0x9000:
      reg = &m.Mmc1Regs[2], window = 0xC000;
      break;
    case 0xA000:
      reg = &m.BankRegs[0], window = 0x0000;
      break;
    default:
      return;
  }
  if (!(address & 1)) {
    *reg = value & 0x0F;
    return;
  }
  *reg = static_cast<uint8_t>(*reg | (value & 0x0F) << 4);
  if (window == 0x0000)
    CopyChr1(m, 0x0000, *reg);
  else
    m.CopyPrgWindow(window, 8, *reg);
}

void Mapper96High(Machine& m, uint16_t address, uint8_t value) {
  LogBoardWrite(address, value);
  const uint32_t offset = value * 0x1000u;
  if (address == 0xF000) CopyPrgFromOffset(m, 0x8000, 8, offset);
  if (address == 0xF004) CopyPrgFromOffset(m, 0xC000, 8, offset);
  if (address == 0xF005) CopyPrgFromOffset(m, 0xE000, 8, offset);
}

// CHR writes go to the cache at the next frame start. With MapperFlag set they are refused
// from the start of the vertical blank until the frame's end.
void Mapper160High(Machine& m, uint16_t address, uint8_t value) {
  switch (address & 0xF000) {
    case 0x8000:
      if (address <= 0x8002)
        m.CopyPrgWindow(static_cast<uint16_t>(0x8000 + (address & 3) * 0x2000), 8, value);
      break;
    case 0x9000:
      if (ChrBankCount == 0 || (m.MapperFlag && m.VblankPeriod)) break;
      m.IrqWord = static_cast<uint16_t>((address & 7) * 0x400);
      m.CopyChrNoDecode(m.IrqWord, 1, value);
      m.PatternsDirty = 1;
      break;
    case 0xB000:
      if (address == 0xB001) m.MapperFlag = value;
      break;
    case 0xC000:
      switch (address & 3) {
        case 0:
          m.LineCounter = m.LineReload, m.LineIrqEnabled = 1;
          break;
        case 1:
          m.LineReload = value;
          break;
        case 2:
          m.LineIrqEnabled = 0;
          break;
        case 3:
          m.LineCounter = value;
          break;
      }
      break;
    default:  // $A000, $D000-$F000
      LogBoardMarker("PA", 2);
      LogBoardWrite(address, value);
      break;
  }
}

void Mapper250High(Machine& m, uint16_t address, uint8_t value) {
  LogBoardWrite(address, value);
  if (address == 0x8B06) m.CopyPrgWindow(0x8000, 8, value);
  if (address == 0x8E11) m.CopyPrgWindow(0xA000, 8, value);
}

void Mapper69Step(Machine& m, int) {
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m, m.IrqCounter, -114);
  if (m.IrqCounter < 0x81 && !IrqMasked(m)) {
    m.IrqCounter = 0xFFFF;
    TakeBoardIrq(m);
  }
}

void Mapper73Step(Machine& m, int) {
  --m.IrqCounter;
  if (m.IrqEnabled && m.IrqCounter == 0 && !IrqMasked(m)) {
    m.IrqEnabled = 0;
    m.IrqCounter = 0xFF;
    TakeBoardIrq(m);
  }
}

void Mapper160Step(Machine& m, int) {
  StepLineCounter(m, {LineRule::Always, false, AfterIrq::DisableAndReload, nullptr, 0});
}

// Boards 6, 17, 32, 33 and 48. Mapper 6 keeps its mode in CommandIndex and the CHR RAM bank in
// the pattern area in PrgSelect; mapper 17 a copy of the counter in MapperWord; mapper 32 its
// PRG mode in LineIrqEnabled; mapper 48 its two mode bytes in Mapper48Regs.
#include "cart/board_misc.h"

#include <cstring>

#include "cart/board_common.h"
#include "cart/board_log.h"
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

void StoreCartridgeRam(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xE000) == 0x6000) m.CpuMemory[address] = value;
}

void SetCounterLow(Machine& m, uint8_t value) {
  m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0xFF00) | value);
}
void SetCounterHigh(Machine& m, uint8_t value) {
  m.IrqCounter = static_cast<uint16_t>((m.IrqCounter & 0x00FF) | (value << 8));
}

void CopierMirroring(Machine& m, uint8_t value) {  // $42FF, both copier boards
  if (value & 0x10)
    SelectHorizontal(m);
  else
    SelectVertical(m);
}

}  // namespace

void Mapper6Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x42F0 && address <= 0x42FF) {
    Mapper6Mode(m) = value & 0xE0;
    if (address == 0x42FE) {
      if (value & 0x10)
        SelectOneScreenB(m);
      else
        SelectOneScreenA(m);
    } else if (address == 0x42FF) {
      CopierMirroring(m, value);
    }
    return;
  }
  switch (address) {
    case 0x4500:
      LogBoardNumberLine(value);
      break;
    case 0x4501:
      m.IrqEnabled = 0;
      break;
    case 0x4502:
      m.IrqCounter = value;
      break;
    case 0x4503:
      SetCounterHigh(m, value);
      m.IrqEnabled = 1;
      break;
    default:
      StoreCartridgeRam(m, address, value);
      break;
  }
}

// The four CHR RAM banks live in ChrRom banks 0-3. A switch puts the pattern area back into
// its bank first, so whatever the game drew there survives.
void Mapper6High(Machine& m, uint16_t, uint8_t value) {
  if (Mapper6Mode(m) != 0x20) {
    LogBoardNumberLine(value);
    return;
  }
  const uint8_t chrBank = value & 3;
  if (chrBank != Mapper6ChrRamBank(m)) {
    m.ForgetDecodedChr();
    std::memcpy(m.ChrRom + (Mapper6ChrRamBank(m) & 3) * 0x2000, m.PpuMemory, 0x2000);
    std::memcpy(m.PpuMemory, m.ChrRom + chrBank * 0x2000, 0x2000);
    Mapper6ChrRamBank(m) = chrBank;
    m.DecodePatterns(0x0000, 0x2000);
  }
  m.CopyPrgWindow(0x8000, 16, (value & 0x3C) >> 2);
}

void Mapper17Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x4510 && address <= 0x4517) {
    CopyChr1Reduced(m, static_cast<uint16_t>((address & 7) * 0x400), value);
    return;
  }
  if (address >= 0x4504 && address <= 0x4507) {
    CopyPrg8Reduced(m, static_cast<uint16_t>(0x8000 + (address - 0x4504) * 0x2000), value);
    return;
  }
  uint8_t* nameTables = m.PpuMemory + 0x2000;
  switch (address) {
    case 0x4503:
      SetCounterHigh(m, value);
      Mapper17CounterCopy(m) = m.IrqCounter;
      m.IrqEnabled = 1;
      break;
    case 0x4502:
      SetCounterLow(m, value);
      break;
    case 0x4501:
      m.IrqEnabled = 0;
      break;
    case 0x42FE:  // a page copy only; the flags stay as they are
      m.CopyNameTables(0, nameTables + ((value & 0x10) ? 0x400 : 0x800));
      break;
    case 0x42FF:
      CopierMirroring(m, value);
      break;
    default:
      StoreCartridgeRam(m, address, value);
      break;
  }
}

void Mapper32High(Machine& m, uint16_t address, uint8_t value) {
  const uint32_t prg8kCount = PrgBankCount * 2;
  switch (address & 0xFFF0) {
    case 0x8FF0:
      if (prg8kCount == 0) break;
      if (Mapper32PrgMode(m) == 0)
        CopyPrg8Recorded(m, 0x8000, m.PrgWindowBank[0], value % prg8kCount);
      else
        CopyPrg8Recorded(m, 0xC000, m.PrgWindowBank[2], value % prg8kCount);
      break;
    case 0x9FF0:
      SetTwoScreen(m, value & 1);
      Mapper32PrgMode(m) = value & 2;
      break;
    case 0xAFF0:
      if (prg8kCount) CopyPrg8Recorded(m, 0xA000, m.PrgWindowBank[1], value % prg8kCount);
      break;
    case 0xBFF0:
      if (ChrBankCount) CopyChr1Recorded(m, (address & 7) * 0x400, value % (ChrBankCount * 8));
      break;
    default:
      break;
  }
}

namespace {

// Mapper 33's CHR windows: 2 KB at $0000 and $0800 (two 1 KB pages each), 1 KB at $1000-$1C00.
void Mapper33Chr(Machine& m, uint16_t window, uint32_t sizeKb, uint8_t value) {
  if (ChrBankCount == 0) return;
  const uint32_t bank = value % (ChrBankCount * 8 / sizeKb);
  for (uint32_t page = 0; page < sizeKb; ++page)
    CopyChr1Recorded(m, static_cast<uint16_t>(window + page * 0x400), bank * sizeKb + page);
}

}  // namespace

void Mapper33High(Machine& m, uint16_t address, uint8_t value) {
  const uint32_t prg8kCount = PrgBankCount * 2;
  switch (address) {
    case 0x8000:
      SetTwoScreen(m, !(value & 0x40));
      if (prg8kCount) CopyPrg8Recorded(m, 0x8000, m.PrgWindowBank[0], value % prg8kCount);
      break;
    case 0x8001:
      if (prg8kCount) CopyPrg8Recorded(m, 0xA000, m.PrgWindowBank[1], value % prg8kCount);
      break;
    case 0x8002:
    case 0x8003:
      Mapper33Chr(m, static_cast<uint16_t>((address - 0x8002) * 0x800), 2, value);
      break;
    case 0xA000:
    case 0xA001:
    case 0xA002:
    case 0xA003:
      Mapper33Chr(m, static_cast<uint16_t>(0x1000 + (address - 0xA000) * 0x400), 1, value);
      break;
    default:
      LogBoardWrite(address, value);
      break;
  }
}

void Mapper48Low(Machine& m, uint16_t address, uint8_t value) {
  static constexpr uint16_t kWindows[3] = {0xA000, 0x8000, 0xC000};  // $5114, $5115, $5116
  switch (address) {
    case 0x5103:
      m.Mapper48Regs[1] = value & 3;
      Mapper48Low(m, 0x5114, value);
      break;
    case 0x5104:
      m.Mapper48Regs[0] = value & 3;
      break;
    case 0x5114:
    case 0x5115:
    case 0x5116:
      if (!(value & 0x80)) LogBoardMarker("Q", 1);
      CopyPrg8Reduced(m, kWindows[address - 0x5114], value);
      break;
    default:
      StoreCartridgeRam(m, address, value);
      break;
  }
}

uint8_t Mapper48Read(Machine& m, uint16_t address) {
  if (address == 0x5204) return (m.CpuMemory[kPpuStatus] & 0x40) ? 0x80 : 0x00;
  return m.CpuMemory[address];
}

void Mapper6PowerOn(Machine& m) {
  Mapper6Mode(m) = 0x20;  // copier mode: high-range writes switch banks
  Mapper6ChrRamBank(m) = 0;
}

void Mapper32PowerOn(Machine& m) { Mapper32PrgMode(m) = 1; }

void Mapper33PowerOn(Machine& m) {
  // Unit 0 is at $8000-$BFFF, so the first two windows already hold banks 0 and 1.
  m.PrgWindowBank[0] = 0;
  m.PrgWindowBank[1] = 1;
}

void Mapper48PowerOn(Machine& m) { m.Mapper48Regs[0] = m.Mapper48Regs[1] = 3; }

void Mapper6Step(Machine& m, int) {
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m, m.IrqCounter, 114);
  if (m.IrqCounter >= 0xFF80 && !IrqMasked(m)) {
    m.IrqCounter = 0;
    TakeBoardIrq(m);
  }
}

void Mapper17Step(Machine& m, int) {
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m, m.IrqCounter, 114);
  if (m.IrqCounter > 0xFF7F && !IrqMasked(m)) {
    m.IrqCounter = 0;
    TakeBoardIrq(m);
  }
}

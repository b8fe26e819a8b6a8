// Multicart boards (mappers 225, 227, 240, 241, and the log-only 89, 228, 231, 242, 254).
// Mappers 225 and 227 take their data from the address; every bank number they can form
// stays inside the 1 MB and 512 KB stores.
#include "cart/board_multicart.h"

#include "cart/board_bank_latch.h"
#include "cart/board_common.h"
#include "cart/board_log.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

// Mapper 227's 32 KB bank: address bits 3-6, and bit 8 as its fifth bit.
uint32_t Bank227(uint16_t address) { return ((address & 0x78) >> 3) + ((address & 0x100) >> 4); }

// Mapper 227 copies in 16 KB units; a 32 KB bank b is units 2b and 2b + 1.
void Copy227(Machine& m, uint16_t window, uint32_t unit) { m.CopyPrgWindow(window, 16, unit); }

}  // namespace

void Mapper225High(Machine& m, uint16_t address, uint8_t) {
  CopyChrRom(m, 0x0000, 8, address & 0x3F);
  if (address & 0x1000) {
    const uint32_t unit = (address >> 6) & 0x3F;
    m.CopyPrgWindow(0x8000, 16, unit);
    m.CopyPrgWindow(0xC000, 16, unit);
  } else {
    m.CopyPrgWindow(0x8000, 32, (address >> 7) & 0x1F);
  }
  // Only the flag: name tables written from now on follow it.
  m.VerticalMirroring = (address & 0x2000) ? 0 : 1;
}

// IrqAckEnable holds the outer latch (this board has no IRQ); MapperFlag the mode bit.
void Mapper227High(Machine& m, uint16_t address, uint8_t) {
  m.MapperFlag = address & 1;
  if (address & 2)
    m.SetVerticalMirroring();
  else
    m.SetHorizontalMirroring();
  const uint32_t bank = Bank227(address);
  const bool bit7 = address & 0x80;
  uint8_t& outer = Mapper227OuterLatch(m);
  if (!bit7 && outer == 0) outer = static_cast<uint8_t>(bank & 0x18);
  if (m.MapperFlag == 0) {
    const uint32_t unit = bank * 2 + ((address & 4) ? 1 : 0);
    Copy227(m, 0x8000, unit);
    // The last 16 KB of the outer 128 KB block, or the same unit again.
    Copy227(m, 0xC000, bit7 ? unit : outer * 2u + 7);
  } else if (!bit7) {
    Copy227(m, 0x8000, bank * 2);
    Copy227(m, 0xC000, outer * 2u);
  } else {
    m.CopyPrgWindow(0x8000, 32, bank);
  }
  if (bit7) outer = 0;
}

void Mapper240High(Machine& m, uint16_t address, uint8_t value) {
  LogBoardWrite(address, value);
  if (address == 0x9316 || address == 0x9326)
    CopyPrg8Reduced(m, address == 0x9316 ? 0x8000 : 0xA000, value);
  Mapper66High(m, address, value);
}

void Mapper240Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x6000 && address <= 0x6FFF) return;
  if (address == 0x4800) {
    if (value)
      m.SetHorizontalMirroring();
    else
      m.SetVerticalMirroring();
  } else if (address > 0x4015) {
    LogBoardWrite(address, value);
  }
}

void Mapper241High(Machine&, uint16_t address, uint8_t value) {
  LogBoardMarker("W", 1);
  LogBoardWrite(address, value);
}

void Mapper241Low(Machine& m, uint16_t address, uint8_t value) {
  if (address >= 0x6000) m.CpuMemory[address] = value;
}

void LogOnlyHigh(Machine&, uint16_t address, uint8_t value) { LogBoardWrite(address, value); }

void Mapper225PowerOn(Machine& m) { m.VerticalMirroring = 1; }

#include "cart/boards.h"
#include "core/globals.h"
#include "core/machine.h"

void Machine::CpuWrite(uint16_t address, uint8_t value) {
  if (address < 0x2000) {
    uint8_t& cell = CpuMemory[address & 0x07FF];
    BusEffects += cell != value;
    cell = value;
    return;
  }
  ++BusEffects;  // registers and boards: assume every write matters
  ++PpuSpaceWrites;
  if (address >= 0x8000) {
    WriteHighRange(*this, address, value);
    return;
  }
  // The exact mode's $2002 takes the write into the PPU's data latch; the status stays.
  if (address <= 0x2007 && (address != 0x2002 || ExactMode)) {
    PpuRegisterWrite(address, value);
    return;
  }
  if (address >= 0x4000 && address <= 0x4017) {
    switch (address) {
      case 0x4014:
        SpriteDma(value);
        return;
      case 0x4015:
      case 0x4017:
        CpuMemory[address] = value;
        if (ExactMode) ApuCounterWrite(address, value);
        return;
      case 0x4016:
        CpuMemory[address] = value;
        PadStrobe(value);
        return;
      default:
        ApuRegisterWrite(address, value);
        if (ExactMode) ApuCounterWrite(address, value);
        break;  // the sound registers are also cartridge-visible
    }
  }
  WriteLowRange(*this, address, value);
}

// The slow side of CpuRead: addresses $2000-$7FFF, where reads can have side effects.
#include "core/globals.h"
#include "core/machine.h"

uint8_t Machine::CpuReadDevice(uint16_t address) {
  switch (address) {
    case 0x2002:
      // A second read changes nothing once bit 7 and the write toggle are clear.
      if ((CpuMemory[kPpuStatus] & 0x80) || WriteToggle) ++BusEffects;
      return PpuRegisterRead(address);
    case 0x2004:
    case 0x2007:
      ++BusEffects;  // both move an address
      return PpuRegisterRead(address);
    case 0x4015:
      if (ExactMode) return ApuStatusRead();
      break;
    case 0x4016:
      ++BusEffects;  // the pads shift out a bit per read
      return PadRead(0);
    case 0x4017:
      ++BusEffects;
      return PadRead(1);
    default:
      break;
  }
  if (BoardRead) return BoardRead(*this, address);
  return CpuMemory[address];
}

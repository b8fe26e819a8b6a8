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
  if (MapperNumber == 19) {
    if (address == 0x4800) return NamcoSoundRam[NamcoSoundAddress & 0x7F];
    if (address >= 0x5000 && address <= 0x57FF) return static_cast<uint8_t>(IrqCounter);
    if (address >= 0x5800 && address <= 0x5FFF) return static_cast<uint8_t>(IrqCounter >> 8);
  } else if (MapperNumber == 48 && address == 0x5204) {
    return (CpuMemory[kPpuStatus] & 0x40) ? 0x80 : 0x00;
  }
  return CpuMemory[address];
}

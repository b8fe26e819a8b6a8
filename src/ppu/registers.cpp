// PPU registers $2000-$2007 and sprite DMA: a register-level model. The renderer reads the
// latches once per scanline, so nothing here is timed.
#include <cstring>

#include "core/globals.h"
#include "core/machine.h"

namespace {
uint16_t AddressStep(const Machine& m) { return (m.CpuMemory[kPpuControl] & 0x04) ? 32 : 1; }
}  // namespace

uint8_t Machine::PpuRegisterRead(uint16_t address) {
  if (ExactMode) return PpuRegisterReadExact(address);
  switch (address) {
    case 0x2002: {
      const uint8_t status = CpuMemory[kPpuStatus];
      CpuMemory[kPpuStatus] = status & 0x7F;
      WriteToggle = 0;
      return status;
    }
    case 0x2004:
      return SpriteRam[CpuMemory[kSpriteAddress]++];
    case 0x2007: {
      // No delayed read buffer: the first read after an address write returns the byte
      // without moving, which lines up later reads with the console's buffered ones.
      const uint8_t result = PpuMemory[VramAddress & 0x3FFF];
      if (AddressJustSet) {
        AddressJustSet = 0;
      } else {
        VramAddress = (VramAddress + AddressStep(*this)) & 0x3FFF;
      }
      return result;
    }
    default:
      return CpuMemory[address];
  }
}

void Machine::PpuRegisterWrite(uint16_t address, uint8_t value) {
  if (ExactMode) {
    PpuRegisterWriteExact(address, value);
    return;
  }
  switch (address) {
    case 0x2000:
      CpuMemory[kPpuControl] = value;
      TempAddress = (TempAddress & 0xF3FF) | ((value & 3) << 10);
      break;
    case 0x2001:
    case 0x2003:
      CpuMemory[address] = value;
      break;
    case 0x2004:
      SpriteRam[CpuMemory[kSpriteAddress]++] = value;
      ++SpriteRamStores;
      break;
    case 0x2005:
      if (!WriteToggle) {
        TempAddress = (TempAddress & 0xFFE0) | (value >> 3);
        FineX = value & 7;
      } else if (VblankPeriod) {
        TempAddress = (TempAddress & 0xFC1F) | ((value & 0xF8) << 2);
        FineY = value & 7;
      } else {
        // A vertical scroll written during the visible lines only clears coarse Y.
        TempAddress &= 0xFC1F;
      }
      WriteToggle ^= 1;
      break;
    case 0x2006:
      if (VblankPeriod) {
        // Straight to the address, so the scroll set in vertical blank survives the fills.
        if (!WriteToggle)
          VramAddress = (VramAddress & 0x00FF) | ((value & 0x3F) << 8);
        else
          VramAddress = (VramAddress & 0xFF00) | value;
      } else if (!WriteToggle) {
        TempAddress = (TempAddress & 0x00FF) | ((value & 0x3F) << 8);
        FineY = 0;
      } else {
        TempAddress = (TempAddress & 0xFF00) | value;
        VramAddress = TempAddress;
      }
      WriteToggle ^= 1;
      AddressJustSet = 1;
      break;
    case 0x2007:
      PpuMemoryWrite(VramAddress, value);
      VramAddress = (VramAddress + AddressStep(*this)) & 0x3FFF;
      break;
    default:
      break;
  }
}

void Machine::SpriteDma(uint8_t page) {
  std::memcpy(SpriteRam, CpuMemory + page * 0x100, 256);
  ++SpriteRamStores;
}

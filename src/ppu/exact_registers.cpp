// The exact mode's PPU registers. TempAddress and VramAddress are the hardware's t and v,
// with fine Y in bits 12-14: every $2005/$2006 write goes through t and the second $2006
// write copies it to v, in vertical blank or not. $2007 reads below the palette come through
// a one-byte buffer, and $2002's low five bits are whatever was last written to the PPU.
#include "core/globals.h"
#include "core/machine.h"

namespace {

uint16_t AddressStep(const Machine& m) { return (m.CpuMemory[kPpuControl] & 0x04) ? 32 : 1; }

// The palette answers at once; the buffer takes the name-table byte underneath it instead.
uint8_t ReadData(Machine& m) {
  const uint16_t address = m.VramAddress & 0x3FFF;
  uint8_t result;
  if (address >= 0x3F00) {
    result = m.PpuMemory[0x3F00 | (address & 0x1F)];
    m.ExactPpu.ReadBuffer = m.PpuMemory[address - 0x1000];
  } else {
    result = m.ExactPpu.ReadBuffer;
    m.ExactPpu.ReadBuffer = m.PpuMemory[address];
  }
  m.VramAddress = (m.VramAddress + AddressStep(m)) & 0x7FFF;
  return result;
}

void WriteControl(Machine& m, uint8_t value) {
  const uint8_t before = m.CpuMemory[kPpuControl];
  m.CpuMemory[kPpuControl] = value;
  m.TempAddress = static_cast<uint16_t>((m.TempAddress & 0x73FF) | ((value & 3) << 10));
  // The NMI line follows the flag and the enable: enabling it in vertical blank raises it.
  if (!(before & 0x80) && (value & 0x80) && (m.CpuMemory[kPpuStatus] & 0x80)) m.NmiPending = 1;
}

void WriteScroll(Machine& m, uint8_t value) {
  if (!m.WriteToggle) {
    m.TempAddress = static_cast<uint16_t>((m.TempAddress & 0x7FE0) | (value >> 3));
    m.FineX = value & 7;
  } else {
    m.TempAddress = static_cast<uint16_t>((m.TempAddress & 0x0C1F) | ((value & 7) << 12) |
                                          ((value & 0xF8) << 2));
  }
  m.WriteToggle ^= 1;
}

// The first write clears bit 14 along with the rest of the high byte.
void WriteAddress(Machine& m, uint8_t value) {
  if (!m.WriteToggle) {
    m.TempAddress = static_cast<uint16_t>((m.TempAddress & 0x00FF) | ((value & 0x3F) << 8));
  } else {
    m.TempAddress = static_cast<uint16_t>((m.TempAddress & 0x7F00) | value);
    m.VramAddress = m.TempAddress;
  }
  m.WriteToggle ^= 1;
}

}  // namespace

uint8_t Machine::PpuRegisterReadExact(uint16_t address) {
  switch (address) {
    case 0x2002: {
      const uint8_t status = CpuMemory[kPpuStatus];
      CpuMemory[kPpuStatus] = status & 0x7F;
      WriteToggle = 0;
      return static_cast<uint8_t>((status & 0xE0) | (ExactPpu.DataLatch & 0x1F));
    }
    case 0x2004:
      return SpriteRam[CpuMemory[kSpriteAddress]++];
    case 0x2007:
      return ReadData(*this);
    default:
      return CpuMemory[address];
  }
}

void Machine::PpuRegisterWriteExact(uint16_t address, uint8_t value) {
  ExactPpu.DataLatch = value;
  switch (address) {
    case 0x2000:
      WriteControl(*this, value);
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
      WriteScroll(*this, value);
      break;
    case 0x2006:
      WriteAddress(*this, value);
      break;
    case 0x2007:
      PpuMemoryWrite(VramAddress, value);
      VramAddress = (VramAddress + AddressStep(*this)) & 0x7FFF;
      break;
    default:  // $2002: the latch alone
      break;
  }
}

// Controller ports $4016/$4017: eight button bits after a strobe, then the signature of a
// four-player adapter with nothing plugged into it, repeating every 24 reads.
#include "core/machine.h"

uint8_t Machine::PadRead(int port) {
  uint8_t& index = PadReadIndex[port];
  index %= 24;
  if (index < 8) return (PadBits[port] >> index++) & 1;
  ++index;
  return index == (port == 0 ? 20 : 19) ? 1 : 0;
}

void Machine::PadStrobe(uint8_t value) {
  if (value & 1) PadReadIndex[0] = PadReadIndex[1] = 0;
}

// APU registers: the write bus marks which channel has something new (the Machine's change
// flags), and the once-per-frame synthesis consumes the marks.
#include "core/machine.h"

// $4000-$4013. The two pulse channels are deliberately asymmetric: only $4003 retriggers on an
// unchanged value, and only pulse 1 forgets its sweep write on a length load.
void Machine::ApuRegisterWrite(uint16_t address, uint8_t value) {
  uint8_t& stored = CpuMemory[address];
  if (address <= 0x4003) {
    if (value != stored) Pulse1Changed = 1;
    if (address == 0x4001) Pulse1SweepWritten = 1;
    stored = value;
    if (address == 0x4003) {
      Pulse1Changed = 1;
      Pulse1SweepWritten = 0;
    }
  } else if (address <= 0x4007) {
    if (value != stored) Pulse2Changed = 1;
    if (address == 0x4005) Pulse2SweepWritten = 1;
    stored = value;
  } else if (address <= 0x400B) {
    stored = value;
    TriangleChanged = 1;
  } else if (address <= 0x400F) {
    if (value != stored) NoiseChanged = 1;
    if (address == 0x400F) {
      NoiseChanged = 1;
      NoiseLength = (value >> 3) + 4u;
    }
    stored = value;
  } else {
    // A zero level would read back as "never written"; the channel keeps bit 7 set.
    stored = (address == 0x4011 && value == 0) ? 0x80 : value;
    DmcChanged = 1;
  }
}

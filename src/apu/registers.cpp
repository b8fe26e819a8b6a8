#include "apu/registers.h"

#include "core/machine.h"

uint32_t Pulse1Changed;
uint32_t Pulse1SweepWritten;
uint32_t Pulse2Changed;
uint32_t Pulse2SweepWritten;
uint32_t TriangleChanged = 1;
uint32_t NoiseChanged = 1;
uint32_t DmcChanged = 1;
uint32_t NoiseLength;

void ResetApuRegisterFlags() {
  Pulse1Changed = Pulse1SweepWritten = 0;
  Pulse2Changed = Pulse2SweepWritten = 0;
  TriangleChanged = NoiseChanged = DmcChanged = 1;
  NoiseLength = 0;
}

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

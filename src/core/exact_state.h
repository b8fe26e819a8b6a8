// What only the exact mode keeps, as the Machine holds it: the APU's length counters, frame
// sequencer and sample, and the PPU's read buffer and data latch. None of it is in the state
// image, so a state loaded in the exact mode starts it afresh.
#pragma once

#include <cstdint>

// The APU's two sources of the CPU's IRQ line (Machine::IrqLine), at the bits $4015 reads them
// in.
constexpr uint8_t kFrameIrq = 0x40;
constexpr uint8_t kDmcIrq = 0x80;

struct ApuCounters {
  uint8_t Lengths[4];     // pulse 1, pulse 2, triangle, noise: 0 silences the channel
  uint8_t SequencerMode;  // $4017 as last written: bit 7 five steps, bit 6 no IRQ
  uint8_t SequencerStep;  // the next step of the sequence
  int32_t SequencerTime;  // thirds of a CPU cycle since the sequence began
  uint16_t DmcBytesLeft;  // of the sample playing; 0 when it has ended
  int32_t DmcFetchTime;   // thirds of a CPU cycle until the next sample byte is fetched
};

struct PpuLatches {
  uint8_t ReadBuffer;  // $2007 reads below the palette return this, then refill it
  uint8_t DataLatch;   // the last value written to any PPU register: $2002's low five bits
};

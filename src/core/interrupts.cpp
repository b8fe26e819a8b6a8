// Reset and the two interrupt entries. In the scanline mode none of them charges cycles:
// they run between two scanline runs of the interpreter. The exact mode's entries push P as
// the console does (bit 5 set, bit 4 clear) and take their 7 cycles from the next run.
#include <cstring>

#include "core/globals.h"
#include "core/machine.h"

namespace {

constexpr uint8_t kFlagI = 0x04;
constexpr uint8_t kFlagB = 0x10;
constexpr uint8_t kBit5 = 0x20;
constexpr int kEntryCycles = 7;

void Push(Machine& m, uint8_t value) { m.CpuMemory[0x100 + m.S--] = value; }

uint16_t ReadVector(Machine& m, uint16_t at) {
  return static_cast<uint16_t>(m.CpuRead(at) | (m.CpuRead(at + 1) << 8));
}

void Enter(Machine& m, uint8_t pushedStatus, uint16_t vector) {
  if (ExactMode) {
    pushedStatus = static_cast<uint8_t>((pushedStatus & ~kFlagB) | kBit5);
    m.CycleCarry = static_cast<int16_t>(m.CycleCarry - kEntryCycles);
  }
  Push(m, static_cast<uint8_t>(m.PC >> 8));
  Push(m, static_cast<uint8_t>(m.PC));
  Push(m, pushedStatus);
  m.P |= kFlagI;
  m.PC = ReadVector(m, vector);
}

}  // namespace

void Machine::ResetCpu() {
  std::memcpy(HexDigits, "0123456789ABCDEF", sizeof HexDigits);
  FrameCount = 0;
  P = 0x20;
  S = 0xFF;
  CpuMemory[0x4011] = 0x80;
  CpuMemory[0x4016] = 0x42;
  CpuMemory[0x4017] = 0x42;
  CpuMemory[kPpuMask] = 0x18;  // background and sprites on
  AddressJustSet = 1;
  VramAddress = 0;
  WriteToggle = 0;
  PadReadIndex[0] = 0;
  FirstSelectPending = 1;
  ResetExactCpu();
  PC = ReadVector(*this, 0xFFFC);
}

// Counts every frame; enters the handler only when the PPU control register enables it. I does
// not mask it.
void Machine::TakeNmi() {
  ++FrameCount;
  if (!(CpuMemory[kPpuControl] & 0x80)) return;
  EnterNmi();
}

void Machine::EnterNmi() {
  Enter(*this, P, 0xFFFA);
  if (TrainerNmi && TrainerPresent) PC = 0x7000;  // the trainer's own handler
}

void Machine::TakeIrq(bool clearBreak) {
  if (P & kFlagI) return;
  TakeIrqAlways(clearBreak);
}

void Machine::TakeIrqAlways(bool clearBreak) {
  const uint8_t pushed = clearBreak ? P & ~kFlagB : P;
  Enter(*this, static_cast<uint8_t>(pushed), 0xFFFE);
}

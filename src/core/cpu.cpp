// The two scanline runners: each executes whole instructions until the line's cycle budget
// is spent. The main core's budget is 114 + CycleAdjust with the remainder dropped; the
// alternate core's is 114 + CycleCarry with the remainder carried to its next run.
#include "core/cpu_core.h"
#include "log/log.h"

namespace {
constexpr int kCyclesPerScanline = 114;
}

template <bool kMainCore, bool kTraced>
void CpuCore<kMainCore, kTraced>::Load() {
  a = m.A;
  x = m.X;
  y = m.Y;
  s = m.S;
  pc = m.PC;
  SetStatus(m.P);
  budget = kCyclesPerScanline + (kMainCore ? CycleAdjust : CycleCarry);
}

template <bool kMainCore, bool kTraced>
void CpuCore<kMainCore, kTraced>::Store() {
  m.A = a;
  m.X = x;
  m.Y = y;
  m.S = s;
  m.PC = pc;
  m.P = Status();
  if constexpr (!kMainCore) CycleCarry = static_cast<int16_t>(budget);
}

// An opcode the core does not know stops the CPU for good. PC stays one past the opcode; A, X
// and Y are not written back, and the alternate core leaves P and CycleCarry as they were.
template <bool kMainCore, bool kTraced>
void CpuCore<kMainCore, kTraced>::Halt() {
  m.PC = pc;
  m.S = s;
  if constexpr (kMainCore) m.P = Status();
  const uint16_t at = static_cast<uint16_t>(pc - 1);
  LogText("Bad opcode:");
  LogNumberLine(m.CpuRead(at));
  LogText("At:");
  LogNumberLine(at);
  LogText("Frame:");
  LogNumberLine(static_cast<int32_t>(FrameCount));
  LogText("NMI vector:");
  LogNumberLine(mem[0xFFFA] | (mem[0xFFFB] << 8));
  LogText("IRQ vector:");
  LogNumberLine(mem[0xFFFE] | (mem[0xFFFF] << 8));
  CpuHalted = 1;
}

template <bool kMainCore, bool kTraced>
void CpuCore<kMainCore, kTraced>::TraceNext() const {
  TraceInstruction(m, TraceRegisters{pc, a, x, y, Status(), s}, kMainCore);
}

template <bool kMainCore, bool kTraced>
void CpuCore<kMainCore, kTraced>::Run() {
  Load();
  while (budget > 0) {
    if constexpr (kTraced) TraceNext();
    switch (Fetch()) {
      // The cycles are charged before the instruction runs, so the vertical-blank shortcut's
      // budget of -1 stands as set.
#define HALVOREN_CASE(code, name, mode, cycles, cores)  \
  case code:                                            \
    if constexpr (!CoreKnows(Cores::cores, kMainCore)) { \
      Halt();                                           \
      return;                                           \
    } else {                                            \
      budget -= cycles;                                 \
      name<Mode::mode>();                               \
    }                                                   \
    break;
      HALVOREN_OPCODES(HALVOREN_CASE)
#undef HALVOREN_CASE
      default:
        Halt();
        return;
    }
  }
  Store();
}

void Machine::RunCpuScanline() {
  if (TraceFile) [[unlikely]] {
    CpuCore<true, true>(*this).Run();
  } else {
    CpuCore<true, false>(*this).Run();
  }
}

void Machine::RunCpuScanlineAlt() {
  if (TraceFile) [[unlikely]] {
    CpuCore<false, true>(*this).Run();
  } else {
    CpuCore<false, false>(*this).Run();
  }
}

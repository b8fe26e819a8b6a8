// The exact kind's run loop: one scanline is 341 PPU dots, 113 2/3 CPU cycles, so a line's
// budget is the whole cycles of 341 thirds plus the thirds left from the lines before
// (CycleThirds), plus what the last run overran (CycleCarry, zero or below).
#include "core/cpu_exact.h"

#include "core/cpu_core.h"
#include "core/trace.h"

namespace {
constexpr int kThirdsPerLine = 341;
}

inline void ExactCpu::Load() {
  a = m.A;
  x = m.X;
  y = m.Y;
  s = m.S;
  pc = m.PC;
  SetStatus(m.P);
  const int thirds = kThirdsPerLine + m.CycleThirds;
  budget = m.CycleCarry + thirds / 3;
  m.CycleThirds = static_cast<uint8_t>(thirds % 3);
}

inline void ExactCpu::Save() {
  m.A = a;
  m.X = x;
  m.Y = y;
  m.S = s;
  m.PC = pc;
  m.P = p;
  m.CycleCarry = static_cast<int16_t>(budget);
}

inline void ExactCpu::Trace() const { TraceExactInstruction(m, TraceRegisters{pc, a, x, y, p, s}); }

// 2 cycles, 3 when taken, 4 when the target lies in another page than the next instruction.
inline void ExactCpu::Branch(bool taken) {
  const int8_t displacement = static_cast<int8_t>(Fetch());
  if (!taken) return;
  const uint16_t target = static_cast<uint16_t>(pc + displacement);
  budget -= ((target ^ pc) & 0xFF00) ? 2 : 1;
  pc = target;
  if (displacement < 0) LoopEdge();
}

inline void ExactCpu::JumpBack(uint16_t target) {
  const bool backward = target < pc;
  pc = target;
  if (backward) LoopEdge();
}

// Called with pc at a backward jump's target: the end of one pass of a loop and the start of
// the next. After k skipped passes the budget is still above zero at every instruction they
// held, so the run goes on exactly as if they had been interpreted. Interrupts cannot come in
// between: nothing outside the CPU changes within a run, and a pass that took one would not
// come back with the same registers.
inline void ExactCpu::LoopEdge() {
  if (!skipLoops) return;
  const uint64_t key = uint64_t{a} | (uint64_t{x} << 8) | (uint64_t{y} << 16) |
                       (uint64_t{s} << 24) | (uint64_t{p} << 32) | (uint64_t{pc} << 40);
  if (key == loopRegisters && changes == 0 && BusEffects == loopEffects) {
    const int pass = loopBudget - budget;
    if (pass > 0 && budget > pass) {
      const int passes = (budget - 1) / pass;
      budget -= passes * pass;
      IdlePassesSkipped += static_cast<unsigned>(passes);
    }
  }
  loopRegisters = key;
  loopBudget = budget;
  loopEffects = BusEffects;
  changes = 0;
}

// Seven cycles: the return address and P (bit 5 set, bit 4 clear) pushed, I set, the vector.
inline void ExactCpu::Interrupt(uint16_t vector) {
  Push(static_cast<uint8_t>(pc >> 8));
  Push(static_cast<uint8_t>(pc));
  Push(static_cast<uint8_t>((p & ~kB) | kBit5));
  p |= kI;
  pc = ReadWord(vector);
  budget -= 7;
}

// Before an instruction: the NMI when one is pending, else the IRQ when the line is held and
// I (as the poll sees it) is clear. True when one was entered.
inline bool ExactCpu::PollInterrupts() {
  const bool masked = polledI >= 0 ? polledI != 0 : (p & kI) != 0;
  polledI = -1;
  if (m.NmiPending) {
    m.NmiPending = 0;
    Interrupt(0xFFFA);
    return true;
  }
  if (m.IrqLine && !masked) {
    Interrupt(0xFFFE);
    return true;
  }
  return false;
}

// Runs the instruction with the given opcode; false when it jammed the CPU.
inline bool ExactCpu::Execute(uint8_t opcode) {
  switch (opcode) {
#define HALVOREN_EXACT_CASE(code, name, mode, cycles, page, kind) \
  case code:                                                      \
    if (OpcodeKind::kind == OpcodeKind::Jam) return false;        \
    budget -= cycles;                                             \
    name<Am::mode, page>();                                       \
    return true;
    HALVOREN_EXACT_OPCODES(HALVOREN_EXACT_CASE)
#undef HALVOREN_EXACT_CASE
  }
  return true;
}

void ExactCpu::Run(Machine& machine, bool traced) {
  if (CpuHalted) return;  // a jammed CPU stays jammed for the frame's remaining lines
  ExactCpu cpu(machine);
  cpu.Load();
  cpu.skipLoops = !traced && IdleSkip;
  while (cpu.budget > 0) {
    if (machine.NmiPending | machine.IrqLine) [[unlikely]] {
      if (cpu.PollInterrupts()) continue;
    }
    cpu.polledI = -1;
    if (traced) [[unlikely]]
      cpu.Trace();
    if (!cpu.Execute(cpu.Fetch())) [[unlikely]] {
      // A jam stops the CPU for good, through the same halt as an unknown opcode elsewhere;
      // the registers are kept as they stand.
      cpu.Save();
      HaltCpu(machine, cpu.pc, cpu.s, cpu.p);
      return;
    }
  }
  cpu.Save();
}

void Machine::RunCpuScanlineExact() { ExactCpu::Run(*this, TraceFile != nullptr); }

void Machine::ResetExactCpu() {
  CycleThirds = 0;
  NmiPending = 0;
  IrqLine = 0;
}

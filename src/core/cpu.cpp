// The two scanline runners: each executes whole instructions until the line's cycle budget
// is spent. The main core's budget is 114 + CycleAdjust with the remainder dropped; the
// alternate core's is 114 + CycleCarry with the remainder carried to its next run.
#include "core/cpu_core.h"
#include "log/log.h"

namespace {
constexpr int kCyclesPerScanline = 114;
}

template <bool kMainCore, bool kTraced, bool kDirectFetch>
void CpuCore<kMainCore, kTraced, kDirectFetch>::Load() {
  a = m.A;
  x = m.X;
  y = m.Y;
  s = m.S;
  pc = m.PC;
  SetStatus(m.P);
  // The budget is a 16-bit signed count, wrapping as such for extreme adjustments.
  budget = static_cast<int16_t>(kCyclesPerScanline + (kMainCore ? CycleAdjust : m.CycleCarry));
  // No loop start seen yet (a jump's target never reaches kNoLoop); one found busy in the last
  // runs stays so for a few more.
  loopStart = busyLoop = kNoLoop;
  if (BusyLoopHint >= kHintRun) {
    BusyLoopHint -= kHintRun;
    busyLoop = BusyLoopHint & (kHintRun - 1);
  }
}

template <bool kMainCore, bool kTraced, bool kDirectFetch>
void CpuCore<kMainCore, kTraced, kDirectFetch>::Store() {
  m.A = a;
  m.X = x;
  m.Y = y;
  m.S = s;
  m.PC = static_cast<uint16_t>(pc);
  m.P = Status();
  if constexpr (!kMainCore) m.CycleCarry = static_cast<int16_t>(budget);
}

template <bool kMainCore, bool kTraced, bool kDirectFetch>
void CpuCore<kMainCore, kTraced, kDirectFetch>::Trace() const {
  TraceInstruction(m, TraceRegisters{static_cast<uint16_t>(pc), a, x, y, Status(), s}, kMainCore);
}

// An opcode the core does not know stops the CPU for good. PC stays one past the opcode; A, X
// and Y are not written back, and the alternate core leaves P and CycleCarry as they were.
template <bool kMainCore, bool kTraced, bool kDirectFetch>
void CpuCore<kMainCore, kTraced, kDirectFetch>::Halt() {
  HaltCpu(m, static_cast<uint16_t>(pc), s, kMainCore ? Status() : -1);
}

void HaltCpu(Machine& m, uint16_t pc, uint8_t s, int status) {
  m.PC = pc;
  m.S = s;
  if (status >= 0) m.P = static_cast<uint8_t>(status);
  const uint16_t at = static_cast<uint16_t>(pc - 1);
  // The rest of the frame's scanlines halt again further on; the first one is the reason.
  if (!CpuHalted) {
    FirstHaltAddress = at;
    FirstHaltOpcode = m.CpuRead(at);
  }
  LogText("Bad opcode:");
  LogNumberLine(m.CpuRead(at));
  LogText("At:");
  LogNumberLine(at);
  LogText("Frame:");
  LogNumberLine(static_cast<int32_t>(FrameCount));
  LogText("NMI vector:");
  LogNumberLine(m.CpuMemory[0xFFFA] | (m.CpuMemory[0xFFFB] << 8));
  LogText("IRQ vector:");
  LogNumberLine(m.CpuMemory[0xFFFE] | (m.CpuMemory[0xFFFF] << 8));
  CpuHalted = 1;
}

// One opcode row as statements: charge its cycles and run it, or, for an opcode this core does
// not know, halt and `leave`. The cycles are charged before the instruction runs, so the
// vertical-blank shortcut's budget of -1 stands as set.
// clang-format off
#define HALVOREN_INSTRUCTION(core, name, mode, cycles, cores, leave) \
  if constexpr (!CoreKnows(Cores::cores, kMainCore)) {             \
    (core).Halt();                                                  \
    leave;                                                          \
  } else {                                                          \
    (core).budget -= cycles;                                        \
    (core).template name<Mode::mode>();                             \
  }
// clang-format on

template <bool kMainCore, bool kTraced, bool kDirectFetch>
bool CpuCore<kMainCore, kTraced, kDirectFetch>::Execute(uint8_t opcode) {
  switch (opcode) {
#define HALVOREN_CASE(code, name, mode, cycles, cores) \
  case code:                                           \
    HALVOREN_INSTRUCTION(*this, name, mode, cycles, cores, return false) return true;
    HALVOREN_OPCODES(HALVOREN_CASE)
#undef HALVOREN_CASE
  }
  __builtin_unreachable();
}

// GCC gets threaded dispatch: every handler ends in one test that covers both ways off the
// fast path (budget spent, next instruction outside the fetch window) and then jumps to the
// shared `dispatch`. GCC copies that computed goto into each handler (see CMakeLists.txt, and
// tools/check_dispatch.sh, which CI runs), so each opcode's successor is predicted on its own,
// while the register allocator still sees a single loop and keeps the core's registers in host
// registers. Handlers that each end in their own fetch and computed goto left them in stack
// slots. Traced runs go round the loop top for the trace line. Other compilers (clang builds
// the fuzz targets) get the same loop with a plain switch.
#if defined(__GNUC__) && !defined(__clang__)
template <bool kMainCore, bool kTraced, bool kDirectFetch>
void CpuCore<kMainCore, kTraced, kDirectFetch>::Run(Machine& machine) {
#define HALVOREN_LABEL(code, name, mode, cycles, cores) &&op_##code,
  static const void* const kHandlers[256] = {HALVOREN_OPCODES(HALVOREN_LABEL)};
#undef HALVOREN_LABEL
// clang-format off
#define HALVOREN_HANDLER(code, name, mode, cycles, cores)          \
  op_##code:                                                       \
  HALVOREN_INSTRUCTION(core, name, mode, cycles, cores, return)    \
  if constexpr (kTraced) continue;                                 \
  if (core.OffFastPath()) [[unlikely]] goto offFastPath;           \
  goto dispatch;
  // clang-format on

  CpuCore core(machine);
  core.Load();
  for (;;) {
    if constexpr (kTraced) {
      if (core.budget > 0) core.Trace();
    }
    if (core.OffFastPath()) [[unlikely]] {
    offFastPath:
      if (core.budget <= 0) break;
      if (!core.StepThroughBus()) return;
      continue;
    }
  dispatch:
    goto* kHandlers[core.Fetch()];
    HALVOREN_OPCODES(HALVOREN_HANDLER)
  }
#undef HALVOREN_HANDLER
  core.Store();
}
#else
template <bool kMainCore, bool kTraced, bool kDirectFetch>
void CpuCore<kMainCore, kTraced, kDirectFetch>::Run(Machine& machine) {
  CpuCore core(machine);
  core.Load();
  for (;;) {
    if constexpr (kTraced) {
      if (core.budget > 0) core.Trace();
    }
    if (core.OffFastPath()) [[unlikely]] {
      if (core.budget <= 0) break;
      if (!core.StepThroughBus()) return;
      continue;
    }
    if (!core.Execute(core.Fetch())) return;
  }
  core.Store();
}
#endif
#undef HALVOREN_INSTRUCTION

void Machine::RunCpuScanline() {
  if (TraceFile) [[unlikely]] {
    CpuCore<true, true>::Run(*this);
  } else {
    CpuCore<true, false>::Run(*this);
  }
}

void Machine::RunCpuScanlineAlt() {
  if (TraceFile) [[unlikely]] {
    CpuCore<false, true>::Run(*this);
  } else {
    CpuCore<false, false>::Run(*this);
  }
}

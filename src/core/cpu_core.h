// The 6502 interpreter shared by both cores. The differences between the main and the
// alternate core are compile-time options, so each instantiation is one dispatch loop with the
// registers in host registers for the whole scanline (the loop itself is in cpu.cpp).
//
// Instructions that lie wholly in $8000-$FFFD, where reads are CPU memory itself, are fetched
// straight from it; any other is run by a copy of the core that fetches through the bus, out
// of line, so that the rare case costs the common one nothing.
//
// The status byte is kept split while running: C as 0/1, V as 0/$40, N and Z together in the
// last result (Z when its low byte is zero, N when bit 7 or bit 8 is set, so that BIT and PLP
// can set both at once), and the I, D, B and bit-5 bits together as they sit in P. The main core
// keeps bit 5 as reset or PLP/RTI left it; the alternate core drops it whenever it rebuilds P.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/count_loop.h"
#include "core/cpu_opcodes.h"
#include "core/globals.h"
#include "core/machine.h"
#include "core/trace.h"

#define HALVOREN_INLINE inline __attribute__((always_inline))

// The registers and the run's bookkeeping, apart from the code, so that the two fetch variants
// of a core can hand them over whole.
struct CpuCoreState {
  uint8_t a = 0, x = 0, y = 0, s = 0;
  uint32_t pc = 0;  // the low 16 bits; wider only so that it stays in a host register
  uint8_t c = 0, v = 0, bits = 0;
  unsigned nz = 1;
  int budget = 0;

  // Idle-loop skip. Within one run nothing outside the CPU changes, so a pass of a loop that
  // comes back to its start with the same registers and changed nothing (no memory, no
  // device: see BusEffects) would repeat identically: the whole passes the budget still holds
  // are charged at once. `changes` collects the bits that direct stores flipped.
  uint8_t changes = 0;
  int loopBudget = 0;
  uint32_t loopEffects = 0;
  uint32_t loopStart = 0;  // the loop start last recorded
  uint32_t busyLoop = 0;   // a loop start done with for this run
  uint64_t loopRegisters = 0;
};

// kDirectFetch: instruction bytes are read from CPU memory without the bus's checks; only for
// instructions that InFetchWindow() admits.
template <bool kMainCore, bool kTraced, bool kDirectFetch = true>
class CpuCore : CpuCoreState {
 public:
  // Runs one scanline. The core lives as a local object inside, so that its registers stay in
  // host registers instead of memory that every store into CPU memory might alias.
  [[gnu::noinline]] static void Run(Machine& machine);

 private:
  template <bool, bool, bool>
  friend class CpuCore;
  using BusFetchCore = CpuCore<kMainCore, kTraced, false>;

  explicit CpuCore(Machine& machine) : m(machine) {}
  template <bool kOtherFetch>
  explicit CpuCore(const CpuCore<kMainCore, kTraced, kOtherFetch>& other)
      : CpuCoreState(other), m(other.m) {}

  static constexpr uint8_t kKeptBits = kMainCore ? 0x3C : 0x1C;  // I, D, B (and bit 5)
  static constexpr uint8_t kFlagI = 0x04, kFlagD = 0x08, kFlagB = 0x10, kBit5 = 0x20;
  // A busy loop start is left alone for this many runs, then looked at again.
  static constexpr uint32_t kNoLoop = 0x10000, kHintRun = 1 << 24, kBusyRuns = 8;

  Machine& m;

  // --- Status byte ---
  HALVOREN_INLINE uint8_t Status() const {
    return static_cast<uint8_t>((NegativeSet() ? 0x80 : 0) | v | bits | (ZeroSet() ? 2 : 0) | c);
  }
  HALVOREN_INLINE void SetStatus(uint8_t p) {
    c = p & 1;
    nz = ((p & 0x80) << 1) | ((p & 2) ? 0 : 1);
    bits = p & kKeptBits;
    v = p & 0x40;
  }
  HALVOREN_INLINE void SetNZ(uint8_t value) { nz = value; }
  HALVOREN_INLINE bool NegativeSet() const { return nz & 0x180; }
  HALVOREN_INLINE bool ZeroSet() const { return !(nz & 0xFF); }
  // CPU memory itself, bypassing the buses.
  HALVOREN_INLINE uint8_t& Mem(unsigned address) { return m.CpuMemory[address]; }
  HALVOREN_INLINE void Store(unsigned address, uint8_t value) {
    uint8_t& cell = Mem(address);
    changes |= cell ^ value;
    cell = value;
  }

  // The same read as Machine::CpuRead. Internal RAM is what most data reads reach, so it is
  // the case laid out in line; the devices are one call out of line.
  HALVOREN_INLINE uint8_t ReadBus(uint32_t address) {
    address &= 0xFFFF;
    if (address < 0x2000) [[likely]]
      return Mem(address & 0x07FF);
    if (address >= 0x8000) return Mem(address);
    return m.CpuReadDevice(static_cast<uint16_t>(address));
  }
  // Internal RAM is written in place: a changed byte marks the pass as the direct stores do,
  // which stops a loop skip just as the bus's own count would. The rest goes to the bus.
  HALVOREN_INLINE void WriteBus(uint16_t address, uint8_t value) {
    if (address < 0x2000) [[likely]] {
      Store(address & 0x07FF, value);
    } else {
      m.CpuWrite(address, value);
    }
  }

  // --- Fetch, stack ---
  // The opcode at pc and up to two operand bytes are all in $8000-$FFFF (pc itself may have
  // run past $FFFF: that is outside too).
  HALVOREN_INLINE bool InFetchWindow() const { return pc - 0x8000 <= 0xFFFD - 0x8000; }
  // Either way off the dispatch's fast path in one branch: the budget is spent, or the next
  // instruction must be fetched through the bus.
  HALVOREN_INLINE bool OffFastPath() const { return (budget <= 0) | !InFetchWindow(); }
  // A byte of the current instruction.
  HALVOREN_INLINE uint8_t InstructionByte(uint32_t at) {
    if constexpr (kDirectFetch) return Mem(at);
    return ReadBus(at);
  }
  HALVOREN_INLINE uint8_t Fetch() { return InstructionByte(pc++); }
  HALVOREN_INLINE uint16_t Fetch16() {
    const uint8_t low = Fetch();
    return static_cast<uint16_t>(low | (Fetch() << 8));
  }
  HALVOREN_INLINE void Push(uint8_t value) { Store(0x100 + s--, value); }
  HALVOREN_INLINE uint8_t Pull() { return Mem(0x100 + ++s); }
  HALVOREN_INLINE void PushWord(uint16_t value) {
    Push(static_cast<uint8_t>(value >> 8));
    Push(static_cast<uint8_t>(value));
  }
  HALVOREN_INLINE uint16_t PullWord() {
    const uint8_t low = Pull();
    return static_cast<uint16_t>(low | (Pull() << 8));
  }
  HALVOREN_INLINE uint16_t ReadVector(uint16_t at) {
    return static_cast<uint16_t>(ReadBus(at) | (ReadBus(at + 1) << 8));
  }

  // --- Operand addressing ---
  // Page zero (and LDX's reach into page one) is CPU memory itself, never the buses.
  static constexpr bool IsDirect(Mode mode) {
    return mode == Mode::Zp || mode == Mode::ZpX || mode == Mode::ZpY || mode == Mode::ZpYLong;
  }

  template <Mode kMode>
  HALVOREN_INLINE uint16_t Address() {
    if constexpr (kMode == Mode::Zp) return Fetch();
    if constexpr (kMode == Mode::ZpX) return static_cast<uint8_t>(Fetch() + x);
    if constexpr (kMode == Mode::ZpY) return static_cast<uint8_t>(Fetch() + y);
    if constexpr (kMode == Mode::ZpYLong) return static_cast<uint16_t>(Fetch() + y);
    if constexpr (kMode == Mode::Abs) return Fetch16();
    if constexpr (kMode == Mode::AbsX) return static_cast<uint16_t>(Fetch16() + x);
    if constexpr (kMode == Mode::AbsY) return static_cast<uint16_t>(Fetch16() + y);
    if constexpr (kMode == Mode::IndX) {
      const uint8_t pointer = static_cast<uint8_t>(Fetch() + x);
      return static_cast<uint16_t>(Mem(pointer) | (Mem((pointer + 1) & 0xFF) << 8));
    }
    if constexpr (kMode == Mode::IndY) {
      const uint8_t pointer = Fetch();  // $FF takes its high byte from $0100
      return static_cast<uint16_t>((Mem(pointer) | (Mem(pointer + 1) << 8)) + y);
    }
    if constexpr (kMode == Mode::IndZp) {
      const uint8_t pointer = Fetch();
      return static_cast<uint16_t>(Mem(pointer) | (Mem((pointer + 1) & 0xFF) << 8));
    }
  }

  template <Mode kMode>
  HALVOREN_INLINE uint8_t Read() {
    if constexpr (kMode == Mode::Imm) {
      return Fetch();
    } else if constexpr (IsDirect(kMode)) {
      return Mem(Address<kMode>());
    } else {
      return ReadBus(Address<kMode>());
    }
  }

  template <Mode kMode>
  HALVOREN_INLINE void Write(uint8_t value) {
    if constexpr (IsDirect(kMode)) {
      Store(Address<kMode>(), value);
    } else {
      WriteBus(Address<kMode>(), value);
    }
  }

  // Read-modify-write: one bus read and one bus write outside page zero.
  template <Mode kMode, class Change>
  HALVOREN_INLINE void Modify(Change change) {
    uint8_t result;
    if constexpr (kMode == Mode::Acc) {
      result = a = change(a);
    } else if constexpr (IsDirect(kMode)) {
      const uint16_t address = Address<kMode>();
      result = change(Mem(address));
      Store(address, result);
    } else {
      const uint16_t address = Address<kMode>();
      result = change(ReadBus(address));
      WriteBus(address, result);
    }
    SetNZ(result);
  }

  // One line per operation reads like the instruction set.
  // clang-format off
  // --- Loads, stores, transfers ---
  template <Mode M> HALVOREN_INLINE void LDA() { SetNZ(a = Read<M>()); }
  template <Mode M> HALVOREN_INLINE void LDX() { SetNZ(x = Read<M>()); }
  template <Mode M> HALVOREN_INLINE void LDY() { SetNZ(y = Read<M>()); }
  template <Mode M> HALVOREN_INLINE void STA() { Write<M>(a); }
  template <Mode M> HALVOREN_INLINE void STX() { Write<M>(x); }
  template <Mode M> HALVOREN_INLINE void STY() { Write<M>(y); }
  template <Mode> HALVOREN_INLINE void TAX() { SetNZ(x = a); }
  template <Mode> HALVOREN_INLINE void TAY() { SetNZ(y = a); }
  template <Mode> HALVOREN_INLINE void TXA() { SetNZ(a = x); }
  template <Mode> HALVOREN_INLINE void TYA() { SetNZ(a = y); }
  template <Mode> HALVOREN_INLINE void TSX() { SetNZ(x = s); }
  template <Mode> HALVOREN_INLINE void TXS() { s = x; }

  // --- Arithmetic and logic; ADC and SBC are binary whatever D says ---
  HALVOREN_INLINE void AddWithCarry(uint8_t operand) {
    const unsigned sum = a + operand + c;
    v = static_cast<uint8_t>((~(a ^ operand) & (a ^ sum) & 0x80) >> 1);
    c = sum > 0xFF;
    SetNZ(a = static_cast<uint8_t>(sum));
  }
  HALVOREN_INLINE void Compare(uint8_t reg, uint8_t operand) {
    c = reg >= operand;
    SetNZ(static_cast<uint8_t>(reg - operand));
  }
  template <Mode M> HALVOREN_INLINE void ADC() { AddWithCarry(Read<M>()); }
  template <Mode M> HALVOREN_INLINE void SBC() { AddWithCarry(Read<M>() ^ 0xFF); }
  template <Mode M> HALVOREN_INLINE void AND() { SetNZ(a &= Read<M>()); }
  template <Mode M> HALVOREN_INLINE void ORA() { SetNZ(a |= Read<M>()); }
  template <Mode M> HALVOREN_INLINE void EOR() { SetNZ(a ^= Read<M>()); }
  template <Mode M> HALVOREN_INLINE void CMP() { Compare(a, Read<M>()); }
  template <Mode M> HALVOREN_INLINE void CPX() { Compare(x, Read<M>()); }
  template <Mode M> HALVOREN_INLINE void CPY() { Compare(y, Read<M>()); }
  template <Mode M>
  HALVOREN_INLINE void BIT() {
    const uint8_t operand = Read<M>();
    nz = ((operand & 0x80) << 1) | (a & operand);
    v = operand & 0x40;
  }

  // --- Increments, shifts and rotates ---
  template <Mode M> HALVOREN_INLINE void INC() { Modify<M>([](uint8_t b) { return ++b; }); }
  template <Mode M> HALVOREN_INLINE void DEC() { Modify<M>([](uint8_t b) { return --b; }); }
  template <Mode> HALVOREN_INLINE void INX() { SetNZ(++x); }
  template <Mode> HALVOREN_INLINE void INY() { SetNZ(++y); }
  template <Mode> HALVOREN_INLINE void DEX() { SetNZ(--x); }
  template <Mode> HALVOREN_INLINE void DEY() { SetNZ(--y); }
  template <Mode M>
  HALVOREN_INLINE void ASL() {
    Modify<M>([this](uint8_t value) -> uint8_t {
      c = value >> 7;
      return static_cast<uint8_t>(value << 1);
    });
  }
  template <Mode M>
  HALVOREN_INLINE void LSR() {
    Modify<M>([this](uint8_t value) -> uint8_t {
      c = value & 1;
      return value >> 1;
    });
  }
  template <Mode M>
  HALVOREN_INLINE void ROL() {
    Modify<M>([this](uint8_t value) -> uint8_t {
      const uint8_t result = static_cast<uint8_t>((value << 1) | c);
      c = value >> 7;
      return result;
    });
  }
  template <Mode M>
  HALVOREN_INLINE void ROR() {
    Modify<M>([this](uint8_t value) -> uint8_t {
      const uint8_t result = static_cast<uint8_t>((value >> 1) | (c << 7));
      c = value & 1;
      return result;
    });
  }

  // --- Flags ---
  template <Mode> HALVOREN_INLINE void CLC() { c = 0; }
  template <Mode> HALVOREN_INLINE void SEC() { c = 1; }
  template <Mode> HALVOREN_INLINE void CLV() { v = 0; }
  template <Mode> HALVOREN_INLINE void CLI() { bits &= ~kFlagI; }
  template <Mode> HALVOREN_INLINE void SEI() { bits |= kFlagI; }
  template <Mode> HALVOREN_INLINE void CLD() { bits &= ~kFlagD; }
  template <Mode> HALVOREN_INLINE void SED() { bits |= kFlagD; }

  // The idle skip and counting loops: off in traced runs, which must show every instruction.
  static HALVOREN_INLINE bool Shortcuts() { return !kTraced && IdleSkip; }

  // The registers but pc. The status byte, not the working flags: a run that starts between an
  // instruction and the branch on its result has them in another (equal) form.
  HALVOREN_INLINE uint64_t RegisterKey() const {
    return uint64_t{a} | (uint64_t{x} << 8) | (uint64_t{y} << 16) | (uint64_t{s} << 24) |
           (uint64_t{Status()} << 32);
  }
  // Called on backward jumps, with pc at the jump's target: the end of one pass of a loop and
  // the start of the next. A jump back to the loop start last seen finds out whether the pass
  // between changed anything and, when not, charges at once the whole passes the budget still
  // holds: it stays above zero at every instruction they held, so the run goes on exactly as
  // if they had been interpreted. A loop start is then left alone, its jumps costing one
  // comparison: for the rest of the run after a skip (less than a pass is left), and for some
  // runs when its passes changed things twice (once may be a flag or a latch that a first
  // read clears). Leaving jumps out is harmless: the check compares two jumps it did see,
  // with every change in between collected.
  HALVOREN_INLINE void LoopEdge() {
    if (kTraced || pc == busyLoop || !IdleSkip) return;  // the switch read past the common exit
    const uint64_t key = RegisterKey();
    if (pc != loopStart) {
      loopStart = pc;
    } else if (key == loopRegisters && changes == 0 && BusEffects == loopEffects) {
      const int pass = loopBudget - budget;
      if (pass > 0 && budget > pass) {
        const int passes = (budget - 1) / pass;
        budget -= passes * pass;
        IdlePassesSkipped += static_cast<unsigned>(passes);
        busyLoop = pc;
        if (BusyLoopHint == pc) BusyLoopHint = kNoLoop;
        return;
      }
    } else if (BusyLoopHint == pc) {
      BusyLoopHint = pc | kBusyRuns * kHintRun;
      busyLoop = pc;
      return;
    } else {
      BusyLoopHint = pc;  // changed once: a second time makes it busy
    }
    loopRegisters = key;
    loopBudget = budget;
    loopEffects = BusEffects;
    changes = 0;
  }

  // A counting loop at pc, its branch of the given kind just taken back onto the stepping
  // instruction: the passes that end with the branch taken again and run whole on the budget
  // are charged at once, leaving pc on the stepping instruction as interpreting them would.
  // The loop lies in the fetch window, so nothing it writes (page zero) can change its code.
  template <CountBranch kBranch>
  HALVOREN_INLINE bool CountingLoop(uint8_t displacement) {
    const CountingStep& step = kCountingSteps[Mem(pc)];
    if (step.counter == Counter::None || step.displacement != displacement) return false;
    switch (step.counter) {
      case Counter::X:
        x = CountPasses<kBranch>(step, x);
        break;
      case Counter::Y:
        y = CountPasses<kBranch>(step, y);
        break;
      default: {
        const uint8_t address = Mem(pc + 1);
        Store(address, CountPasses<kBranch>(step, Mem(address)));
      }
    }
    return true;
  }
  template <CountBranch kBranch>
  HALVOREN_INLINE uint8_t CountPasses(const CountingStep& step, uint8_t counter) {
    const int pass = step.cycles + 2;
    const int byCounter = kTakenPasses[static_cast<int>(kBranch)][step.up][counter];
    const int passes = std::min(byCounter, PassesInBudget(budget, step.cycles, pass));
    if (passes == 0) return counter;
    budget -= passes * pass;
    CountedPasses += static_cast<unsigned>(passes);
    counter = static_cast<uint8_t>(step.up ? counter + passes : counter - passes);
    SetNZ(counter);
    return counter;
  }
  // A taken branch that went backward: a wait for vertical blank, a counting loop (traced runs
  // interpret every pass) or some other loop, for the idle check.
  template <CountBranch kBranch>
  HALVOREN_INLINE void BackwardBranch(uint8_t displacement) {
    // A BPL back onto LDA $2002 is a game waiting for vertical blank: skip the rest of the line.
    if constexpr (kBranch == CountBranch::Bpl) {
      if (displacement == 0xFB && Mem(pc) == 0xAD && Mem((pc + 1) & 0xFFFF) == 0x02 &&
          Mem((pc + 2) & 0xFFFF) == 0x20) {
        budget = -1;
        return;
      }
    }
    if constexpr (kBranch != CountBranch::None && kDirectFetch && !kTraced) {
      if (displacement >= 0xFC && Shortcuts() && InFetchWindow() &&
          CountingLoop<kBranch>(displacement))
        return;
    }
    LoopEdge();
  }

  // --- Branches: 2 cycles taken or not; the displacement is read only when taken ---
  template <CountBranch kBranch = CountBranch::None>
  HALVOREN_INLINE uint8_t Branch(bool taken) {
    if (!taken) {
      ++pc;
      return 0;
    }
    const uint8_t displacement = InstructionByte(pc);
    pc = static_cast<uint16_t>(pc + 1 + static_cast<int8_t>(displacement));
    if (displacement & 0x80) BackwardBranch<kBranch>(displacement);
    return displacement;
  }
  template <Mode> HALVOREN_INLINE void BPL() { Branch<CountBranch::Bpl>(!NegativeSet()); }
  template <Mode> HALVOREN_INLINE void BMI() { Branch<CountBranch::Bmi>(NegativeSet()); }
  template <Mode> HALVOREN_INLINE void BVC() { Branch(!v); }
  template <Mode> HALVOREN_INLINE void BVS() { Branch(v); }
  template <Mode> HALVOREN_INLINE void BCC() { Branch(!c); }
  template <Mode> HALVOREN_INLINE void BCS() { Branch(c); }
  template <Mode> HALVOREN_INLINE void BNE() { Branch<CountBranch::Bne>(!ZeroSet()); }
  template <Mode> HALVOREN_INLINE void BEQ() { Branch(ZeroSet()); }

  // --- Jumps, subroutines, stack ---
  template <Mode M>
  HALVOREN_INLINE void JMP() {
    const uint16_t target = Fetch16();
    if constexpr (M == Mode::Abs) {
      const bool backward = target < (pc & 0xFFFF);
      pc = target;
      if (backward) LoopEdge();
    } else {  // the pointer's high byte does not carry into the next page
      const uint16_t high = static_cast<uint16_t>((target & 0xFF00) | ((target + 1) & 0x00FF));
      pc = static_cast<uint16_t>(ReadBus(target) | (ReadBus(high) << 8));
    }
  }
  template <Mode>
  HALVOREN_INLINE void JSR() {
    const uint8_t low = Fetch();
    PushWord(static_cast<uint16_t>(pc));  // the address of the last operand byte
    pc = static_cast<uint16_t>(low | (InstructionByte(pc) << 8));
  }
  template <Mode> HALVOREN_INLINE void RTS() { pc = static_cast<uint16_t>(PullWord() + 1); }
  template <Mode>
  HALVOREN_INLINE void RTI() {
    SetStatus(Pull());
    pc = PullWord();
  }
  template <Mode> HALVOREN_INLINE void PHA() { Push(a); }
  template <Mode> HALVOREN_INLINE void PLA() { SetNZ(a = Pull()); }
  template <Mode> HALVOREN_INLINE void PHP() { Push(Status()); }
  template <Mode> HALVOREN_INLINE void PLP() { SetStatus(Pull()); }
  // Pushes the address after the opcode. The alternate core ignores BRK while I is set.
  template <Mode>
  HALVOREN_INLINE void BRK() {
    if constexpr (!kMainCore) {
      if (bits & kFlagI) return;
    }
    PushWord(static_cast<uint16_t>(pc));
    Push(Status() | kFlagB);
    bits |= kMainCore ? (kFlagI | kFlagB | kBit5) : (kFlagI | kFlagB);
    pc = ReadVector(0xFFFE);
  }

  // --- Extra opcodes (which core knows which is in the table) ---
  template <Mode> HALVOREN_INLINE void PHX() { Push(x); }
  template <Mode> HALVOREN_INLINE void PHY() { Push(y); }
  template <Mode> HALVOREN_INLINE void PLX() { SetNZ(x = Pull()); }
  template <Mode> HALVOREN_INLINE void BRA() { Branch(true); }
  template <Mode M> HALVOREN_INLINE void NOP() { if constexpr (M == Mode::Skip) ++pc; }
  template <Mode> HALVOREN_INLINE void BAD() {}  // never runs: both cores halt on it first

  // clang-format on

  // Runs the instruction with the given opcode; false when the core halted on it.
  HALVOREN_INLINE bool Execute(uint8_t opcode);
  [[gnu::noinline, gnu::cold]] bool ExecuteNext() { return Execute(Fetch()); }
  // One instruction outside the fetch window, run by a copy of the core that fetches through
  // the bus, out of line; false when it halted. Only the copy's address leaves the run.
  HALVOREN_INLINE bool StepThroughBus() {
    BusFetchCore bus(*this);
    if (!bus.ExecuteNext()) return false;
    static_cast<CpuCoreState&>(*this) = bus;
    return true;
  }

  HALVOREN_INLINE void Load();
  HALVOREN_INLINE void Store();
  HALVOREN_INLINE void Halt();
  HALVOREN_INLINE void Trace() const;
};

// The unknown-opcode stop, out of line and given values only, so that the core's own object
// never escapes.
[[gnu::cold, gnu::noinline]] void HaltCpu(Machine& m, uint16_t pc, uint8_t s, int status);

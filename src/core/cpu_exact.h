// The exact kind of CPU: the 2A03 as the hardware runs it, instruction by instruction. Every
// cycle an instruction takes on the console is charged (page crossings, taken branches), and
// every bus access that reaches a device happens as on the console, the dummy ones included:
// an indexed read that crosses a page first reads the address before the carry, indexed
// stores and read-modify-writes always do, and a read-modify-write writes the old value back
// before the new one. Page zero and the stack are work RAM, so their dummy accesses, which
// no device can see, are left out.
//
// Interrupts are polled before every instruction: the Machine's NmiPending and IrqLine. CLI,
// SEI and PLP change I one instruction late for the poll, as on the console.
#pragma once

#include <cstdint>

#include "core/cpu_exact_opcodes.h"
#include "core/globals.h"
#include "core/machine.h"

#define HALVOREN_EXACT_INLINE [[gnu::always_inline]] inline

class ExactCpu {
 public:
  // Runs one scanline's budget; the frame loop's entry is Machine::RunCpuScanlineExact. The
  // CPU is a local object inside, every step inlined, so that its registers stay in host
  // registers instead of memory that every store into CPU memory might alias.
  static void Run(Machine& machine, bool traced);

 private:
  explicit ExactCpu(Machine& machine) : m(machine) {}
  using Am = ExactAddressing;
  static constexpr uint8_t kC = 0x01, kZ = 0x02, kI = 0x04, kD = 0x08, kB = 0x10, kBit5 = 0x20,
                           kV = 0x40, kN = 0x80;

  static constexpr int kSpriteDmaCycles = 513;

  Machine& m;
  uint8_t a = 0, x = 0, y = 0, s = 0, p = 0;
  uint16_t pc = 0;
  int budget = 0;
  // The I flag the next poll sees when the last instruction was CLI, SEI or PLP; -1 otherwise.
  int polledI = -1;

  // Idle-loop skip, as the main and alternate cores do it: a pass of a loop that returns to its
  // start with the same registers and changed nothing repeats identically, so whole passes the
  // budget still holds are charged at once.
  bool skipLoops = false;
  uint8_t changes = 0;
  int loopBudget = 0;
  uint32_t loopEffects = 0;
  uint64_t loopRegisters = ~uint64_t{0};

  // --- Bus ---
  HALVOREN_EXACT_INLINE uint8_t Read(uint16_t address) { return m.CpuRead(address); }
  HALVOREN_EXACT_INLINE void Write(uint16_t address, uint8_t value) {
    if (address < 0x2000) {
      uint8_t& cell = m.CpuMemory[address & 0x07FF];
      changes |= cell ^ value;
      cell = value;
    } else {
      m.CpuWrite(address, value);
      if (address == 0x4014) budget -= kSpriteDmaCycles;  // the CPU waits while 256 bytes move
    }
  }
  HALVOREN_EXACT_INLINE uint8_t Fetch() { return Read(pc++); }
  HALVOREN_EXACT_INLINE uint16_t Fetch16() {
    const uint8_t low = Fetch();
    return static_cast<uint16_t>(low | (Fetch() << 8));
  }
  HALVOREN_EXACT_INLINE void Push(uint8_t value) {
    Write(static_cast<uint16_t>(0x100 + s--), value);
  }
  HALVOREN_EXACT_INLINE uint8_t Pull() { return m.CpuMemory[0x100 + ++s]; }
  HALVOREN_EXACT_INLINE uint16_t ReadWord(uint16_t at) {
    return static_cast<uint16_t>(Read(at) | (Read(at + 1) << 8));
  }
  HALVOREN_EXACT_INLINE uint16_t ZeroPageWord(uint8_t at) {
    return static_cast<uint16_t>(m.CpuMemory[at] | (m.CpuMemory[(at + 1) & 0xFF] << 8));
  }

  // --- Flags ---
  HALVOREN_EXACT_INLINE void SetNZ(uint8_t value) {
    p = static_cast<uint8_t>((p & ~(kN | kZ)) | (value & kN) | (value ? 0 : kZ));
  }
  HALVOREN_EXACT_INLINE void SetFlag(uint8_t flag, bool on) {
    p = static_cast<uint8_t>(on ? (p | flag) : (p & ~flag));
  }
  // Bits 4 and 5 are no flags: P holds bit 5 set and bit 4 clear, PHP and BRK push both set.
  HALVOREN_EXACT_INLINE void SetStatus(uint8_t pulled) {
    p = static_cast<uint8_t>((pulled & ~kB) | kBit5);
  }

  // --- Operand addressing ---
  // base + index; a carry into the high byte costs the row's page cycle, after a read of the
  // address before the carry. Stores and read-modify-writes (kAlways) make that read always.
  template <int kPage, bool kAlways>
  HALVOREN_EXACT_INLINE uint16_t Indexed(uint16_t base, uint8_t index) {
    const uint16_t address = static_cast<uint16_t>(base + index);
    const bool crossed = (base ^ address) & 0xFF00;
    if (kAlways || crossed) Read(static_cast<uint16_t>((base & 0xFF00) | (address & 0x00FF)));
    if (!kAlways && crossed) budget -= kPage;
    return address;
  }
  template <Am M, int kPage, bool kAlways = false>
  HALVOREN_EXACT_INLINE uint16_t Address() {
    if constexpr (M == Am::Zp) return Fetch();
    if constexpr (M == Am::ZpX) return static_cast<uint8_t>(Fetch() + x);
    if constexpr (M == Am::ZpY) return static_cast<uint8_t>(Fetch() + y);
    if constexpr (M == Am::Abs) return Fetch16();
    if constexpr (M == Am::AbsX) return Indexed<kPage, kAlways>(Fetch16(), x);
    if constexpr (M == Am::AbsY) return Indexed<kPage, kAlways>(Fetch16(), y);
    if constexpr (M == Am::IndX) return ZeroPageWord(static_cast<uint8_t>(Fetch() + x));
    if constexpr (M == Am::IndY) return Indexed<kPage, kAlways>(ZeroPageWord(Fetch()), y);
    return 0;
  }
  template <Am M, int kPage>
  HALVOREN_EXACT_INLINE uint8_t Operand() {
    if constexpr (M == Am::Imm) return Fetch();
    return Read(Address<M, kPage>());
  }
  template <Am M, int kPage>
  HALVOREN_EXACT_INLINE void Store(uint8_t value) {
    Write(Address<M, kPage, true>(), value);
  }
  // Read, the old value written back, then the new one.
  template <Am M, int kPage, class Change>
  HALVOREN_EXACT_INLINE uint8_t Modify(Change change) {
    if constexpr (M == Am::Acc) {
      a = change(a);
      SetNZ(a);
      return a;
    }
    const uint16_t address = Address<M, kPage, true>();
    const uint8_t old = Read(address);
    Write(address, old);
    const uint8_t result = change(old);
    Write(address, result);
    SetNZ(result);
    return result;
  }
  // SHA, SHX, SHY, TAS: the value ANDed with the base's high byte plus one; when the index
  // carries, that value also becomes the high byte of the address written.
  template <Am M>
  HALVOREN_EXACT_INLINE void StoreHigh(uint8_t value) {
    const uint16_t base = M == Am::IndY ? ZeroPageWord(Fetch()) : Fetch16();
    const uint8_t index = M == Am::AbsX ? x : y;
    uint16_t address = Indexed<0, true>(base, index);
    value &= static_cast<uint8_t>((base >> 8) + 1);
    if ((base ^ address) & 0xFF00) address = static_cast<uint16_t>((value << 8) | (address & 0xFF));
    Write(address, value);
  }

  // --- Shared operations ---
  HALVOREN_EXACT_INLINE void Add(uint8_t operand) {
    const unsigned sum = a + operand + (p & kC);
    SetFlag(kV, ~(a ^ operand) & (a ^ sum) & 0x80);
    SetFlag(kC, sum > 0xFF);
    a = static_cast<uint8_t>(sum);
    SetNZ(a);
  }
  HALVOREN_EXACT_INLINE void Compare(uint8_t reg, uint8_t operand) {
    SetFlag(kC, reg >= operand);
    SetNZ(static_cast<uint8_t>(reg - operand));
  }
  HALVOREN_EXACT_INLINE uint8_t ShiftLeft(uint8_t v) {
    SetFlag(kC, v & 0x80);
    return static_cast<uint8_t>(v << 1);
  }
  HALVOREN_EXACT_INLINE uint8_t ShiftRight(uint8_t v) {
    SetFlag(kC, v & 1);
    return v >> 1;
  }
  HALVOREN_EXACT_INLINE uint8_t RotateLeft(uint8_t v) {
    const uint8_t result = static_cast<uint8_t>((v << 1) | (p & kC));
    SetFlag(kC, v & 0x80);
    return result;
  }
  HALVOREN_EXACT_INLINE uint8_t RotateRight(uint8_t v) {
    const uint8_t result = static_cast<uint8_t>((v >> 1) | ((p & kC) << 7));
    SetFlag(kC, v & 1);
    return result;
  }
  HALVOREN_EXACT_INLINE void Branch(bool taken);
  HALVOREN_EXACT_INLINE void JumpBack(uint16_t target);
  HALVOREN_EXACT_INLINE void LoopEdge();
  HALVOREN_EXACT_INLINE void Interrupt(uint16_t vector);
  HALVOREN_EXACT_INLINE bool PollInterrupts();
  HALVOREN_EXACT_INLINE void Load();
  HALVOREN_EXACT_INLINE void Save();
  HALVOREN_EXACT_INLINE void Trace() const;
  HALVOREN_EXACT_INLINE bool Execute(uint8_t opcode);

  // One line per operation reads like the instruction set; each takes the row's addressing
  // and page cycle.
  // clang-format off
#define HALVOREN_OP(name) template <Am M, int P> HALVOREN_EXACT_INLINE void name()
  // --- Official ---
  HALVOREN_OP(LDA) { SetNZ(a = Operand<M, P>()); }
  HALVOREN_OP(LDX) { SetNZ(x = Operand<M, P>()); }
  HALVOREN_OP(LDY) { SetNZ(y = Operand<M, P>()); }
  HALVOREN_OP(STA) { Store<M, P>(a); }
  HALVOREN_OP(STX) { Store<M, P>(x); }
  HALVOREN_OP(STY) { Store<M, P>(y); }
  HALVOREN_OP(TAX) { SetNZ(x = a); }
  HALVOREN_OP(TAY) { SetNZ(y = a); }
  HALVOREN_OP(TXA) { SetNZ(a = x); }
  HALVOREN_OP(TYA) { SetNZ(a = y); }
  HALVOREN_OP(TSX) { SetNZ(x = s); }
  HALVOREN_OP(TXS) { s = x; }
  HALVOREN_OP(ADC) { Add(Operand<M, P>()); }
  HALVOREN_OP(SBC) { Add(Operand<M, P>() ^ 0xFF); }
  HALVOREN_OP(AND) { SetNZ(a &= Operand<M, P>()); }
  HALVOREN_OP(ORA) { SetNZ(a |= Operand<M, P>()); }
  HALVOREN_OP(EOR) { SetNZ(a ^= Operand<M, P>()); }
  HALVOREN_OP(CMP) { Compare(a, Operand<M, P>()); }
  HALVOREN_OP(CPX) { Compare(x, Operand<M, P>()); }
  HALVOREN_OP(CPY) { Compare(y, Operand<M, P>()); }
  HALVOREN_OP(BIT) {
    const uint8_t v = Operand<M, P>();
    p = static_cast<uint8_t>((p & ~(kN | kV | kZ)) | (v & (kN | kV)) | ((a & v) ? 0 : kZ));
  }
  HALVOREN_OP(INC) { Modify<M, P>([](uint8_t v) { return static_cast<uint8_t>(v + 1); }); }
  HALVOREN_OP(DEC) { Modify<M, P>([](uint8_t v) { return static_cast<uint8_t>(v - 1); }); }
  HALVOREN_OP(ASL) { Modify<M, P>([this](uint8_t v) { return ShiftLeft(v); }); }
  HALVOREN_OP(LSR) { Modify<M, P>([this](uint8_t v) { return ShiftRight(v); }); }
  HALVOREN_OP(ROL) { Modify<M, P>([this](uint8_t v) { return RotateLeft(v); }); }
  HALVOREN_OP(ROR) { Modify<M, P>([this](uint8_t v) { return RotateRight(v); }); }
  HALVOREN_OP(INX) { SetNZ(++x); }
  HALVOREN_OP(INY) { SetNZ(++y); }
  HALVOREN_OP(DEX) { SetNZ(--x); }
  HALVOREN_OP(DEY) { SetNZ(--y); }
  HALVOREN_OP(CLC) { p &= ~kC; }
  HALVOREN_OP(SEC) { p |= kC; }
  HALVOREN_OP(CLV) { p &= ~kV; }
  HALVOREN_OP(CLD) { p &= ~kD; }
  HALVOREN_OP(SED) { p |= kD; }
  HALVOREN_OP(CLI) { polledI = p & kI; p &= ~kI; }
  HALVOREN_OP(SEI) { polledI = p & kI; p |= kI; }
  HALVOREN_OP(PLP) { polledI = p & kI; SetStatus(Pull()); }
  HALVOREN_OP(PHP) { Push(p | kB | kBit5); }
  HALVOREN_OP(PHA) { Push(a); }
  HALVOREN_OP(PLA) { SetNZ(a = Pull()); }
  HALVOREN_OP(BPL) { Branch(!(p & kN)); }
  HALVOREN_OP(BMI) { Branch(p & kN); }
  HALVOREN_OP(BVC) { Branch(!(p & kV)); }
  HALVOREN_OP(BVS) { Branch(p & kV); }
  HALVOREN_OP(BCC) { Branch(!(p & kC)); }
  HALVOREN_OP(BCS) { Branch(p & kC); }
  HALVOREN_OP(BNE) { Branch(!(p & kZ)); }
  HALVOREN_OP(BEQ) { Branch(p & kZ); }
  HALVOREN_OP(JMP) {
    const uint16_t target = Fetch16();
    if constexpr (M == Am::Abs) {
      JumpBack(target);
    } else {  // the pointer's high byte comes from the same page
      const uint16_t high = static_cast<uint16_t>((target & 0xFF00) | ((target + 1) & 0x00FF));
      pc = static_cast<uint16_t>(Read(target) | (Read(high) << 8));
    }
  }
  HALVOREN_OP(JSR) {
    const uint8_t low = Fetch();
    Push(static_cast<uint8_t>(pc >> 8));  // the address of the last operand byte
    Push(static_cast<uint8_t>(pc));
    pc = static_cast<uint16_t>(low | (Read(pc) << 8));
  }
  HALVOREN_OP(RTS) {
    const uint8_t low = Pull();
    pc = static_cast<uint16_t>((low | (Pull() << 8)) + 1);
  }
  HALVOREN_OP(RTI) {
    SetStatus(Pull());
    const uint8_t low = Pull();
    pc = static_cast<uint16_t>(low | (Pull() << 8));
  }
  HALVOREN_OP(BRK) {
    ++pc;  // the padding byte
    Push(static_cast<uint8_t>(pc >> 8));
    Push(static_cast<uint8_t>(pc));
    Push(p | kB | kBit5);
    p |= kI;
    pc = ReadWord(0xFFFE);
  }
  HALVOREN_OP(NOP) { if constexpr (M != Am::Imp) Operand<M, P>(); }

  // --- Unofficial, stable ---
  HALVOREN_OP(LAX) { SetNZ(a = x = Operand<M, P>()); }
  HALVOREN_OP(SAX) { Store<M, P>(a & x); }
  HALVOREN_OP(SLO) { SetNZ(a |= Modify<M, P>([this](uint8_t v) { return ShiftLeft(v); })); }
  HALVOREN_OP(RLA) { SetNZ(a &= Modify<M, P>([this](uint8_t v) { return RotateLeft(v); })); }
  HALVOREN_OP(SRE) { SetNZ(a ^= Modify<M, P>([this](uint8_t v) { return ShiftRight(v); })); }
  HALVOREN_OP(RRA) { Add(Modify<M, P>([this](uint8_t v) { return RotateRight(v); })); }
  HALVOREN_OP(DCP) { Compare(a, Modify<M, P>([](uint8_t v) { return static_cast<uint8_t>(v - 1); })); }
  HALVOREN_OP(ISB) { Add(Modify<M, P>([](uint8_t v) { return static_cast<uint8_t>(v + 1); }) ^ 0xFF); }
  HALVOREN_OP(ANC) { SetNZ(a &= Operand<M, P>()); SetFlag(kC, a & 0x80); }
  HALVOREN_OP(ALR) { a = ShiftRight(a & Operand<M, P>()); SetNZ(a); }
  HALVOREN_OP(ARR) {
    a = static_cast<uint8_t>(((a & Operand<M, P>()) >> 1) | ((p & kC) << 7));
    SetNZ(a);
    SetFlag(kC, a & 0x40);
    SetFlag(kV, ((a >> 6) ^ (a >> 5)) & 1);
  }
  HALVOREN_OP(SBX) {
    const uint8_t operand = Operand<M, P>();
    SetFlag(kC, (a & x) >= operand);
    SetNZ(x = static_cast<uint8_t>((a & x) - operand));
  }

  // --- Unofficial, unstable: the behaviour most consoles show ---
  HALVOREN_OP(ANE) { SetNZ(a = (a | 0xEE) & x & Operand<M, P>()); }
  HALVOREN_OP(LXA) { SetNZ(a = x = Operand<M, P>()); }  // (A OR $FF) AND operand
  HALVOREN_OP(LAS) { SetNZ(a = x = s = Operand<M, P>() & s); }
  HALVOREN_OP(SHA) { StoreHigh<M>(a & x); }
  HALVOREN_OP(SHX) { StoreHigh<M>(x); }
  HALVOREN_OP(SHY) { StoreHigh<M>(y); }
  HALVOREN_OP(TAS) { s = a & x; StoreHigh<M>(s); }
  HALVOREN_OP(JAM) {}  // never runs: the dispatch halts first
#undef HALVOREN_OP
  // clang-format on
};

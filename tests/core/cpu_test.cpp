// The 6502 interpreter on both cores: instruction semantics and addressing quirks; where the
// cores differ: which opcodes each knows and what it charges, the halt on an unknown opcode,
// and how each forms its scanline budget; the interrupt entries.
#include <set>
#include <tuple>

#include "cart/board_table.h"
#include "core/trace.h"
#include "support/fixture.h"

namespace {

// A console with a program placed straight into CPU memory, run on either core.
class CpuTest : public MachineTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    UseMainCore = GetParam(), m().S = 0xFD, m().P = 0x24;
  }

  bool MainCore() const { return GetParam(); }
  // Places code at `at` followed by a jump to itself, which burns whatever budget is left,
  // and points PC at it.
  void Program(const std::vector<uint8_t>& code, uint16_t at = 0x8000) {
    const auto loop = static_cast<uint16_t>(at + code.size());
    Place(at, code), Place(loop, {0x4C, uint8_t(loop), uint8_t(loop >> 8)}), m().PC = at;
  }
  void Place(uint16_t at, const std::vector<uint8_t>& bytes) {
    for (uint8_t byte : bytes) m().CpuMemory[at++] = byte;
  }
  void RunLine() { MainCore() ? m().RunCpuScanline() : m().RunCpuScanlineAlt(); }
};

struct Case {
  std::vector<uint8_t> code;
  uint8_t a, p, wantA, wantP;  // before, and after in the main core
  uint8_t altDiff = 0;         // bits of A and P that differ in the alternate core
  int onlyCore = -1;           // 1: an opcode only the main core knows, 0: only the other
};

// Work RAM for every case, cleared elsewhere: pointers at $0010 and $00FF, and bytes that tell
// a correctly computed address from a wrongly wrapped or carried one.
// clang-format off
const std::pair<uint16_t, uint8_t> kScene[] = {
    {0x0000, 0x04}, {0x0001, 0x42}, {0x0010, 0x00}, {0x0011, 0x03}, {0x00FF, 0x00},
    {0x0100, 0x03}, {0x0110, 0x6B}, {0x0300, 0xCF}, {0x0305, 0xAB}, {0x0400, 0x5A},
    {0x0405, 0xCD}, {0x0200, 0x80}, {0x02FF, 0x08}};

const Case kCases[] = {
    // ADC: decimal ignored, signed overflow, carry out to zero, $FF carries nothing. SBC:
    // overflow, borrow out, borrow in, decimal ignored. CMP greater (N set), CPX equal, CPY less.
    {{0x69, 0x01}, 0x09, 0x08, 0x0A, 0x08}, {{0x69, 0x50}, 0x50, 0, 0xA0, 0xC0},
    {{0x69, 0x01}, 0xFF, 0, 0, 0x03}, {{0x69, 0x0F}, 0xF0, 0, 0xFF, 0x80},
    {{0xE9, 0xB0}, 0x50, 0x01, 0xA0, 0xC0}, {{0xE9, 0xFF}, 0x70, 0x01, 0x71, 0},
    {{0xE9, 0x01}, 0, 0, 0xFE, 0x80}, {{0xE9, 0x01}, 0x10, 0x09, 0x0F, 0x09},
    {{0xC9, 0x01}, 0xF0, 0, 0xF0, 0x81}, {{0xAA, 0xE0, 0x40}, 0x40, 0, 0x40, 0x03},
    {{0xA8, 0xC0, 0x41}, 0x40, 0, 0x40, 0x80},
    // AND to zero, ORA sets N, EOR to zero; ASL carries bit 7, LSR clears N, ROL and ROR shift
    // the carry in; BIT zp takes N and V from the byte.
    {{0x29, 0x0F}, 0xF0, 0x80, 0, 0x02}, {{0x09, 0x80}, 0x01, 0x02, 0x81, 0x80},
    {{0x49, 0xFF}, 0xFF, 0, 0, 0x02}, {{0x0A}, 0x81, 0, 0x02, 0x01}, {{0x4A}, 0x01, 0x80, 0, 0x03},
    {{0x2A}, 0x80, 0x01, 0x01, 0x01}, {{0x6A}, 0x01, 0x01, 0x80, 0x81},
    {{0x24, 0x11}, 0x04, 0xC1, 0x04, 0x03},
    // SEC SED SEI; CLC CLV CLD CLI; TXS sets no flag; TSX sets N; DEX wraps; DEC zp, ASL abs,
    // ROR zp,X, INC abs,X.
    {{0x38, 0xF8, 0x78}, 0, 0, 0, 0x0D}, {{0x18, 0xB8, 0xD8, 0x58}, 0, 0xDF, 0, 0x92},
    {{0xA2, 0x80, 0xA9, 0x01, 0x9A}, 0, 0, 0x01, 0}, {{0xBA, 0x8A}, 0, 0, 0xFD, 0x80},
    {{0xA2, 0x00, 0xCA, 0x8A}, 0, 0, 0xFF, 0x80}, {{0xC6, 0x10}, 0, 0, 0, 0x80},
    {{0x0E, 0x00, 0x03}, 0, 0, 0, 0x81}, {{0xA2, 0x01, 0x76, 0x10}, 0, 0, 0, 0x01},
    {{0xA2, 0x01, 0xFE, 0xFF, 0x02}, 0, 0, 0, 0x80},
    // The extra opcodes both cores know: INC A, BIT (zp,X), ORA/AND/EOR/CMP (zp), PHX.
    {{0x1A}, 0xFF, 0, 0, 0x02}, {{0x34, 0x10}, 0x30, 0, 0x30, 0xC2},
    {{0x12, 0x10}, 0x30, 0, 0xFF, 0x80}, {{0x32, 0x10}, 0x3C, 0, 0x0C, 0},
    {{0x52, 0x10}, 0x3C, 0, 0xF3, 0x80}, {{0xD2, 0x10}, 0xCF, 0, 0xCF, 0x03},
    {{0xA2, 0x90, 0xDA, 0x68}, 0, 0, 0x90, 0x80},
    // Extra opcodes of one core (the opcode sweep shows the other core halting on them): PHY,
    // BRA and the skipping NOP in the main core, PLX in the alternate one.
    {{0xA0, 0x77, 0x5A, 0x68}, 0, 0, 0x77, 0, 0, 1}, {{0x80, 0x02, 0xA9, 0x01}, 0, 0, 0, 0, 0, 1},
    {{0xD4, 0xA9, 0xA9, 0x05}, 0, 0, 0x05, 0, 0, 1},
    {{0xA2, 0x90, 0xDA, 0xA2, 0x00, 0xFA, 0x8A}, 0, 0, 0x90, 0x80, 0, 0},
    // JMP ($02FF) takes its high byte from $0200, not $0300: LDA #$11 at $8008.
    {{0x6C, 0xFF, 0x02, 0xA9, 0x22, 0x4C, 0x0A, 0x80, 0xA9, 0x11}, 0, 0, 0x11, 0},
    // PHP; PLA: the alternate core pushes the status with bit 5 clear. PLP replaces the status.
    {{0x08, 0x68}, 0, 0x24, 0x24, 0x24, 0x20}, {{0x48, 0x28}, 0xDF, 0, 0xDF, 0xDF},
    // S = 0: PHA writes $0100; PLA; ORA $0100.
    {{0xA2, 0x00, 0x9A, 0x48, 0xA9, 0x01, 0x68, 0x0D, 0x00, 0x01}, 0x80, 0, 0x80, 0x80},
    // JSR $8007; TXA; JMP past; LDX $01FC; RTS: A = the low byte JSR pushed, $8002.
    {{0x20, 0x07, 0x80, 0x8A, 0x4C, 0x0B, 0x80, 0xAE, 0xFC, 0x01, 0x60}, 0, 0, 0x02, 0},
    // Addressing: loads show the byte reached, stores are read back. (zp),Y with the pointer at
    // $FF takes its high byte from $0100; (zp,X) wraps; zp,Y and zp,X wrap in page
    // zero for LDX and STX; abs,X wraps past $FFFF; abs,Y crosses a page; INC abs through the
    // bus; STA (zp),Y and (zp,X); the extra (zp) load and store with the pointer wrapping.
    {{0xA0, 0x05, 0xB1, 0xFF}, 0, 0, 0xAB, 0x80}, {{0xA1, 0xFF}, 0, 0, 0x5A, 0},
    {{0xA0, 0x20, 0xB6, 0xF0, 0x8A}, 0, 0, 0x6B, 0},
    {{0xA2, 0x77, 0xA0, 0x20, 0x96, 0xF0, 0xA5, 0x10}, 0, 0, 0x77, 0},
    {{0xA2, 0x20, 0xB5, 0xF1}, 0, 0, 0x03, 0}, {{0xA2, 0x02, 0xBD, 0xFF, 0xFF}, 0, 0, 0x42, 0},
    {{0xA0, 0x06, 0xB9, 0xFF, 0x03}, 0, 0, 0xCD, 0x80},
    {{0xEE, 0x00, 0x08, 0xA5, 0x00}, 0, 0, 0x05, 0},
    {{0xA0, 0x80, 0x91, 0x10, 0xAD, 0x80, 0x03}, 0x99, 0, 0x99, 0x80},
    {{0xA2, 0x02, 0x81, 0x0E, 0xAD, 0x00, 0x03}, 0x99, 0, 0x99, 0x80},
    {{0xB2, 0xFF}, 0, 0, 0x5A, 0}, {{0x92, 0xFF, 0xAD, 0x00, 0x04}, 0x5E, 0, 0x5E, 0},
};
// clang-format on

TEST_P(CpuTest, InstructionsAndAddressingModes) {
  for (const Case& test : kCases) {
    if (test.onlyCore >= 0 && test.onlyCore != MainCore()) continue;
    std::memset(m().CpuMemory, 0, 0x800);
    for (const auto& [address, value] : kScene) m().CpuMemory[address] = value;
    Program(test.code), m().A = test.a, m().X = m().Y = 0, m().P = test.p, m().S = 0xFD, RunLine();
    const uint8_t altDiff = MainCore() ? 0 : test.altDiff;
    EXPECT_EQ(std::tuple(m().A, m().P), std::tuple(test.wantA ^ altDiff, test.wantP ^ altDiff))
        << ::testing::PrintToString(test.code);
  }
}

// Opcode bits 7-6 pick the flag (N, V, C, Z), bit 5 the value that takes the branch.
TEST_P(CpuTest, BranchesTakenAndNotTaken) {
  const uint8_t flags[4] = {0x80, 0x40, 0x01, 0x02};
  for (int opcode = 0x10; opcode < 0x100; opcode += 0x20) {
    for (int taken : {1, 0}) {
      Program({static_cast<uint8_t>(opcode), 0x01, 0xE8});  // skips INX when taken
      m().X = 0, m().P = ((opcode >> 5) & 1) == taken ? flags[opcode >> 6] : 0, RunLine();
      EXPECT_EQ(m().X, 1 - taken) << "opcode " << opcode << " taken " << taken;
    }
  }
}

// With I set the main core takes BRK as usual; the alternate core ignores it (7 cycles, then
// the byte after the opcode).
TEST_P(CpuTest, BrkPushesNextByteAndRtiResumesThere) {
  // PHP; PLA; TAX; RTI: X = the status inside.
  Place(0xFFFE, {0x00, 0x90}), Place(0x9000, {0x08, 0x68, 0xAA, 0x40});
  Program({0x00, 0xA0, 0x07}, 0xC000), m().P = 0x21, RunLine();
  const uint8_t* stack = m().CpuMemory + 0x1FB;
  // X: I and B set, and the main core also sets bit 5; Y: resumed at $C001.
  EXPECT_EQ(std::tuple(stack[0], stack[1], stack[2], m().X, m().Y, m().P, m().S),
            MainCore() ? std::tuple(0x31, 0x01, 0xC0, 0x35, 0x07, 0x31, 0xFD)
                       : std::tuple(0x11, 0x01, 0xC0, 0x15, 0x07, 0x11, 0xFD));
  Program({0x00, 0xA0, 0x08}, 0xC000), m().X = 0, m().P = 0x04, RunLine();
  EXPECT_EQ(std::tuple(m().X, m().Y), std::tuple(MainCore() ? 0x34 : 0x00, 0x08));
}

// Base cycles of each opcode, row $x0-$xF per string; '.' = unknown in both cores. The 6502's
// published counts plus the extra opcodes; never a page-crossing or branch penalty.
constexpr const char* kCycleGrid[16] = {
    "7600035.322..46.", "255.046.244..47.", "66..335.422.446.", "255.446.24...47.",
    "66...35.322.346.", "255..46.243..47.", "66...35.422.546.", "25...46.24...47.",
    "36..333.202.4440", "265.444.252005..", "262.333.2220444.", "255.444.242.444.",
    "26..335.222.446.", "255.046.243..47.", "26..335.222.446.", "25..046.244..47.",
};

const std::set<int> kUnknownInMainOnly = {0xFA};
const std::set<int> kUnknownInAltOnly = {0x02, 0x14, 0x5A, 0x80, 0x89,
                                         0x8F, 0x9B, 0x9C, 0xAB, 0xD4};

// Memory is all $FF, unknown to both cores, and every operand is $FF, so wherever an
// instruction sends PC (jump, branch, vector, stack) the next fetch halts, whatever the
// registers hold. A budget of exactly the instruction's cycles must end the run before that
// fetch; one cycle more must reach it.
TEST_P(CpuTest, EachOpcodeIsKnownAndChargesItsBaseCycles) {
  for (int opcode = 0; opcode < 256; ++opcode) {
    SCOPED_TRACE(::testing::Message() << "opcode $" << std::hex << opcode);
    const int cycles = kCycleGrid[opcode >> 4][opcode & 15] - '0';
    const bool known =
        cycles >= 0 && !(MainCore() ? kUnknownInMainOnly : kUnknownInAltOnly).count(opcode);
    for (int extra : {0, 1}) {
      if (known && cycles == 0 && extra == 0) continue;  // a budget of 0 runs nothing
      std::memset(m().CpuMemory, 0xFF, sizeof m().CpuMemory);
      m().CpuMemory[0x8000] = static_cast<uint8_t>(opcode);
      m().PC = 0x8000, m().P = 0, CpuHalted = 0;  // I clear: the alternate core's BRK is taken
      // The budget of this run, on either core (each reads only its own adjustment).
      CycleAdjust = m().CycleCarry = static_cast<int16_t>((known ? cycles + extra : 1) - 114);
      RunLine();
      EXPECT_EQ(CpuHalted, known ? extra : 1u) << "charged other than " << cycles;
      if (!known) break;
    }
  }
}

TEST_P(CpuTest, UnknownOpcodeLogsFiveLinesAndHalts) {
  Program({0xA9, 0x11, 0xA2, 0x22, 0xA0, 0x33, 0x18, 0x07});  // LDA, LDX, LDY, CLC, bad
  // The NMI and IRQ vectors.
  Place(0xFFFA, {0x23, 0x81, 0x00, 0x00, 0xBC, 0x9A});
  FrameCount = 7, m().A = 1, m().P = 0x25, m().CycleCarry = -3, RunLine();
  EXPECT_EQ(ReadLog(), "Bad opcode:7\nAt:32775\nFrame:7\nNMI vector:33059\nIRQ vector:39612\n");
  // No write-back of the working registers (A + X); the main core's P is live (the CLC
  // shows), the alternate core rebuilds nothing.
  EXPECT_EQ(std::tuple(CpuHalted, m().PC, m().A + m().X, m().P, m().CycleCarry),
            std::tuple(1u, 0x8008, 1, MainCore() ? 0x24 : 0x25, -3));
}

// 200 zero-cycle no-ops spend nothing; LDA zp and 55 NOPs leave 1 cycle; ASL abs,X (7) still
// runs, leaving -6, which only the alternate core carries into the next run.
TEST_P(CpuTest, LastInstructionCompletesAndOnlyTheAlternateCoreCarriesTheRest) {
  std::memset(m().CpuMemory + 0x8000, 0xEA, 0x300), std::memset(m().CpuMemory + 0x8000, 0x03, 200);
  Place(0x8000 + 200, {0xA5, 0x10}), Place(0x8000 + 202 + 55, {0x1E, 0x00, 0x03});
  const uint16_t afterAsl = 0x8000 + 202 + 55 + 3;
  m().PC = 0x8000, RunLine();
  EXPECT_EQ(std::tuple(m().PC, m().CycleCarry), std::tuple(afterAsl, MainCore() ? 0 : -6));
  CycleAdjust = 4, RunLine();  // the main core's adjustment; the alternate core ignores it
  // Alternate: 114 - 6 = 108 cycles.
  EXPECT_EQ(std::tuple(m().PC, m().CycleCarry), std::tuple(afterAsl + (MainCore() ? 59 : 54), 0));
}

// The trace shows the two instructions, each line with the registers before it.
TEST_P(CpuTest, WaitingForVblankEndsTheRunAtOnce) {
  Place(0x8000, {0xAD, 0x02, 0x20, 0x10, 0xFB});  // LDA $2002; BPL back onto it
  m().PC = 0x8000, m().A = 0x11, TraceFile = std::tmpfile(), RunLine();
  char trace[100] = {};
  std::rewind(TraceFile), std::fread(trace, 1, sizeof trace - 1, TraceFile);
  std::fclose(TraceFile), TraceFile = nullptr;
  const std::string bit5 = MainCore() ? "2" : "0";  // the high digit of P
  EXPECT_EQ(trace, "8000  AD 02 20  A:11 X:00 Y:00 P:" + bit5 + "4 SP:FD\n" +
                       "8003  10 FB     A:00 X:00 Y:00 P:" + bit5 + "6 SP:FD\n");
  EXPECT_EQ(std::tuple(m().PC, m().CycleCarry), std::tuple(0x8000, MainCore() ? 0 : -1));
  // A branch back onto other code is interpreted: INC $0300; BPL, 8 cycles a turn.
  Place(0x8000, {0xEE, 0x00, 0x03}), m().CycleCarry = 0, RunLine();
  EXPECT_EQ(m().CpuMemory[0x300], 15);
}

// Interrupt entries, taken between two runs through the board table. Boards with scanline
// counters push P with bit 4 cleared. With I set the IRQ waits, except on mapper 91.
TEST_P(CpuTest, IrqEntry) {
  m().CpuMemory[0xFFFE] = 0x10, m().CpuMemory[0xFFFF] = 0x90;
  for (int mapper :
       {4, 26, 73, 74, 118, 160, 161, 245, 249, 6, 16, 17, 18, 19, 21, 23, 24, 25, 69, 91}) {
    SCOPED_TRACE(mapper);
    const bool cleared = mapper == 4 || mapper == 26 || (mapper >= 73 && mapper != 91);
    MapperNumber = static_cast<uint8_t>(mapper);
    for (uint8_t p : {0x30, 0x34}) {
      m().S = 0xFD, m().P = p, m().PC = 0xC123;
      mapper == 91 ? TakeBoardIrqAlways(m()) : TakeBoardIrq(m());
      const bool taken = p == 0x30 || mapper == 91;
      EXPECT_EQ(std::tuple(m().S, m().PC, m().CpuMemory[0x1FB], m().P),
                std::tuple(taken ? 0xFA : 0xFD, taken ? 0x9010 : 0xC123,
                           (cleared ? 0x20 : 0x30) | (taken ? p & 4 : 0), 0x34));
    }
  }
}

// The frame is counted either way; the I flag never blocks the NMI, and the handler returns
// through the program's own RTI in either core. A mapper-4 cartridge with a trainer enters
// the NMI at $7000, where the trainer was loaded.
TEST_P(CpuTest, NmiCountsTheFrameEntersOnlyWhenEnabledAndReturns) {
  Place(0xFFFA, {0x00, 0x90}), Place(0x9000, {0xE6, 0x10, 0x40});  // INC $10; RTI
  Program({}, 0xC123), FrameCount = 0xFFFFFFFF, m().TakeNmi();
  EXPECT_EQ(std::tuple(FrameCount, m().PC), std::tuple(0u, 0xC123));
  m().CpuMemory[kPpuControl] = 0x80, m().TakeNmi();
  const uint8_t* stack = m().CpuMemory + 0x1FB;
  EXPECT_EQ(std::tuple(stack[0], stack[1], stack[2], m().S, m().P, m().PC),
            std::tuple(0x24, 0x23, 0xC1, 0xFA, 0x24, 0x9000));
  RunLine();
  EXPECT_EQ(std::tuple(m().CpuMemory[0x10], m().PC, m().S), std::tuple(1, 0xC123, 0xFD));
  TrainerPresent = 1, SelectBoard(m(), 4), m().TakeNmi();
  EXPECT_EQ(m().PC, 0x7000);
}

// Reset enters at the reset vector with P $20 and S $FF, the frame count at 0, the PPU address
// latches cleared, the display on and the sound and pad registers at their start values; A, X, Y,
// work RAM, port 2's read index and the halt flag stay as they were.
TEST_P(CpuTest, ResetEntersAtTheVectorAndKeepsTheRest) {
  Place(0xFFFC, {0x34, 0x92});
  m().A = 1, m().X = 2, m().Y = 3, m().P = 0xFF, m().S = 0x10, m().CpuMemory[0x0300] = 0x77;
  m().VramAddress = 0x2345, m().WriteToggle = 1, m().AddressJustSet = 0, CpuHalted = 1;
  m().PadReadIndex[0] = 5, m().PadReadIndex[1] = 6, m().FirstSelectPending = 0, FrameCount = 99;
  m().ResetCpu();
  const uint8_t* io = m().CpuMemory;
  EXPECT_EQ(std::tuple(m().PC, m().P, m().S, FrameCount, io[0x4011], io[0x4016], io[0x4017],
                       io[kPpuMask], m().VramAddress, m().WriteToggle, m().AddressJustSet),
            std::tuple(0x9234, 0x20, 0xFF, 0u, 0x80, 0x42, 0x42, 0x18, 0, 0, 1));
  EXPECT_EQ(std::tuple(m().PadReadIndex[0], m().PadReadIndex[1], m().FirstSelectPending, m().A,
                       m().X, m().Y, io[0x0300], CpuHalted),
            std::tuple(0, 6, 1, 1, 2, 3, 0x77, 1u));
}

// Code runs alike wherever it lies: in ROM, in RAM and its mirrors, in PRG RAM, and across the
// end of memory, with JSR's operand split over $FFFF and $0000 (its return lands on $0001).
// LDA #$5A; LDX #3; JSR $9000 (STA $0300,X; RTS); INX; TXA.
TEST_P(CpuTest, CodeRunsAlikeFromEveryRegion) {
  const std::vector<uint8_t> code = {0xA9, 0x5A, 0xA2, 0x03, 0x20, 0x00, 0x90, 0xE8, 0x8A};
  Place(0x9000, {0x9D, 0x00, 0x03, 0x60});
  const std::pair<uint16_t, uint16_t> kPlacedAndRunFrom[] = {
      {0x8000, 0x8000}, {0x0200, 0x0200}, {0x0200, 0x0A00}, {0x6000, 0x6000}, {0xFFFA, 0xFFFA}};
  for (const auto& [at, from] : kPlacedAndRunFrom) {
    std::memset(m().CpuMemory, 0, 0x800), Program(code, at), m().PC = from, m().S = 0xFD, RunLine();
    EXPECT_EQ(std::tuple(m().A, m().CpuMemory[0x303], m().S), std::tuple(4, 0x5A, 0xFD)) << from;
  }
}

INSTANTIATE_TEST_SUITE_P(Cores, CpuTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Main" : "Alt"; });

}  // namespace

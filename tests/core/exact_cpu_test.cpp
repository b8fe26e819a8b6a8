// The exact CPU kind: its cycle table against the published 6502 grid, what each instruction
// charges when run, the unofficial opcodes, branch and page-crossing timing, the status bits
// pushed, interrupt polling, and the dummy bus accesses that devices can see.
#include <algorithm>
#include <cstring>
#include <tuple>
#include <vector>

#include "core/cpu_exact_opcodes.h"
#include "state/state_image.h"
#include "support/cartridge_run.h"

namespace {

// Base cycles of every NMOS 6502 opcode, a row per high nibble, a digit per low nibble; 0 for
// the twelve that jam the CPU. Typed from the published opcode matrix, apart from the table.
// clang-format off
constexpr const char* kPublishedCycles[16] = {
    "7608335532224466", "2508446624274477", "6608335542224466", "2508446624274477",
    "6608335532223466", "2508446624274477", "6608335542225466", "2508446624274477",
    "2626333322224444", "2606444425255555", "2626333322224444", "2505444424244444",
    "2628335522224466", "2508446624274477", "2628335522224466", "2508446624274477",
};
// The opcodes that take one more cycle when their index carries into the next page (and the
// branches, whose taken cycles come on top).
constexpr uint8_t kPageCrossing[] = {
    0x10, 0x11, 0x19, 0x1C, 0x1D, 0x30, 0x31, 0x39, 0x3C, 0x3D, 0x50, 0x51, 0x59, 0x5C,
    0x5D, 0x70, 0x71, 0x79, 0x7C, 0x7D, 0x90, 0xB0, 0xB1, 0xB3, 0xB9, 0xBB, 0xBC, 0xBD,
    0xBE, 0xBF, 0xD0, 0xD1, 0xD9, 0xDC, 0xDD, 0xF0, 0xF1, 0xF9, 0xFC, 0xFD};
// clang-format on

constexpr uint8_t kJam = 0x02;

struct Registers {
  uint8_t a = 0, x = 0, y = 0, p = 0x24, s = 0xFD;
};

class ExactCpuTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    // Code space jams wherever a jump lands; the IRQ/BRK vector points at a jam at $9000.
    ExactMode = 1, std::memset(m().CpuMemory + 0x8000, kJam, 0x8000);
    m().CpuMemory[0xFFFE] = 0x00, m().CpuMemory[0xFFFF] = 0x90;
  }
  void Set(const Registers& r) { m().A = r.a, m().X = r.x, m().Y = r.y, m().P = r.p, m().S = r.s; }
  // Runs `code` at `origin`, line by line, up to the jam the CPU then meets; returns the cycles
  // charged.
  int Run(const std::vector<uint8_t>& code, uint16_t origin = 0x8000) {
    std::copy(code.begin(), code.end(), m().CpuMemory + origin);
    m().CpuMemory[origin + code.size()] = kJam;
    m().PC = origin, m().CycleCarry = 0, m().CycleThirds = 0, CpuHalted = 0;
    int given = 0;
    for (int line = 0; line < 8 && !CpuHalted; ++line)
      given += (341 + m().CycleThirds) / 3, m().RunCpuScanlineExact();
    EXPECT_TRUE(CpuHalted) << "the program never reached its end";
    return given - m().CycleCarry;
  }
};

// Every opcode's row against the published grid. With no page crossed, every opcode but the
// jams and branches charges its published cycles when run; operands point into RAM that jams
// too, as do the stack's return addresses.
TEST_F(ExactCpuTest, EveryOpcodeMatchesThePublishedGridAndChargesIt) {
  for (int opcode = 0; opcode < 256; ++opcode) {
    SCOPED_TRACE(opcode);
    const ExactOpcodeInfo& row = kExactOpcodeTable[opcode];
    const int cycles = kPublishedCycles[opcode >> 4][opcode & 15] - '0';
    const bool crossing = std::count(std::begin(kPageCrossing), std::end(kPageCrossing), opcode);
    EXPECT_EQ(std::tuple(row.Cycles, row.PagePenalty, row.Kind == OpcodeKind::Jam),
              std::tuple(cycles, crossing ? 1 : 0, cycles == 0));  // 0: a jam
    if (cycles == 0 || row.Addressing == ExactAddressing::Rel) continue;
    std::memset(m().CpuMemory, kJam, 0x800);
    // (zp) pointers: $0320; RTS returns to $0202; RTI pulls $01, returns to $0202.
    m().CpuMemory[0x10] = 0x20, m().CpuMemory[0x11] = 0x03, m().CpuMemory[0x1FE] = 0x01;
    std::vector<uint8_t> code = {static_cast<uint8_t>(opcode), 0x10, 0x03};
    code.resize(ExactInstructionLength(static_cast<uint8_t>(opcode))), Set({});
    EXPECT_EQ(Run(code), cycles);
  }
}

struct Case {
  std::vector<uint8_t> code;
  Registers before, after;
  int cycles;
  uint16_t cell = 0x0320;  // a memory byte set before and checked after
  uint8_t cellBefore = 0, cellAfter = 0;
  uint16_t origin = 0x8000;
  bool irq = false;  // the IRQ line held from the start
};

// Work RAM for every case: (zp) pointers at $10 ($0320) and $12 ($02F0), JMP ($02FF)'s bytes.
// clang-format off
const std::pair<uint16_t, uint8_t> kScene[] = {
    {0x10, 0x20}, {0x11, 0x03}, {0x12, 0xF0}, {0x13, 0x02}, {0x2FF, 0x00}, {0x200, 0x90}};

const Case kCases[] = {
    // Unofficial opcodes, results and flags: LAX zp; SAX stores A AND X; DCP decrements then
    // compares; ISB increments then subtracts; SLO shifts then ORs; RLA rotates then ANDs; SRE
    // shifts then EORs; RRA rotates then adds; ANC copies N into C; ALR ANDs then shifts; ARR's
    // carry from bit 6 and overflow from bits 6 and 5; SBX subtracts from A AND X; $EB is SBC;
    // LXA loads A and X; LAS ANDs with S; SHX ANDs with the high byte plus one; the unofficial
    // NOPs read and take their cycles. ADC ignores decimal.
    {{0xA7, 0x20}, {}, {0x85, 0x85, 0, 0xA4}, 3, 0x20, 0x85, 0x85},
    {{0x8F, 0x20, 0x03}, {0xF0, 0x3C}, {0xF0, 0x3C}, 4, 0x0320, 0, 0x30},
    {{0xC7, 0x20}, {0x40}, {0x40, 0, 0, 0x27}, 5, 0x20, 0x41, 0x40},
    {{0xE7, 0x20}, {0x50, 0, 0, 0x25}, {0x40, 0, 0, 0x25}, 5, 0x20, 0x0F, 0x10},
    {{0x0F, 0x20, 0x03}, {0x10}, {0x12, 0, 0, 0x25}, 6, 0x0320, 0x81, 0x02},
    {{0x37, 0x1F}, {0xFF, 1, 0, 0x25}, {0x01, 1, 0, 0x25}, 6, 0x20, 0x80, 0x01},
    {{0x43, 0x10}, {0x01}, {0x00, 0, 0, 0x27}, 8, 0x0320, 0x03, 0x01},
    {{0x73, 0x10}, {0x01, 0, 0, 0x25}, {0x82, 0, 0, 0xA4}, 8, 0x0320, 0x02, 0x81},
    {{0x0B, 0x80}, {0xFF}, {0x80, 0, 0, 0xA5}, 2}, {{0x4B, 0x03}, {0xFF}, {0x01, 0, 0, 0x25}, 2},
    {{0x6B, 0xFF}, {0xC0, 0, 0, 0x25}, {0xE0, 0, 0, 0xA5}, 2},
    {{0x6B, 0xFF}, {0x40}, {0x20, 0, 0, 0x64}, 2},
    {{0xCB, 0x02}, {0x0F, 0xF3}, {0x0F, 0x01, 0, 0x25}, 2},
    {{0xEB, 0x01}, {0x10, 0, 0, 0x25}, {0x0F, 0, 0, 0x25}, 2}, {{0xAB, 0x5A}, {}, {0x5A, 0x5A}, 2},
    {{0xBB, 0x20, 0x03}, {}, {0xF1, 0xF1, 0, 0xA4, 0xF1}, 4, 0x0320, 0xF3, 0xF3},
    {{0x9E, 0x20, 0x03}, {0, 0xFF}, {0, 0xFF}, 5, 0x0320, 0, 0x04},
    {{0x1A, 0x80, 0x55, 0x14, 0x10, 0x04, 0x10, 0x0C, 0x00, 0x03}, {}, {}, 15},
    {{0x69, 0x01}, {0x09, 0, 0, 0x2C}, {0x0A, 0, 0, 0x2C}, 2},
    // Page crossings: reads pay one cycle (NOP abs,X, LDA abs,X and (zp),Y), stores and
    // read-modify-writes always take the most. Sprite DMA stalls the CPU; JMP ($02FF) wraps in
    // the page.
    {{0x1C, 0xF0, 0x02}, {0, 0x20}, {0, 0x20}, 5},
    {{0xBD, 0xF0, 0x02}, {0, 0x30}, {0x77, 0x30, 0, 0x24}, 5, 0x0320, 0x77, 0x77},
    {{0xB1, 0x12}, {0, 0, 0x30}, {0x77, 0, 0x30, 0x24}, 6, 0x0320, 0x77, 0x77},
    {{0x9D, 0xF0, 0x02, 0xFE, 0xF0, 0x02}, {0x55, 0x30}, {0x55, 0x30}, 12, 0x0320, 0, 0x56},
    {{0x8D, 0x14, 0x40}, {}, {}, 4 + 513}, {{0x6C, 0xFF, 0x02}, {}, {}, 5},
    // Branches: 2 cycles not taken, 3 taken, 4 taken into another page.
    {{0xD0, 0x10}, {0, 0, 0, 0x26}, {0, 0, 0, 0x26}, 2},
    {{0xF0, 0x00}, {0, 0, 0, 0x26}, {0, 0, 0, 0x26}, 3},
    {{0xF0, 0x20}, {0, 0, 0, 0x26}, {0, 0, 0, 0x26}, 4, 0x0320, 0, 0, 0x80F0},
    // Status pushes: PHP and BRK set bits 4 and 5, an IRQ bit 5 alone; PLP keeps neither. A set
    // I masks the IRQ; CLI lets it in after one more instruction.
    {{0x08}, {}, {0, 0, 0, 0x24, 0xFC}, 3, 0x01FD, 0, 0x34},
    {{0x28}, {}, {0, 0, 0, 0xEF, 0xFE}, 4, 0x01FE, 0xDF, 0xDF},
    {{0x00}, {0, 0, 0, 0x20}, {0, 0, 0, 0x24, 0xFA}, 7, 0x01FB, 0, 0x30},
    {{}, {0, 0, 0, 0x20}, {0, 0, 0, 0x24, 0xFA}, 7, 0x01FB, 0, 0x20, 0x8000, true},
    {{0xEA}, {}, {}, 2, 0x0320, 0, 0, 0x8000, true},
    {{0x58, 0xEA}, {}, {0, 0, 0, 0x24, 0xFA}, 11, 0x01FC, 0, 0x02, 0x8000, true},
};
// clang-format on

TEST_F(ExactCpuTest, ProgramsGiveTheHardwaresResultsAndCycles) {
  for (const Case& test : kCases) {
    SCOPED_TRACE(::testing::PrintToString(test.code));  // cycles, A, X, Y, P, S, the cell
    std::memset(m().CpuMemory, 0, 0x800);
    for (const auto& [address, value] : kScene) m().CpuMemory[address] = value;
    m().CpuMemory[test.cell] = test.cellBefore, m().IrqLine = test.irq, Set(test.before);
    const int cycles = Run(test.code, test.origin);
    const Registers& r = test.after;
    EXPECT_EQ(std::tuple(cycles, m().A, m().X, m().Y, m().P, m().S, m().CpuMemory[test.cell]),
              std::tuple(test.cycles, r.a, r.x, r.y, r.p, r.s, test.cellAfter));
  }
}

// A jam stops the CPU for good through the usual halt. The dummy accesses that reach devices:
// an indexed read that carries reads the address before the carry first, a store reads its
// target first, and a read-modify-write writes the old value before the new one.
TEST_F(ExactCpuTest, JamsHaltAndDummyAccessesReachTheDevices) {
  Set({}), Run({0xEA}), m().RunCpuScanlineExact();  // and stays stopped
  EXPECT_EQ(std::tuple(FirstHaltOpcode, FirstHaltAddress, m().PC),
            std::tuple(kJam, 0x8001, 0x8002));
  // A $2002 read clears the write toggle (the store itself does not): LDA $20F2,X with X = $10
  // reads $2002 first, then $2102; STA $2002,X with X = 0 reads before the write.
  for (const auto& [code, index] : {std::pair{std::vector<uint8_t>{0xBD, 0xF2, 0x20}, 0x10},
                                    {std::vector<uint8_t>{0x9D, 0x02, 0x20}, 0}}) {
    m().WriteToggle = 1, Set({0, static_cast<uint8_t>(index)}), Run(code);
    EXPECT_EQ(m().WriteToggle, 0) << int{code[0]};
  }

  // LDA $2007 then INC $2007: one read, then INC's read and two writes, each moving the
  // address; the writes land side by side, the old value first.
  m().VramAddress = 0x2400;
  for (uint8_t i = 0; i < 4; ++i) m().PpuMemory[0x2400 + i] = static_cast<uint8_t>(0x10 * (i + 1));
  Set({}), Run({0xAD, 0x07, 0x20, 0xEE, 0x07, 0x20});
  const uint8_t* written = m().PpuMemory + 0x2402;
  EXPECT_EQ(std::tuple(m().VramAddress, written[0] != 0x30, written[1]),
            std::tuple(0x2404, true, written[0] + 1));
}

// The test cartridge shows the console's results (the scanline mode's pushes, branch cycles and
// halts are the two cores' own tests), and the state saves and loads without the exact mode's
// own fields.
class ExactCpuCartridgeTest : public CartridgeTest {};

TEST_F(ExactCpuCartridgeTest, ResultsAndStateOfTheExactMode) {
  ExactMode = 1, std::memset(m().CpuMemory, 0, 0x800);
  Start("exact_cpu.nes"), Frames(8);
  EXPECT_EQ(std::tuple(Ram(0x0300), Ram(0x0301), Ram(0x0304), Ram(0x0305), Ram(0x0306), Ram(0x03FF),
                       CpuHalted),
            std::tuple(0x34, 0x00, 0x85, 0x37, 0x40, 0xAA, 0u));
  // 262 lines of 113 2/3 cycles (113, 114, 114 in turn), 17 cycles a pass.
  EXPECT_NEAR(Ram(0x0302) | (Ram(0x0303) << 8), 29781 / 17, 4);
  // The state image leaves the exact mode's own fields out: a load starts them afresh.
  std::vector<uint8_t> image(kStateImageSize);
  WriteStateImage(m(), image.data());
  m().CycleThirds = 2, m().NmiPending = m().IrqLine = 1;
  ASSERT_EQ(LoadStateImage(m(), image.data(), image.size()), nullptr);
  EXPECT_EQ(m().CycleThirds + m().NmiPending + m().IrqLine, 0);
}

}  // namespace

// The exact kind's instruction set: all 256 opcodes of the NMOS 2A03 as one table, with the
// hardware's base cycles and whether crossing a page costs one more. Branches charge their
// taken and page-crossing cycles on their own (the penalty column marks them as well).
// The unofficial opcodes are the stable ones with their documented results; the unstable ones
// (ANE, LXA, SHA, SHX, SHY, TAS, LAS) do what most consoles do. Only the twelve JAM opcodes
// stop the CPU.
#pragma once

#include <array>
#include <cstdint>

enum class ExactAddressing : uint8_t {
  Imp,   // implied (also the one-byte NOPs)
  Acc,   // accumulator
  Imm,   // #nn
  Zp,    // nn
  ZpX,   // nn,X wrapping in page zero
  ZpY,   // nn,Y wrapping in page zero
  Abs,   // nnnn
  AbsX,  // nnnn,X
  AbsY,  // nnnn,Y
  IndX,  // (nn,X), pointer wraps in page zero
  IndY,  // (nn),Y, pointer wraps in page zero
  Ind,   // (nnnn), JMP only, the pointer's high byte read from the same page
  Rel,   // branch displacement
};

enum class OpcodeKind : uint8_t { Official, Unofficial, Unstable, Jam };

// clang-format off
#define HALVOREN_EXACT_OPCODES(OP) \
  /*  code  name mode cyc page kind */ \
  OP(0x00, BRK, Imp,  7, 0, Official) \
  OP(0x01, ORA, IndX, 6, 0, Official) \
  OP(0x02, JAM, Imp,  0, 0, Jam) \
  OP(0x03, SLO, IndX, 8, 0, Unofficial) \
  OP(0x04, NOP, Zp,   3, 0, Unofficial) \
  OP(0x05, ORA, Zp,   3, 0, Official) \
  OP(0x06, ASL, Zp,   5, 0, Official) \
  OP(0x07, SLO, Zp,   5, 0, Unofficial) \
  OP(0x08, PHP, Imp,  3, 0, Official) \
  OP(0x09, ORA, Imm,  2, 0, Official) \
  OP(0x0A, ASL, Acc,  2, 0, Official) \
  OP(0x0B, ANC, Imm,  2, 0, Unofficial) \
  OP(0x0C, NOP, Abs,  4, 0, Unofficial) \
  OP(0x0D, ORA, Abs,  4, 0, Official) \
  OP(0x0E, ASL, Abs,  6, 0, Official) \
  OP(0x0F, SLO, Abs,  6, 0, Unofficial) \
  OP(0x10, BPL, Rel,  2, 1, Official) \
  OP(0x11, ORA, IndY, 5, 1, Official) \
  OP(0x12, JAM, Imp,  0, 0, Jam) \
  OP(0x13, SLO, IndY, 8, 0, Unofficial) \
  OP(0x14, NOP, ZpX,  4, 0, Unofficial) \
  OP(0x15, ORA, ZpX,  4, 0, Official) \
  OP(0x16, ASL, ZpX,  6, 0, Official) \
  OP(0x17, SLO, ZpX,  6, 0, Unofficial) \
  OP(0x18, CLC, Imp,  2, 0, Official) \
  OP(0x19, ORA, AbsY, 4, 1, Official) \
  OP(0x1A, NOP, Imp,  2, 0, Unofficial) \
  OP(0x1B, SLO, AbsY, 7, 0, Unofficial) \
  OP(0x1C, NOP, AbsX, 4, 1, Unofficial) \
  OP(0x1D, ORA, AbsX, 4, 1, Official) \
  OP(0x1E, ASL, AbsX, 7, 0, Official) \
  OP(0x1F, SLO, AbsX, 7, 0, Unofficial) \
  OP(0x20, JSR, Abs,  6, 0, Official) \
  OP(0x21, AND, IndX, 6, 0, Official) \
  OP(0x22, JAM, Imp,  0, 0, Jam) \
  OP(0x23, RLA, IndX, 8, 0, Unofficial) \
  OP(0x24, BIT, Zp,   3, 0, Official) \
  OP(0x25, AND, Zp,   3, 0, Official) \
  OP(0x26, ROL, Zp,   5, 0, Official) \
  OP(0x27, RLA, Zp,   5, 0, Unofficial) \
  OP(0x28, PLP, Imp,  4, 0, Official) \
  OP(0x29, AND, Imm,  2, 0, Official) \
  OP(0x2A, ROL, Acc,  2, 0, Official) \
  OP(0x2B, ANC, Imm,  2, 0, Unofficial) \
  OP(0x2C, BIT, Abs,  4, 0, Official) \
  OP(0x2D, AND, Abs,  4, 0, Official) \
  OP(0x2E, ROL, Abs,  6, 0, Official) \
  OP(0x2F, RLA, Abs,  6, 0, Unofficial) \
  OP(0x30, BMI, Rel,  2, 1, Official) \
  OP(0x31, AND, IndY, 5, 1, Official) \
  OP(0x32, JAM, Imp,  0, 0, Jam) \
  OP(0x33, RLA, IndY, 8, 0, Unofficial) \
  OP(0x34, NOP, ZpX,  4, 0, Unofficial) \
  OP(0x35, AND, ZpX,  4, 0, Official) \
  OP(0x36, ROL, ZpX,  6, 0, Official) \
  OP(0x37, RLA, ZpX,  6, 0, Unofficial) \
  OP(0x38, SEC, Imp,  2, 0, Official) \
  OP(0x39, AND, AbsY, 4, 1, Official) \
  OP(0x3A, NOP, Imp,  2, 0, Unofficial) \
  OP(0x3B, RLA, AbsY, 7, 0, Unofficial) \
  OP(0x3C, NOP, AbsX, 4, 1, Unofficial) \
  OP(0x3D, AND, AbsX, 4, 1, Official) \
  OP(0x3E, ROL, AbsX, 7, 0, Official) \
  OP(0x3F, RLA, AbsX, 7, 0, Unofficial) \
  OP(0x40, RTI, Imp,  6, 0, Official) \
  OP(0x41, EOR, IndX, 6, 0, Official) \
  OP(0x42, JAM, Imp,  0, 0, Jam) \
  OP(0x43, SRE, IndX, 8, 0, Unofficial) \
  OP(0x44, NOP, Zp,   3, 0, Unofficial) \
  OP(0x45, EOR, Zp,   3, 0, Official) \
  OP(0x46, LSR, Zp,   5, 0, Official) \
  OP(0x47, SRE, Zp,   5, 0, Unofficial) \
  OP(0x48, PHA, Imp,  3, 0, Official) \
  OP(0x49, EOR, Imm,  2, 0, Official) \
  OP(0x4A, LSR, Acc,  2, 0, Official) \
  OP(0x4B, ALR, Imm,  2, 0, Unofficial) \
  OP(0x4C, JMP, Abs,  3, 0, Official) \
  OP(0x4D, EOR, Abs,  4, 0, Official) \
  OP(0x4E, LSR, Abs,  6, 0, Official) \
  OP(0x4F, SRE, Abs,  6, 0, Unofficial) \
  OP(0x50, BVC, Rel,  2, 1, Official) \
  OP(0x51, EOR, IndY, 5, 1, Official) \
  OP(0x52, JAM, Imp,  0, 0, Jam) \
  OP(0x53, SRE, IndY, 8, 0, Unofficial) \
  OP(0x54, NOP, ZpX,  4, 0, Unofficial) \
  OP(0x55, EOR, ZpX,  4, 0, Official) \
  OP(0x56, LSR, ZpX,  6, 0, Official) \
  OP(0x57, SRE, ZpX,  6, 0, Unofficial) \
  OP(0x58, CLI, Imp,  2, 0, Official) \
  OP(0x59, EOR, AbsY, 4, 1, Official) \
  OP(0x5A, NOP, Imp,  2, 0, Unofficial) \
  OP(0x5B, SRE, AbsY, 7, 0, Unofficial) \
  OP(0x5C, NOP, AbsX, 4, 1, Unofficial) \
  OP(0x5D, EOR, AbsX, 4, 1, Official) \
  OP(0x5E, LSR, AbsX, 7, 0, Official) \
  OP(0x5F, SRE, AbsX, 7, 0, Unofficial) \
  OP(0x60, RTS, Imp,  6, 0, Official) \
  OP(0x61, ADC, IndX, 6, 0, Official) \
  OP(0x62, JAM, Imp,  0, 0, Jam) \
  OP(0x63, RRA, IndX, 8, 0, Unofficial) \
  OP(0x64, NOP, Zp,   3, 0, Unofficial) \
  OP(0x65, ADC, Zp,   3, 0, Official) \
  OP(0x66, ROR, Zp,   5, 0, Official) \
  OP(0x67, RRA, Zp,   5, 0, Unofficial) \
  OP(0x68, PLA, Imp,  4, 0, Official) \
  OP(0x69, ADC, Imm,  2, 0, Official) \
  OP(0x6A, ROR, Acc,  2, 0, Official) \
  OP(0x6B, ARR, Imm,  2, 0, Unofficial) \
  OP(0x6C, JMP, Ind,  5, 0, Official) \
  OP(0x6D, ADC, Abs,  4, 0, Official) \
  OP(0x6E, ROR, Abs,  6, 0, Official) \
  OP(0x6F, RRA, Abs,  6, 0, Unofficial) \
  OP(0x70, BVS, Rel,  2, 1, Official) \
  OP(0x71, ADC, IndY, 5, 1, Official) \
  OP(0x72, JAM, Imp,  0, 0, Jam) \
  OP(0x73, RRA, IndY, 8, 0, Unofficial) \
  OP(0x74, NOP, ZpX,  4, 0, Unofficial) \
  OP(0x75, ADC, ZpX,  4, 0, Official) \
  OP(0x76, ROR, ZpX,  6, 0, Official) \
  OP(0x77, RRA, ZpX,  6, 0, Unofficial) \
  OP(0x78, SEI, Imp,  2, 0, Official) \
  OP(0x79, ADC, AbsY, 4, 1, Official) \
  OP(0x7A, NOP, Imp,  2, 0, Unofficial) \
  OP(0x7B, RRA, AbsY, 7, 0, Unofficial) \
  OP(0x7C, NOP, AbsX, 4, 1, Unofficial) \
  OP(0x7D, ADC, AbsX, 4, 1, Official) \
  OP(0x7E, ROR, AbsX, 7, 0, Official) \
  OP(0x7F, RRA, AbsX, 7, 0, Unofficial) \
  OP(0x80, NOP, Imm,  2, 0, Unofficial) \
  OP(0x81, STA, IndX, 6, 0, Official) \
  OP(0x82, NOP, Imm,  2, 0, Unofficial) \
  OP(0x83, SAX, IndX, 6, 0, Unofficial) \
  OP(0x84, STY, Zp,   3, 0, Official) \
  OP(0x85, STA, Zp,   3, 0, Official) \
  OP(0x86, STX, Zp,   3, 0, Official) \
  OP(0x87, SAX, Zp,   3, 0, Unofficial) \
  OP(0x88, DEY, Imp,  2, 0, Official) \
  OP(0x89, NOP, Imm,  2, 0, Unofficial) \
  OP(0x8A, TXA, Imp,  2, 0, Official) \
  OP(0x8B, ANE, Imm,  2, 0, Unstable) \
  OP(0x8C, STY, Abs,  4, 0, Official) \
  OP(0x8D, STA, Abs,  4, 0, Official) \
  OP(0x8E, STX, Abs,  4, 0, Official) \
  OP(0x8F, SAX, Abs,  4, 0, Unofficial) \
  OP(0x90, BCC, Rel,  2, 1, Official) \
  OP(0x91, STA, IndY, 6, 0, Official) \
  OP(0x92, JAM, Imp,  0, 0, Jam) \
  OP(0x93, SHA, IndY, 6, 0, Unstable) \
  OP(0x94, STY, ZpX,  4, 0, Official) \
  OP(0x95, STA, ZpX,  4, 0, Official) \
  OP(0x96, STX, ZpY,  4, 0, Official) \
  OP(0x97, SAX, ZpY,  4, 0, Unofficial) \
  OP(0x98, TYA, Imp,  2, 0, Official) \
  OP(0x99, STA, AbsY, 5, 0, Official) \
  OP(0x9A, TXS, Imp,  2, 0, Official) \
  OP(0x9B, TAS, AbsY, 5, 0, Unstable) \
  OP(0x9C, SHY, AbsX, 5, 0, Unstable) \
  OP(0x9D, STA, AbsX, 5, 0, Official) \
  OP(0x9E, SHX, AbsY, 5, 0, Unstable) \
  OP(0x9F, SHA, AbsY, 5, 0, Unstable) \
  OP(0xA0, LDY, Imm,  2, 0, Official) \
  OP(0xA1, LDA, IndX, 6, 0, Official) \
  OP(0xA2, LDX, Imm,  2, 0, Official) \
  OP(0xA3, LAX, IndX, 6, 0, Unofficial) \
  OP(0xA4, LDY, Zp,   3, 0, Official) \
  OP(0xA5, LDA, Zp,   3, 0, Official) \
  OP(0xA6, LDX, Zp,   3, 0, Official) \
  OP(0xA7, LAX, Zp,   3, 0, Unofficial) \
  OP(0xA8, TAY, Imp,  2, 0, Official) \
  OP(0xA9, LDA, Imm,  2, 0, Official) \
  OP(0xAA, TAX, Imp,  2, 0, Official) \
  OP(0xAB, LXA, Imm,  2, 0, Unstable) \
  OP(0xAC, LDY, Abs,  4, 0, Official) \
  OP(0xAD, LDA, Abs,  4, 0, Official) \
  OP(0xAE, LDX, Abs,  4, 0, Official) \
  OP(0xAF, LAX, Abs,  4, 0, Unofficial) \
  OP(0xB0, BCS, Rel,  2, 1, Official) \
  OP(0xB1, LDA, IndY, 5, 1, Official) \
  OP(0xB2, JAM, Imp,  0, 0, Jam) \
  OP(0xB3, LAX, IndY, 5, 1, Unofficial) \
  OP(0xB4, LDY, ZpX,  4, 0, Official) \
  OP(0xB5, LDA, ZpX,  4, 0, Official) \
  OP(0xB6, LDX, ZpY,  4, 0, Official) \
  OP(0xB7, LAX, ZpY,  4, 0, Unofficial) \
  OP(0xB8, CLV, Imp,  2, 0, Official) \
  OP(0xB9, LDA, AbsY, 4, 1, Official) \
  OP(0xBA, TSX, Imp,  2, 0, Official) \
  OP(0xBB, LAS, AbsY, 4, 1, Unstable) \
  OP(0xBC, LDY, AbsX, 4, 1, Official) \
  OP(0xBD, LDA, AbsX, 4, 1, Official) \
  OP(0xBE, LDX, AbsY, 4, 1, Official) \
  OP(0xBF, LAX, AbsY, 4, 1, Unofficial) \
  OP(0xC0, CPY, Imm,  2, 0, Official) \
  OP(0xC1, CMP, IndX, 6, 0, Official) \
  OP(0xC2, NOP, Imm,  2, 0, Unofficial) \
  OP(0xC3, DCP, IndX, 8, 0, Unofficial) \
  OP(0xC4, CPY, Zp,   3, 0, Official) \
  OP(0xC5, CMP, Zp,   3, 0, Official) \
  OP(0xC6, DEC, Zp,   5, 0, Official) \
  OP(0xC7, DCP, Zp,   5, 0, Unofficial) \
  OP(0xC8, INY, Imp,  2, 0, Official) \
  OP(0xC9, CMP, Imm,  2, 0, Official) \
  OP(0xCA, DEX, Imp,  2, 0, Official) \
  OP(0xCB, SBX, Imm,  2, 0, Unofficial) \
  OP(0xCC, CPY, Abs,  4, 0, Official) \
  OP(0xCD, CMP, Abs,  4, 0, Official) \
  OP(0xCE, DEC, Abs,  6, 0, Official) \
  OP(0xCF, DCP, Abs,  6, 0, Unofficial) \
  OP(0xD0, BNE, Rel,  2, 1, Official) \
  OP(0xD1, CMP, IndY, 5, 1, Official) \
  OP(0xD2, JAM, Imp,  0, 0, Jam) \
  OP(0xD3, DCP, IndY, 8, 0, Unofficial) \
  OP(0xD4, NOP, ZpX,  4, 0, Unofficial) \
  OP(0xD5, CMP, ZpX,  4, 0, Official) \
  OP(0xD6, DEC, ZpX,  6, 0, Official) \
  OP(0xD7, DCP, ZpX,  6, 0, Unofficial) \
  OP(0xD8, CLD, Imp,  2, 0, Official) \
  OP(0xD9, CMP, AbsY, 4, 1, Official) \
  OP(0xDA, NOP, Imp,  2, 0, Unofficial) \
  OP(0xDB, DCP, AbsY, 7, 0, Unofficial) \
  OP(0xDC, NOP, AbsX, 4, 1, Unofficial) \
  OP(0xDD, CMP, AbsX, 4, 1, Official) \
  OP(0xDE, DEC, AbsX, 7, 0, Official) \
  OP(0xDF, DCP, AbsX, 7, 0, Unofficial) \
  OP(0xE0, CPX, Imm,  2, 0, Official) \
  OP(0xE1, SBC, IndX, 6, 0, Official) \
  OP(0xE2, NOP, Imm,  2, 0, Unofficial) \
  OP(0xE3, ISB, IndX, 8, 0, Unofficial) \
  OP(0xE4, CPX, Zp,   3, 0, Official) \
  OP(0xE5, SBC, Zp,   3, 0, Official) \
  OP(0xE6, INC, Zp,   5, 0, Official) \
  OP(0xE7, ISB, Zp,   5, 0, Unofficial) \
  OP(0xE8, INX, Imp,  2, 0, Official) \
  OP(0xE9, SBC, Imm,  2, 0, Official) \
  OP(0xEA, NOP, Imp,  2, 0, Official) \
  OP(0xEB, SBC, Imm,  2, 0, Unofficial) \
  OP(0xEC, CPX, Abs,  4, 0, Official) \
  OP(0xED, SBC, Abs,  4, 0, Official) \
  OP(0xEE, INC, Abs,  6, 0, Official) \
  OP(0xEF, ISB, Abs,  6, 0, Unofficial) \
  OP(0xF0, BEQ, Rel,  2, 1, Official) \
  OP(0xF1, SBC, IndY, 5, 1, Official) \
  OP(0xF2, JAM, Imp,  0, 0, Jam) \
  OP(0xF3, ISB, IndY, 8, 0, Unofficial) \
  OP(0xF4, NOP, ZpX,  4, 0, Unofficial) \
  OP(0xF5, SBC, ZpX,  4, 0, Official) \
  OP(0xF6, INC, ZpX,  6, 0, Official) \
  OP(0xF7, ISB, ZpX,  6, 0, Unofficial) \
  OP(0xF8, SED, Imp,  2, 0, Official) \
  OP(0xF9, SBC, AbsY, 4, 1, Official) \
  OP(0xFA, NOP, Imp,  2, 0, Unofficial) \
  OP(0xFB, ISB, AbsY, 7, 0, Unofficial) \
  OP(0xFC, NOP, AbsX, 4, 1, Unofficial) \
  OP(0xFD, SBC, AbsX, 4, 1, Official) \
  OP(0xFE, INC, AbsX, 7, 0, Official) \
  OP(0xFF, ISB, AbsX, 7, 0, Unofficial)
// clang-format on

struct ExactOpcodeInfo {
  const char* Name;
  ExactAddressing Addressing;
  uint8_t Cycles;       // without the page-crossing and taken-branch cycles
  uint8_t PagePenalty;  // 1: one more cycle when the indexed address crosses a page
  OpcodeKind Kind;
};

inline constexpr std::array<ExactOpcodeInfo, 256> kExactOpcodeTable = [] {
  std::array<ExactOpcodeInfo, 256> table{};
  int expected = 0;
#define HALVOREN_EXACT_INFO(code, name, mode, cycles, page, kind)        \
  if (code != expected++) throw "the rows must run $00 to $FF in order"; \
  table[code] = ExactOpcodeInfo{#name, ExactAddressing::mode, cycles, page, OpcodeKind::kind};
  HALVOREN_EXACT_OPCODES(HALVOREN_EXACT_INFO)
#undef HALVOREN_EXACT_INFO
  return table;
}();

// Bytes an instruction occupies, opcode included.
constexpr uint8_t ExactInstructionLength(uint8_t opcode) {
  switch (kExactOpcodeTable[opcode].Addressing) {
    case ExactAddressing::Imp:
    case ExactAddressing::Acc:
      return 1;
    case ExactAddressing::Abs:
    case ExactAddressing::AbsX:
    case ExactAddressing::AbsY:
    case ExactAddressing::Ind:
      return 3;
    default:
      return 2;
  }
}

// The 6502 instruction set as one table: one row per opcode byte, in order, with its mnemonic,
// addressing mode, cycles and the cores that know it. The interpreter's dispatch is generated
// from these rows, so the table is the dispatch. Cycles are the standard base counts: no
// page-crossing or taken-branch penalty is ever charged. A core halts on the opcodes it does
// not know; BAD rows are unknown to both.
#pragma once

#include <array>
#include <cstdint>

enum class Mode : uint8_t {
  Imp,      // implied
  Acc,      // accumulator
  Imm,      // #nn
  Zp,       // nn, straight into CPU memory
  ZpX,      // nn,X wrapping in page zero
  ZpY,      // nn,Y wrapping in page zero (STX)
  ZpYLong,  // nn,Y for LDX: does not wrap, reads up to $01FE
  Abs,      // nnnn
  AbsX,     // nnnn,X
  AbsY,     // nnnn,Y
  IndX,     // (nn,X), pointer wraps in page zero
  IndY,     // (nn),Y, pointer high byte at nn+1 without wrapping
  IndZp,    // (nn), extra opcodes only; pointer wraps in page zero
  Ind,      // (nnnn), JMP only, with the page-wrap of the pointer
  Rel,      // branch displacement
  Skip,     // one byte skipped unread
};

// Which cores execute an opcode; the other core halts on it.
enum class Cores : uint8_t { None, Both, Main, Alt };

// clang-format off
#define HALVOREN_OPCODES(OP) \
  /*  code  name mode     cyc cores */ \
  OP(0x00, BRK, Imp,     7, Both) \
  OP(0x01, ORA, IndX,    6, Both) \
  OP(0x02, NOP, Imp,     0, Main) \
  OP(0x03, NOP, Imp,     0, Both) \
  OP(0x04, NOP, Imp,     0, Both) \
  OP(0x05, ORA, Zp,      3, Both) \
  OP(0x06, ASL, Zp,      5, Both) \
  OP(0x07, BAD, Imp,     0, None) \
  OP(0x08, PHP, Imp,     3, Both) \
  OP(0x09, ORA, Imm,     2, Both) \
  OP(0x0A, ASL, Acc,     2, Both) \
  OP(0x0B, BAD, Imp,     0, None) \
  OP(0x0C, BAD, Imp,     0, None) \
  OP(0x0D, ORA, Abs,     4, Both) \
  OP(0x0E, ASL, Abs,     6, Both) \
  OP(0x0F, BAD, Imp,     0, None) \
  OP(0x10, BPL, Rel,     2, Both) \
  OP(0x11, ORA, IndY,    5, Both) \
  OP(0x12, ORA, IndZp,   5, Both) \
  OP(0x13, BAD, Imp,     0, None) \
  OP(0x14, NOP, Imp,     0, Main) \
  OP(0x15, ORA, ZpX,     4, Both) \
  OP(0x16, ASL, ZpX,     6, Both) \
  OP(0x17, BAD, Imp,     0, None) \
  OP(0x18, CLC, Imp,     2, Both) \
  OP(0x19, ORA, AbsY,    4, Both) \
  OP(0x1A, INC, Acc,     4, Both) \
  OP(0x1B, BAD, Imp,     0, None) \
  OP(0x1C, BAD, Imp,     0, None) \
  OP(0x1D, ORA, AbsX,    4, Both) \
  OP(0x1E, ASL, AbsX,    7, Both) \
  OP(0x1F, BAD, Imp,     0, None) \
  OP(0x20, JSR, Abs,     6, Both) \
  OP(0x21, AND, IndX,    6, Both) \
  OP(0x22, BAD, Imp,     0, None) \
  OP(0x23, BAD, Imp,     0, None) \
  OP(0x24, BIT, Zp,      3, Both) \
  OP(0x25, AND, Zp,      3, Both) \
  OP(0x26, ROL, Zp,      5, Both) \
  OP(0x27, BAD, Imp,     0, None) \
  OP(0x28, PLP, Imp,     4, Both) \
  OP(0x29, AND, Imm,     2, Both) \
  OP(0x2A, ROL, Acc,     2, Both) \
  OP(0x2B, BAD, Imp,     0, None) \
  OP(0x2C, BIT, Abs,     4, Both) \
  OP(0x2D, AND, Abs,     4, Both) \
  OP(0x2E, ROL, Abs,     6, Both) \
  OP(0x2F, BAD, Imp,     0, None) \
  OP(0x30, BMI, Rel,     2, Both) \
  OP(0x31, AND, IndY,    5, Both) \
  OP(0x32, AND, IndZp,   5, Both) \
  OP(0x33, BAD, Imp,     0, None) \
  OP(0x34, BIT, IndX,    4, Both) \
  OP(0x35, AND, ZpX,     4, Both) \
  OP(0x36, ROL, ZpX,     6, Both) \
  OP(0x37, BAD, Imp,     0, None) \
  OP(0x38, SEC, Imp,     2, Both) \
  OP(0x39, AND, AbsY,    4, Both) \
  OP(0x3A, BAD, Imp,     0, None) \
  OP(0x3B, BAD, Imp,     0, None) \
  OP(0x3C, BAD, Imp,     0, None) \
  OP(0x3D, AND, AbsX,    4, Both) \
  OP(0x3E, ROL, AbsX,    7, Both) \
  OP(0x3F, BAD, Imp,     0, None) \
  OP(0x40, RTI, Imp,     6, Both) \
  OP(0x41, EOR, IndX,    6, Both) \
  OP(0x42, BAD, Imp,     0, None) \
  OP(0x43, BAD, Imp,     0, None) \
  OP(0x44, BAD, Imp,     0, None) \
  OP(0x45, EOR, Zp,      3, Both) \
  OP(0x46, LSR, Zp,      5, Both) \
  OP(0x47, BAD, Imp,     0, None) \
  OP(0x48, PHA, Imp,     3, Both) \
  OP(0x49, EOR, Imm,     2, Both) \
  OP(0x4A, LSR, Acc,     2, Both) \
  OP(0x4B, BAD, Imp,     0, None) \
  OP(0x4C, JMP, Abs,     3, Both) \
  OP(0x4D, EOR, Abs,     4, Both) \
  OP(0x4E, LSR, Abs,     6, Both) \
  OP(0x4F, BAD, Imp,     0, None) \
  OP(0x50, BVC, Rel,     2, Both) \
  OP(0x51, EOR, IndY,    5, Both) \
  OP(0x52, EOR, IndZp,   5, Both) \
  OP(0x53, BAD, Imp,     0, None) \
  OP(0x54, BAD, Imp,     0, None) \
  OP(0x55, EOR, ZpX,     4, Both) \
  OP(0x56, LSR, ZpX,     6, Both) \
  OP(0x57, BAD, Imp,     0, None) \
  OP(0x58, CLI, Imp,     2, Both) \
  OP(0x59, EOR, AbsY,    4, Both) \
  OP(0x5A, PHY, Imp,     3, Main) \
  OP(0x5B, BAD, Imp,     0, None) \
  OP(0x5C, BAD, Imp,     0, None) \
  OP(0x5D, EOR, AbsX,    4, Both) \
  OP(0x5E, LSR, AbsX,    7, Both) \
  OP(0x5F, BAD, Imp,     0, None) \
  OP(0x60, RTS, Imp,     6, Both) \
  OP(0x61, ADC, IndX,    6, Both) \
  OP(0x62, BAD, Imp,     0, None) \
  OP(0x63, BAD, Imp,     0, None) \
  OP(0x64, BAD, Imp,     0, None) \
  OP(0x65, ADC, Zp,      3, Both) \
  OP(0x66, ROR, Zp,      5, Both) \
  OP(0x67, BAD, Imp,     0, None) \
  OP(0x68, PLA, Imp,     4, Both) \
  OP(0x69, ADC, Imm,     2, Both) \
  OP(0x6A, ROR, Acc,     2, Both) \
  OP(0x6B, BAD, Imp,     0, None) \
  OP(0x6C, JMP, Ind,     5, Both) \
  OP(0x6D, ADC, Abs,     4, Both) \
  OP(0x6E, ROR, Abs,     6, Both) \
  OP(0x6F, BAD, Imp,     0, None) \
  OP(0x70, BVS, Rel,     2, Both) \
  OP(0x71, ADC, IndY,    5, Both) \
  OP(0x72, BAD, Imp,     0, None) \
  OP(0x73, BAD, Imp,     0, None) \
  OP(0x74, BAD, Imp,     0, None) \
  OP(0x75, ADC, ZpX,     4, Both) \
  OP(0x76, ROR, ZpX,     6, Both) \
  OP(0x77, BAD, Imp,     0, None) \
  OP(0x78, SEI, Imp,     2, Both) \
  OP(0x79, ADC, AbsY,    4, Both) \
  OP(0x7A, BAD, Imp,     0, None) \
  OP(0x7B, BAD, Imp,     0, None) \
  OP(0x7C, BAD, Imp,     0, None) \
  OP(0x7D, ADC, AbsX,    4, Both) \
  OP(0x7E, ROR, AbsX,    7, Both) \
  OP(0x7F, BAD, Imp,     0, None) \
  OP(0x80, BRA, Rel,     3, Main) \
  OP(0x81, STA, IndX,    6, Both) \
  OP(0x82, BAD, Imp,     0, None) \
  OP(0x83, BAD, Imp,     0, None) \
  OP(0x84, STY, Zp,      3, Both) \
  OP(0x85, STA, Zp,      3, Both) \
  OP(0x86, STX, Zp,      3, Both) \
  OP(0x87, BAD, Imp,     0, None) \
  OP(0x88, DEY, Imp,     2, Both) \
  OP(0x89, NOP, Imp,     0, Main) \
  OP(0x8A, TXA, Imp,     2, Both) \
  OP(0x8B, BAD, Imp,     0, None) \
  OP(0x8C, STY, Abs,     4, Both) \
  OP(0x8D, STA, Abs,     4, Both) \
  OP(0x8E, STX, Abs,     4, Both) \
  OP(0x8F, NOP, Imp,     0, Main) \
  OP(0x90, BCC, Rel,     2, Both) \
  OP(0x91, STA, IndY,    6, Both) \
  OP(0x92, STA, IndZp,   5, Both) \
  OP(0x93, BAD, Imp,     0, None) \
  OP(0x94, STY, ZpX,     4, Both) \
  OP(0x95, STA, ZpX,     4, Both) \
  OP(0x96, STX, ZpY,     4, Both) \
  OP(0x97, BAD, Imp,     0, None) \
  OP(0x98, TYA, Imp,     2, Both) \
  OP(0x99, STA, AbsY,    5, Both) \
  OP(0x9A, TXS, Imp,     2, Both) \
  OP(0x9B, NOP, Imp,     0, Main) \
  OP(0x9C, NOP, Imp,     0, Main) \
  OP(0x9D, STA, AbsX,    5, Both) \
  OP(0x9E, BAD, Imp,     0, None) \
  OP(0x9F, BAD, Imp,     0, None) \
  OP(0xA0, LDY, Imm,     2, Both) \
  OP(0xA1, LDA, IndX,    6, Both) \
  OP(0xA2, LDX, Imm,     2, Both) \
  OP(0xA3, BAD, Imp,     0, None) \
  OP(0xA4, LDY, Zp,      3, Both) \
  OP(0xA5, LDA, Zp,      3, Both) \
  OP(0xA6, LDX, Zp,      3, Both) \
  OP(0xA7, BAD, Imp,     0, None) \
  OP(0xA8, TAY, Imp,     2, Both) \
  OP(0xA9, LDA, Imm,     2, Both) \
  OP(0xAA, TAX, Imp,     2, Both) \
  OP(0xAB, NOP, Imp,     0, Main) \
  OP(0xAC, LDY, Abs,     4, Both) \
  OP(0xAD, LDA, Abs,     4, Both) \
  OP(0xAE, LDX, Abs,     4, Both) \
  OP(0xAF, BAD, Imp,     0, None) \
  OP(0xB0, BCS, Rel,     2, Both) \
  OP(0xB1, LDA, IndY,    5, Both) \
  OP(0xB2, LDA, IndZp,   5, Both) \
  OP(0xB3, BAD, Imp,     0, None) \
  OP(0xB4, LDY, ZpX,     4, Both) \
  OP(0xB5, LDA, ZpX,     4, Both) \
  OP(0xB6, LDX, ZpYLong, 4, Both) \
  OP(0xB7, BAD, Imp,     0, None) \
  OP(0xB8, CLV, Imp,     2, Both) \
  OP(0xB9, LDA, AbsY,    4, Both) \
  OP(0xBA, TSX, Imp,     2, Both) \
  OP(0xBB, BAD, Imp,     0, None) \
  OP(0xBC, LDY, AbsX,    4, Both) \
  OP(0xBD, LDA, AbsX,    4, Both) \
  OP(0xBE, LDX, AbsY,    4, Both) \
  OP(0xBF, BAD, Imp,     0, None) \
  OP(0xC0, CPY, Imm,     2, Both) \
  OP(0xC1, CMP, IndX,    6, Both) \
  OP(0xC2, BAD, Imp,     0, None) \
  OP(0xC3, BAD, Imp,     0, None) \
  OP(0xC4, CPY, Zp,      3, Both) \
  OP(0xC5, CMP, Zp,      3, Both) \
  OP(0xC6, DEC, Zp,      5, Both) \
  OP(0xC7, BAD, Imp,     0, None) \
  OP(0xC8, INY, Imp,     2, Both) \
  OP(0xC9, CMP, Imm,     2, Both) \
  OP(0xCA, DEX, Imp,     2, Both) \
  OP(0xCB, BAD, Imp,     0, None) \
  OP(0xCC, CPY, Abs,     4, Both) \
  OP(0xCD, CMP, Abs,     4, Both) \
  OP(0xCE, DEC, Abs,     6, Both) \
  OP(0xCF, BAD, Imp,     0, None) \
  OP(0xD0, BNE, Rel,     2, Both) \
  OP(0xD1, CMP, IndY,    5, Both) \
  OP(0xD2, CMP, IndZp,   5, Both) \
  OP(0xD3, BAD, Imp,     0, None) \
  OP(0xD4, NOP, Skip,    0, Main) \
  OP(0xD5, CMP, ZpX,     4, Both) \
  OP(0xD6, DEC, ZpX,     6, Both) \
  OP(0xD7, BAD, Imp,     0, None) \
  OP(0xD8, CLD, Imp,     2, Both) \
  OP(0xD9, CMP, AbsY,    4, Both) \
  OP(0xDA, PHX, Imp,     3, Both) \
  OP(0xDB, BAD, Imp,     0, None) \
  OP(0xDC, BAD, Imp,     0, None) \
  OP(0xDD, CMP, AbsX,    4, Both) \
  OP(0xDE, DEC, AbsX,    7, Both) \
  OP(0xDF, BAD, Imp,     0, None) \
  OP(0xE0, CPX, Imm,     2, Both) \
  OP(0xE1, SBC, IndX,    6, Both) \
  OP(0xE2, BAD, Imp,     0, None) \
  OP(0xE3, BAD, Imp,     0, None) \
  OP(0xE4, CPX, Zp,      3, Both) \
  OP(0xE5, SBC, Zp,      3, Both) \
  OP(0xE6, INC, Zp,      5, Both) \
  OP(0xE7, BAD, Imp,     0, None) \
  OP(0xE8, INX, Imp,     2, Both) \
  OP(0xE9, SBC, Imm,     2, Both) \
  OP(0xEA, NOP, Imp,     2, Both) \
  OP(0xEB, BAD, Imp,     0, None) \
  OP(0xEC, CPX, Abs,     4, Both) \
  OP(0xED, SBC, Abs,     4, Both) \
  OP(0xEE, INC, Abs,     6, Both) \
  OP(0xEF, BAD, Imp,     0, None) \
  OP(0xF0, BEQ, Rel,     2, Both) \
  OP(0xF1, SBC, IndY,    5, Both) \
  OP(0xF2, BAD, Imp,     0, None) \
  OP(0xF3, BAD, Imp,     0, None) \
  OP(0xF4, NOP, Imp,     0, Both) \
  OP(0xF5, SBC, ZpX,     4, Both) \
  OP(0xF6, INC, ZpX,     6, Both) \
  OP(0xF7, BAD, Imp,     0, None) \
  OP(0xF8, SED, Imp,     2, Both) \
  OP(0xF9, SBC, AbsY,    4, Both) \
  OP(0xFA, PLX, Imp,     4, Alt) \
  OP(0xFB, BAD, Imp,     0, None) \
  OP(0xFC, BAD, Imp,     0, None) \
  OP(0xFD, SBC, AbsX,    4, Both) \
  OP(0xFE, INC, AbsX,    7, Both) \
  OP(0xFF, BAD, Imp,     0, None)
// clang-format on

struct OpcodeInfo {
  const char* Mnemonic = "BAD";
  Mode AddressMode = Mode::Imp;
  uint8_t Cycles = 0;
  Cores KnownIn = Cores::None;
};

constexpr std::array<OpcodeInfo, 256> MakeOpcodeTable() {
  std::array<OpcodeInfo, 256> table{};
#define HALVOREN_OPCODE_INFO(code, name, mode, cycles, cores) \
  table[code] = OpcodeInfo{#name, Mode::mode, cycles, Cores::cores};
  HALVOREN_OPCODES(HALVOREN_OPCODE_INFO)
#undef HALVOREN_OPCODE_INFO
  return table;
}

inline constexpr std::array<OpcodeInfo, 256> kOpcodeTable = MakeOpcodeTable();

// The dispatch indexes the rows by opcode, so they must run $00 to $FF without a gap.
constexpr bool OpcodeRowsInOrder() {
  int expected = 0;
  bool inOrder = true;
#define HALVOREN_ROW_ORDER(code, name, mode, cycles, cores) inOrder = inOrder && code == expected++;
  HALVOREN_OPCODES(HALVOREN_ROW_ORDER)
#undef HALVOREN_ROW_ORDER
  return inOrder && expected == 256;
}
static_assert(OpcodeRowsInOrder());

constexpr bool CoreKnows(Cores cores, bool mainCore) {
  return cores == Cores::Both || cores == (mainCore ? Cores::Main : Cores::Alt);
}

// Bytes an instruction occupies, opcode included.
constexpr uint8_t InstructionLength(Mode mode) {
  switch (mode) {
    case Mode::Imp:
    case Mode::Acc:
      return 1;
    case Mode::Abs:
    case Mode::AbsX:
    case Mode::AbsY:
    case Mode::Ind:
      return 3;
    default:
      return 2;
  }
}

// Length as the given core sees the opcode; an opcode it does not know is one byte.
constexpr uint8_t InstructionLength(uint8_t opcode, bool mainCore) {
  const OpcodeInfo& info = kOpcodeTable[opcode];
  return CoreKnows(info.KnownIn, mainCore) ? InstructionLength(info.AddressMode) : 1;
}

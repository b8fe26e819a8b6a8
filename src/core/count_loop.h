// Counting loops: one instruction that steps a counter by one (DEX, DEY, INX, INY, or DEC/INC
// of a page-zero byte) followed by a BNE, BPL or BMI straight back onto it. Every pass does
// the same to the counter, so how many more passes take the branch follows from the counter
// alone, and the interpreter can charge them all at once.
#pragma once

#include <array>
#include <cstdint>

#include "core/cpu_opcodes.h"

// The branches a counting loop may end in; None is every other branch.
enum class CountBranch : uint8_t { Bne, Bpl, Bmi, None };

enum class Counter : uint8_t { None, X, Y, ZeroPage };

struct CountingStep {
  Counter counter = Counter::None;
  bool up = false;     // INC, INX, INY
  uint8_t cycles = 0;  // of the stepping instruction
  // The branch's displacement that lands on the stepping instruction.
  uint8_t displacement = 0;
};

constexpr std::array<CountingStep, 256> MakeCountingSteps() {
  std::array<CountingStep, 256> steps{};
  const struct {
    uint8_t opcode;
    Counter counter;
    bool up;
  } kRows[] = {{0xCA, Counter::X, false},        {0x88, Counter::Y, false},
               {0xE8, Counter::X, true},         {0xC8, Counter::Y, true},
               {0xC6, Counter::ZeroPage, false}, {0xE6, Counter::ZeroPage, true}};
  for (const auto& row : kRows) {
    const OpcodeInfo& info = kOpcodeTable[row.opcode];
    // Back over the stepping instruction and the two bytes of the branch.
    const int back = InstructionLength(info.AddressMode) + 2;
    steps[row.opcode] = {row.counter, row.up, info.Cycles, static_cast<uint8_t>(-back)};
  }
  return steps;
}

inline constexpr std::array<CountingStep, 256> kCountingSteps = MakeCountingSteps();

constexpr bool BranchTaken(CountBranch branch, uint8_t value) {
  switch (branch) {
    case CountBranch::Bne:
      return value != 0;
    case CountBranch::Bpl:
      return value < 0x80;
    case CountBranch::Bmi:
      return value >= 0x80;
    default:
      return false;
  }
}

// How many passes in a row, starting from a counter, end with the branch taken: indexed by
// branch, direction (0 down, 1 up) and counter. Worked out by stepping, so it is right by
// construction; at most 255 (a full turn of the counter always meets the stop).
using PassTable = std::array<std::array<std::array<uint8_t, 256>, 2>, 3>;

constexpr PassTable MakePassTable() {
  PassTable table{};
  for (int branch = 0; branch < 3; ++branch) {
    for (int up = 0; up < 2; ++up) {
      for (int start = 0; start < 256; ++start) {
        int passes = 0;
        uint8_t value = static_cast<uint8_t>(start);
        for (;;) {
          value = static_cast<uint8_t>(up ? value + 1 : value - 1);
          if (!BranchTaken(static_cast<CountBranch>(branch), value)) break;
          ++passes;
        }
        table[branch][up][start] = static_cast<uint8_t>(passes);
      }
    }
  }
  return table;
}

inline constexpr PassTable kTakenPasses = MakePassTable();

// Passes of `pass` cycles, the first `stepCycles` of them the stepping instruction, that run
// whole on `budget`: the interpreter starts an instruction only while the budget is above
// zero, so a pass runs whole when its branch still starts with budget left.
constexpr int PassesInBudget(int budget, int stepCycles, int pass) {
  return budget > stepCycles ? (budget - stepCycles - 1) / pass + 1 : 0;
}

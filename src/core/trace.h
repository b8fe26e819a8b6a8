// Instruction trace: when TraceFile is set, each executed instruction appends one line before
// it runs: address, instruction bytes, then A, X, Y, P and S as they stand.
#pragma once

#include <cstdint>
#include <cstdio>

struct Machine;

// The trace destination; null (the default) turns tracing off at no cost per instruction.
extern FILE* TraceFile;

struct TraceRegisters {
  uint16_t PC;
  uint8_t A, X, Y, P, S;
};

// Writes the line for the instruction at regs.PC. Bytes are peeked straight from CPU memory,
// so tracing never triggers a device read. mainCore picks which extra opcodes have operands.
void TraceInstruction(const Machine& m, const TraceRegisters& regs, bool mainCore);

// The text of that line, without the line break (also used by tests).
void FormatTraceLine(const Machine& m, const TraceRegisters& regs, bool mainCore, char (&line)[64]);

// The same line for the exact CPU kind, whose opcodes all have their operands.
void TraceExactInstruction(const Machine& m, const TraceRegisters& regs);

#include "core/trace.h"

#include "core/cpu_exact_opcodes.h"
#include "core/cpu_opcodes.h"
#include "core/machine.h"

FILE* TraceFile = nullptr;

namespace {

// What the CPU would fetch at address, without the side effects of the device registers.
uint8_t PeekCpu(const Machine& m, uint16_t address) {
  return m.CpuMemory[address < 0x2000 ? (address & 0x07FF) : address];
}

void FormatLine(const Machine& m, const TraceRegisters& regs, uint8_t length, char (&line)[64]) {
  char bytes[9] = "";
  int used = 0;
  for (uint8_t i = 0; i < length; ++i)
    used += std::snprintf(bytes + used, sizeof bytes - used, "%s%02X", i ? " " : "",
                          PeekCpu(m, static_cast<uint16_t>(regs.PC + i)));
  std::snprintf(line, sizeof line, "%04X  %-8s  A:%02X X:%02X Y:%02X P:%02X SP:%02X", regs.PC,
                bytes, regs.A, regs.X, regs.Y, regs.P, regs.S);
}

void WriteLine(const char (&line)[64]) {
  std::fputs(line, TraceFile);
  std::fputc('\n', TraceFile);
}

}  // namespace

void FormatTraceLine(const Machine& m, const TraceRegisters& regs, bool mainCore,
                     char (&line)[64]) {
  FormatLine(m, regs, InstructionLength(PeekCpu(m, regs.PC), mainCore), line);
}

void TraceInstruction(const Machine& m, const TraceRegisters& regs, bool mainCore) {
  if (!TraceFile) return;
  char line[64];
  FormatTraceLine(m, regs, mainCore, line);
  WriteLine(line);
}

void TraceExactInstruction(const Machine& m, const TraceRegisters& regs) {
  if (!TraceFile) return;
  char line[64];
  FormatLine(m, regs, ExactInstructionLength(PeekCpu(m, regs.PC)), line);
  WriteLine(line);
}

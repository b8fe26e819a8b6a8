#include "core/halt_reason.h"

#include <cstdio>

#include "core/globals.h"

std::string HaltReason() {
  char text[96];
  std::snprintf(text, sizeof text, "the CPU halted on bad opcode $%02X at $%04X in frame %u",
                FirstHaltOpcode, FirstHaltAddress, FrameCount);
  return text;
}

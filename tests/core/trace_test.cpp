#include "core/trace.h"

#include <cstdio>

#include "core/cpu_fixture.h"

namespace {

using TraceTest = CpuCoreTest;

TEST_P(TraceTest, OneLinePerInstructionWithRegistersBeforeIt) {
  Program({0xA9, 0x05, 0xA2, 0x10, 0x8D, 0x00, 0x03});
  SetBudget(8);
  TraceFile = std::tmpfile();
  RunLine();
  std::rewind(TraceFile);
  char text[512] = {};
  text[std::fread(text, 1, sizeof text - 1, TraceFile)] = 0;
  std::fclose(TraceFile);
  TraceFile = nullptr;
  const std::string p = MainCore() ? "24" : "04";
  EXPECT_EQ(std::string(text), "8000  A9 05     A:00 X:00 Y:00 P:" + p + " SP:FD\n" +
                                   "8002  A2 10     A:05 X:00 Y:00 P:" + p + " SP:FD\n" +
                                   "8004  8D 00 03  A:05 X:10 Y:00 P:" + p + " SP:FD\n");
  EXPECT_EQ(m().CpuMemory[0x300], 0x05);
}

TEST_P(TraceTest, InstructionLengthFollowsTheCore) {
  Place(0x8000, {0xD4, 0x12});  // a two-byte no-op only in the main core
  char line[64];
  FormatTraceLine(m(), TraceRegisters{0x8000, 1, 2, 3, 0x24, 0xFD}, MainCore(), line);
  EXPECT_EQ(std::string(line), MainCore() ? "8000  D4 12     A:01 X:02 Y:03 P:24 SP:FD"
                                          : "8000  D4        A:01 X:02 Y:03 P:24 SP:FD");
}

HALVOREN_BOTH_CORES(TraceTest);

}  // namespace

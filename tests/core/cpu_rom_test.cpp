// A self-checking cartridge (tests/roms/cpu_selftest.s) on both cores: it records the number
// of the first failing check at $F1 and sets $F2 to $A5 when every check passed.
#include "core/cpu_fixture.h"

namespace {

using CpuRomTest = CpuCoreTest;

TEST_P(CpuRomTest, SelfCheckingProgramPasses) {
  ASSERT_EQ(m().LoadCartridge(TestRomPath("cpu_selftest.nes").c_str()), kLoadOk);
  m().ResetCpu();
  for (int line = 0; line < 262 && !m().CpuMemory[0xF2] && !m().CpuMemory[0xF1]; ++line) RunLine();
  EXPECT_EQ(CpuHalted, 0u);
  EXPECT_EQ(int{m().CpuMemory[0xF1]}, 0) << "the number of the first failing check";
  EXPECT_EQ(int{m().CpuMemory[0xF2]}, 0xA5) << int{m().CpuMemory[0xF0]} << " checks ran";
}

HALVOREN_BOTH_CORES(CpuRomTest);

}  // namespace

#include "core/cpu_fixture.h"

namespace {

using InterruptTest = MachineTest;

TEST_F(InterruptTest, ResetSetsRegistersLatchesAndVector) {
  m().CpuMemory[0xFFFC] = 0x34;
  m().CpuMemory[0xFFFD] = 0x92;
  m().A = 1;
  FrameCount = 99;
  CycleCarry = -4;
  m().ResetCpu();
  EXPECT_EQ(m().PC, 0x9234);
  EXPECT_EQ(m().P, 0x20);
  EXPECT_EQ(m().S, 0xFF);
  EXPECT_EQ(m().A, 1);
  EXPECT_EQ(FrameCount, 0u);
  EXPECT_EQ(CycleCarry, -4);
  EXPECT_EQ(m().CpuMemory[0x2001], 0x18);  // background and sprites on
}

// Boards with scanline counters push P with bit 4 cleared. With I set the IRQ waits, except on
// mapper 91.
TEST_F(InterruptTest, IrqEntry) {
  m().CpuMemory[0xFFFE] = 0x10;
  m().CpuMemory[0xFFFF] = 0x90;
  for (int mapper :
       {4, 26, 73, 74, 118, 160, 161, 245, 249, 6, 16, 17, 18, 19, 21, 23, 24, 25, 69, 91}) {
    SCOPED_TRACE(mapper);
    const bool cleared = mapper == 4 || mapper == 26 || (mapper >= 73 && mapper != 91);
    MapperNumber = static_cast<uint8_t>(mapper);
    for (uint8_t p : {0x30, 0x34}) {
      m().S = 0xFD;
      m().P = p;
      m().PC = 0xC123;
      mapper == 91 ? m().TakeIrqAlways() : m().TakeIrq();
      const bool taken = p == 0x30 || mapper == 91;
      EXPECT_EQ(m().S, taken ? 0xFA : 0xFD);
      EXPECT_EQ(m().PC, taken ? 0x9010 : 0xC123);
      EXPECT_EQ(m().CpuMemory[0x1FB], (cleared ? 0x20 : 0x30) | (taken ? p & 4 : 0));
      EXPECT_EQ(m().P, 0x34);
    }
  }
}

// The frame is counted either way; the I flag never blocks the NMI, and the handler returns
// through the program's own RTI in either core. A mapper-4 cartridge with a trainer enters
// the NMI at $7000, where the trainer was loaded.
using NmiTest = CpuCoreTest;

TEST_P(NmiTest, CountsTheFrameEntersOnlyWhenEnabledAndReturns) {
  Place(0xFFFA, {0x00, 0x90});
  Place(0x9000, {0xE6, 0x10, 0x40});  // INC $10; RTI
  Program({}, 0xC123);
  FrameCount = 0xFFFFFFFF;
  m().TakeNmi();
  EXPECT_EQ(FrameCount, 0u);
  EXPECT_EQ(m().PC, 0xC123);
  m().CpuMemory[kPpuControl] = 0x80;
  m().TakeNmi();
  EXPECT_EQ(m().CpuMemory[0x1FD], 0xC1);
  EXPECT_EQ(m().CpuMemory[0x1FC], 0x23);
  EXPECT_EQ(m().CpuMemory[0x1FB], 0x24);
  EXPECT_EQ(m().S, 0xFA);
  EXPECT_EQ(m().P, 0x24);
  EXPECT_EQ(m().PC, 0x9000);
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x10], 1);
  EXPECT_EQ(m().PC, 0xC123);
  EXPECT_EQ(m().S, 0xFD);
  TrainerPresent = 1;
  MapperNumber = 4;
  m().TakeNmi();
  EXPECT_EQ(m().PC, 0x7000);
}

HALVOREN_BOTH_CORES(NmiTest);

}  // namespace

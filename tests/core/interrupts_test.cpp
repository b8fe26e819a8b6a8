#include "core/cpu_fixture.h"

namespace {

using InterruptTest = MachineTest;

TEST_F(InterruptTest, ResetSetsRegistersLatchesAndVector) {
  m().CpuMemory[0xFFFC] = 0x34;
  m().CpuMemory[0xFFFD] = 0x92;
  m().A = 1, m().X = 2, m().Y = 3;
  m().PadReadIndex[0] = m().PadReadIndex[1] = 5;
  m().VramAddress = 0x2345;
  m().WriteToggle = 1;
  FrameCount = 99;
  CycleCarry = -4;
  m().ResetCpu();
  EXPECT_EQ(m().PC, 0x9234);
  EXPECT_EQ(m().P, 0x20);
  EXPECT_EQ(m().S, 0xFF);
  EXPECT_EQ(m().A + m().X + m().Y, 6);
  EXPECT_EQ(FrameCount, 0u);
  EXPECT_EQ(CycleCarry, -4);
  EXPECT_EQ(std::string(HexDigits, 16), "0123456789ABCDEF");
  EXPECT_EQ(m().CpuMemory[0x4011], 0x80);
  EXPECT_EQ(m().CpuMemory[0x4016], 0x42);
  EXPECT_EQ(m().CpuMemory[0x4017], 0x42);
  EXPECT_EQ(m().CpuMemory[0x2001], 0x18);
  EXPECT_EQ(m().AddressJustSet, 1);
  EXPECT_EQ(m().VramAddress, 0);
  EXPECT_EQ(m().WriteToggle, 0);
  EXPECT_EQ(m().PadReadIndex[0], 0);
  EXPECT_EQ(m().PadReadIndex[1], 5);
  EXPECT_EQ(m().FirstSelectPending, 1);
}

TEST_F(InterruptTest, DisabledNmiOnlyCountsTheFrame) {
  FrameCount = 0xFFFFFFFF;
  m().S = 0xFD;
  m().PC = 0xC123;
  m().TakeNmi();
  EXPECT_EQ(FrameCount, 0u);
  EXPECT_EQ(m().S, 0xFD);
  EXPECT_EQ(m().PC, 0xC123);
}

TEST_F(InterruptTest, NmiPushesPcAndStatusEvenWithInterruptsDisabled) {
  m().CpuMemory[kPpuControl] = 0x80;
  m().CpuMemory[0xFFFA] = 0x00;
  m().CpuMemory[0xFFFB] = 0x85;
  m().S = 0xFD;
  m().P = 0x24;
  m().PC = 0xC123;
  m().TakeNmi();
  EXPECT_EQ(m().CpuMemory[0x1FD], 0xC1);
  EXPECT_EQ(m().CpuMemory[0x1FC], 0x23);
  EXPECT_EQ(m().CpuMemory[0x1FB], 0x24);
  EXPECT_EQ(m().S, 0xFA);
  EXPECT_EQ(m().P, 0x24);
  EXPECT_EQ(m().PC, 0x8500);
  EXPECT_EQ(FrameCount, 1u);
}

TEST_F(InterruptTest, TrainerCartridgeOnMapper4EntersNmiAt7000) {
  m().CpuMemory[kPpuControl] = 0x80;
  TrainerPresent = 1;
  for (uint8_t mapper : {4, 1}) {
    MapperNumber = mapper;
    m().PC = 0xC000;
    m().TakeNmi();
    EXPECT_EQ(m().PC, mapper == 4 ? 0x7000 : 0x0000);
  }
}

TEST_F(InterruptTest, IrqPushesStatusWithBreakClearedOnScanlineCounterBoards) {
  m().CpuMemory[0xFFFE] = 0x10;
  m().CpuMemory[0xFFFF] = 0x90;
  for (int mapper :
       {4, 26, 73, 74, 118, 160, 161, 245, 249, 6, 16, 17, 18, 19, 21, 23, 24, 25, 69, 91}) {
    SCOPED_TRACE(mapper);
    const bool clears = mapper == 4 || mapper == 26 || mapper >= 73;
    const bool cleared = clears && mapper != 91;
    MapperNumber = static_cast<uint8_t>(mapper);
    m().S = 0xFD;
    m().P = 0x30;
    m().PC = 0xC123;
    m().TakeIrq();
    EXPECT_EQ(m().CpuMemory[0x1FB], cleared ? 0x20 : 0x30);
    EXPECT_EQ(m().P, 0x34);
    EXPECT_EQ(m().PC, 0x9010);
    EXPECT_EQ(m().S, 0xFA);
  }
}

TEST_F(InterruptTest, IrqWaitsWhileInterruptsAreDisabledExceptOnMapper91) {
  m().CpuMemory[0xFFFF] = 0x90;
  MapperNumber = 4;
  m().S = 0xFD;
  m().P = 0x04;
  m().PC = 0xC123;
  m().TakeIrq();
  EXPECT_EQ(m().S, 0xFD);
  EXPECT_EQ(m().PC, 0xC123);
  MapperNumber = 91;
  m().TakeIrqAlways();
  EXPECT_EQ(m().CpuMemory[0x1FB], 0x04);
  EXPECT_EQ(m().PC, 0x9000);
}

// The handler returns through the program's own RTI, in either core.
using InterruptReturnTest = CpuCoreTest;

TEST_P(InterruptReturnTest, NmiHandlerReturnsToTheInterruptedLoop) {
  m().CpuMemory[kPpuControl] = 0x80;
  SetVector(0xFFFA, 0x9000);
  Place(0x9000, {0xE6, 0x10, 0x40});  // INC $10; RTI
  Program({});
  RunLine();
  m().TakeNmi();
  RunLine();
  EXPECT_EQ(m().CpuMemory[0x10], 1);
  EXPECT_EQ(m().PC, 0x8000);
  EXPECT_EQ(m().S, 0xFD);
}

HALVOREN_BOTH_CORES(InterruptReturnTest);

}  // namespace

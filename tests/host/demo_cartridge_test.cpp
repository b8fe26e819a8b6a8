#include "host/demo_cartridge.h"

#include "support/fixture.h"

using DemoCartridgeTest = MachineTest;

TEST_F(DemoCartridgeTest, LoadsAsAnNromImageWithVerticalMirroring) {
  ASSERT_EQ(LoadDemoCartridge(m()), kLoadOk);
  EXPECT_EQ(MapperNumber, 0);
  EXPECT_EQ(PrgBankCount, 2u);
  EXPECT_EQ(ChrBankCount, 1u);
  EXPECT_EQ(VerticalMirroring, 1u);
  const uint16_t reset = m().CpuRead(0xFFFC) | (m().CpuRead(0xFFFD) << 8);
  EXPECT_GE(reset, 0x8000);
  EXPECT_EQ(m().CpuRead(reset), 0x78);  // the program starts with SEI
}

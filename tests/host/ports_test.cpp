#include "support/fixture.h"

using PortsTest = MachineTest;

TEST_F(PortsTest, SerialReadOfBothPortsAndTheStrobe) {
  m().PadBits[0] = 0b1010'0101;  // A, Select, Down, Right
  m().CpuWrite(0x4016, 1);
  m().CpuWrite(0x4016, 0);
  std::vector<int> port1, port2;
  for (int i = 0; i < 25; ++i) port1.push_back(m().CpuRead(0x4016));
  const std::vector<int> expected = {1, 0, 1, 0, 0, 1, 0, 1,  // the buttons
                                     0, 0, 0, 0, 0, 0, 0, 0,  // nothing
                                     0, 0, 0, 1, 0, 0, 0, 0,  // adapter signature on read 20
                                     1};                      // and round again
  EXPECT_EQ(port1, expected);
  // Port two: an empty pad, its signature on read 19.
  m().CpuWrite(0x4016, 1);
  for (int i = 0; i < 20; ++i) port2.push_back(m().CpuRead(0x4017));
  EXPECT_EQ(port2, std::vector<int>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0}));
  // A strobe write with bit 0 clear does not rewind; the port keeps no written value.
  m().PadBits[0] = 0x01;
  m().CpuWrite(0x4016, 1);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
  m().CpuWrite(0x4016, 0);
  EXPECT_EQ(m().CpuRead(0x4016), 0);  // B, not A again
  m().CpuWrite(0x4016, 3);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
}

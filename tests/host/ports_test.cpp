#include "support/fixture.h"

using PortsTest = MachineTest;

namespace {
std::vector<int> ReadPort(Machine& m, uint16_t address, int count) {
  std::vector<int> bits;
  for (int i = 0; i < count; ++i) bits.push_back(m.CpuRead(address));
  return bits;
}
}  // namespace

TEST_F(PortsTest, SerialReadOfBothPortsAndTheStrobe) {
  m().PadBits[0] = 0b1010'0101;  // A, Select, Down, Right
  m().CpuWrite(0x4016, 1);
  m().CpuWrite(0x4016, 0);
  const std::vector<int> expected = {1, 0, 1, 0, 0, 1, 0, 1,  // the buttons
                                     0, 0, 0, 0, 0, 0, 0, 0,  // nothing
                                     0, 0, 0, 1, 0, 0, 0, 0,  // adapter signature on read 20
                                     1};                      // and round again
  EXPECT_EQ(ReadPort(m(), 0x4016, 25), expected);
  // Port two: an empty pad, its signature on read 19.
  m().CpuWrite(0x4016, 1);
  std::vector<int> port2(20, 0);
  port2[18] = 1;
  EXPECT_EQ(ReadPort(m(), 0x4017, 20), port2);
  // A strobe write with bit 0 clear does not rewind; the port keeps no written value.
  m().PadBits[0] = 0x01;
  m().CpuWrite(0x4016, 1);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
  m().CpuWrite(0x4016, 0);
  EXPECT_EQ(m().CpuRead(0x4016), 0);  // B, not A again
  EXPECT_EQ(m().CpuMemory[0x4016], 0);
  m().CpuWrite(0x4016, 3);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
}

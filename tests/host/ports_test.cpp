#include "support/fixture.h"

using PortsTest = MachineTest;

namespace {
std::vector<int> ReadPort(Machine& m, uint16_t address, int count) {
  std::vector<int> bits;
  for (int i = 0; i < count; ++i) bits.push_back(m.CpuRead(address));
  return bits;
}
}  // namespace

TEST_F(PortsTest, SerialReadSequenceOfPortOne) {
  m().PadBits[0] = 0b1010'0101;  // A, Select, Down, Right
  m().CpuWrite(0x4016, 1);
  m().CpuWrite(0x4016, 0);
  const auto bits = ReadPort(m(), 0x4016, 25);
  const std::vector<int> expected = {1, 0, 1, 0, 0, 1, 0, 1,  // the buttons
                                     0, 0, 0, 0, 0, 0, 0, 0,  // nothing
                                     0, 0, 0, 1, 0, 0, 0, 0,  // adapter signature on read 20
                                     1};                      // and round again
  EXPECT_EQ(bits, expected);
}

TEST_F(PortsTest, PortTwoSignatureAndEmptyPad) {
  m().CpuWrite(0x4016, 1);
  const auto bits = ReadPort(m(), 0x4017, 20);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(bits[i], i == 18 ? 1 : 0) << "read " << i + 1;
}

TEST_F(PortsTest, StrobeWithBitZeroClearDoesNotRewind) {
  m().PadBits[0] = 0x01;
  m().CpuWrite(0x4016, 1);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
  m().CpuWrite(0x4016, 0);
  EXPECT_EQ(m().CpuRead(0x4016), 0);  // B, not A again
  EXPECT_EQ(m().CpuMemory[0x4016], 0);
  m().CpuWrite(0x4016, 3);
  EXPECT_EQ(m().CpuRead(0x4016), 1);
}

#include "support/fixture.h"

using PatternCacheTest = MachineTest;

// Two planes make one 2-bit pixel; a decode touches only its range. (Writes wait for the
// rebuild at the frame start: see the bank and frame-loop tests.)
TEST_F(PatternCacheTest, DecodesTwoPlanesWithinItsRange) {
  m().PpuMemory[0x0010] = 0x80;  // tile 1, row 0, first plane
  m().PpuMemory[0x0018] = 0x01;  // second plane
  m().DecodePatterns(0x0010, 16);
  const uint8_t row0[8] = {1, 0, 0, 0, 0, 0, 0, 2};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(m().PatternCache[64 + c], row0[c]);

  std::memset(m().PpuMemory + 0x1000, 0xFF, 0x1000);
  m().DecodePatterns(0x1000, 0x1000);
  EXPECT_EQ(m().PatternCache[16383], 0);
  EXPECT_EQ(m().PatternCache[16384], 3);
  EXPECT_EQ(m().PatternCache[32767], 3);
}

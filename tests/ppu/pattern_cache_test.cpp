#include "support/fixture.h"

using PatternCacheTest = MachineTest;

TEST_F(PatternCacheTest, DecodesTwoPlanesPerPixel) {
  m().PpuMemory[0x0010] = 0x80;  // tile 1, row 0, first plane
  m().PpuMemory[0x0018] = 0x01;  // second plane
  m().PpuMemory[0x0017] = 0xFF;  // row 7: both planes
  m().PpuMemory[0x001F] = 0xFF;
  m().DecodePatterns(0x0010, 16);
  const uint8_t* tile = m().PatternCache + 64;
  const uint8_t row0[8] = {1, 0, 0, 0, 0, 0, 0, 2};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(tile[c], row0[c]);
  for (int c = 0; c < 8; ++c) EXPECT_EQ(tile[56 + c], 3);
}

TEST_F(PatternCacheTest, DecodeTouchesOnlyItsRange) {
  std::memset(m().PpuMemory, 0xFF, 0x2000);
  m().DecodePatterns(0x1000, 0x1000);
  EXPECT_EQ(m().PatternCache[16383], 0);
  EXPECT_EQ(m().PatternCache[16384], 3);
  EXPECT_EQ(m().PatternCache[32767], 3);
}

TEST_F(PatternCacheTest, DataPortWriteWaitsForTheRebuild) {
  m().VblankPeriod = 1;
  m().CpuWrite(0x2006, 0x00);
  m().CpuWrite(0x2006, 0x00);
  m().CpuWrite(0x2007, 0xFF);
  EXPECT_EQ(m().PatternsDirty, 1);
  EXPECT_EQ(m().PatternCache[0], 0);
  m().RebuildPatternCache();
  EXPECT_EQ(m().PatternsDirty, 0);
  EXPECT_EQ(m().PatternCache[0], 1);
}

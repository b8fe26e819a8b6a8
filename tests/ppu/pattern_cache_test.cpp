#include "support/fixture.h"

using PatternCacheTest = MachineTest;

// Random pattern bytes decode as the bit-by-bit rule says, also when a bank write brings back
// bytes that were decoded before (the cache must follow the bytes, not a record of them).
TEST_F(PatternCacheTest, FollowsThePatternBytesThroughBankWrites) {
  uint32_t seed = 7;
  auto fill = [&](int from, int to) {
    for (int i = from; i < to; ++i)
      m().PpuMemory[i] = static_cast<uint8_t>((seed = seed * 69069 + 1) >> 24);
  };
  auto expectDecoded = [&] {
    for (int address = 0; address < 0x2000; address += 997) {
      const int tile = address & ~15, row = address & 7, column = (address >> 3) & 7;
      const int bit = 7 - column;
      const int pixel = ((m().PpuMemory[tile + row] >> bit) & 1) |
                        (((m().PpuMemory[tile + row + 8] >> bit) & 1) << 1);
      ASSERT_EQ(m().PatternCache[tile * 4 + row * 8 + column], pixel) << address;
    }
  };
  fill(0, 0x2000);
  m().RebuildPatternCache();
  expectDecoded();
  std::vector<uint8_t> first(m().PpuMemory, m().PpuMemory + 0x400);
  fill(0, 0x400);  // another bank in the first window
  m().DecodePatterns(0, 0x400);
  expectDecoded();
  std::copy(first.begin(), first.end(), m().PpuMemory);  // and the first one back
  m().DecodePatterns(0, 0x400);
  expectDecoded();
  std::memset(m().PatternCache, 3, sizeof m().PatternCache);  // a disturbed cache: rebuilt whole
  m().RebuildPatternCache();
  expectDecoded();
}

// Bank switches leave the pattern cache to be filled from the decoded CHR store when it is next
// read: whatever the order of switches, decodes, rebuilds and machines, what is read must be
// the decoding of the pattern bytes in place.
#include <random>

#include "cart/board_test.h"

namespace {

class PatternWindowsTest : public BoardTest {
 protected:
  // Every pixel of the cache, after the sync any reader does first, against the bytes.
  static void ExpectCacheMatchesBytes(Machine& machine) {
    machine.SyncPatternCache();
    for (int address = 0; address < 0x2000; ++address) {
      const int tile = address & ~15, row = address & 7;
      if (address & 8) continue;  // second plane: checked with the first
      for (int column = 0; column < 8; ++column) {
        const int bit = 7 - column;
        const int pixel = ((machine.PpuMemory[tile + row] >> bit) & 1) |
                          (((machine.PpuMemory[tile + row + 8] >> bit) & 1) << 1);
        ASSERT_EQ(machine.PatternCache[tile * 4 + row * 8 + column], pixel) << address;
      }
    }
  }
};

// MMC3 and mapper 3 switches in random order, mixed with partial decodes, rebuilds, a second
// machine using the same decoded store with other CHR, and a CHR store rewritten in place.
TEST_F(PatternWindowsTest, CacheFollowsSwitchesDecodesAndOtherMachines) {
  std::mt19937 random(11);
  for (const uint8_t mapper : {4, 3}) {
    SCOPED_TRACE(testing::Message() << "mapper " << int{mapper});
    LoadBoard(mapper, 2, 8);
    m().RebuildPatternCache();
    auto other = std::make_unique<Machine>();
    other->ForgetDecodedChr();
    for (uint32_t i = 0; i < sizeof other->ChrRom; ++i)
      other->ChrRom[i] = static_cast<uint8_t>(i * 7);
    for (int step = 0; step < 400; ++step) {
      const uint32_t r = random();
      if (mapper == 4) {
        m().CpuWrite(0x8000, static_cast<uint8_t>((r & 7) | (r & 0x80)));
        m().CpuWrite(0x8001, static_cast<uint8_t>(r >> 8));
      } else {
        m().CpuWrite(0x8000, static_cast<uint8_t>(r >> 8));
      }
      switch ((r >> 16) % 16) {
        case 0:
          m().DecodePatterns(static_cast<uint16_t>((r >> 20) % 8 * 0x400), 0x400);
          break;
        case 1:
          m().RebuildPatternCache();
          break;
        case 2:  // the other machine takes the store over, then this one reads again
          other->CopyChrWindow(0x0000, 8, r >> 24);
          ExpectCacheMatchesBytes(*other);
          break;
        case 3:  // the store changes under pending windows, as mapper 6's RAM banks do
          m().ForgetDecodedChr();
          m().ChrRom[(r >> 20) % 0x10000] ^= 0xFF;
          break;
        case 4:
          ExpectCacheMatchesBytes(m());
          break;
      }
    }
    ExpectCacheMatchesBytes(m());
  }
}

}  // namespace

// The decoded pattern cache must always read as the bit-by-bit decoding of the pattern bytes in
// place (the CHR RAM cartridges' pictures show its decodes of rewritten bytes): through decodes,
// rebuilds and bank switches that leave windows to be filled from the decoded CHR store when
// next read, whatever their order and whichever machine reads.
#include <random>

#include "cart/board_test.h"

namespace {

class PatternCacheTest : public BoardTest {
 protected:
  // Every pixel of the cache, after the sync any reader does first, against the bytes.
  static void ExpectDecoded(Machine& machine) {
    machine.SyncPatternCache();
    for (int at = 0; at < 0x2000; at = (at & 7) == 7 ? at + 9 : at + 1) {  // first plane rows
      const uint8_t low = machine.PpuMemory[at], high = machine.PpuMemory[at + 8];
      for (int column = 0; column < 8; ++column) {
        const int bit = 7 - column, pixel = ((low >> bit) & 1) | (((high >> bit) & 1) << 1);
        ASSERT_EQ(machine.PatternCache[(at & ~15) * 4 + (at & 7) * 8 + column], pixel) << at;
      }
    }
  }
};

// MMC3 and mapper 3 switches in random order, mixed with partial decodes, rebuilds, a second
// machine using the same decoded store with other CHR, and a CHR store rewritten in place; then
// a disturbed cache rebuilt whole.
TEST_F(PatternCacheTest, FollowsSwitchesDecodesAndOtherMachines) {
  std::mt19937 random(11);
  for (const uint8_t mapper : {4, 3}) {
    SCOPED_TRACE(testing::Message() << "mapper " << int{mapper});
    LoadBoard(mapper, 2, 8), m().RebuildPatternCache();
    auto other = std::make_unique<Machine>();
    other->ForgetDecodedChr();
    for (uint32_t i = 0; i < sizeof other->ChrRom; ++i) other->ChrRom[i] = uint8_t(i * 7);
    for (int step = 0; step < 400; ++step) {
      const uint32_t r = random();
      if (mapper == 4) m().CpuWrite(0x8000, static_cast<uint8_t>((r & 7) | (r & 0x80)));
      m().CpuWrite(mapper == 4 ? 0x8001 : 0x8000, static_cast<uint8_t>(r >> 8));
      // The other machine takes the store over, then this one reads again; the store changes
      // under pending windows, as mapper 6's RAM banks do.
      const uint32_t action = (r >> 16) % 16;
      if (action == 0) m().DecodePatterns(static_cast<uint16_t>((r >> 20) % 8 * 0x400), 0x400);
      if (action == 1) m().RebuildPatternCache();
      if (action == 2) other->CopyChrWindow(0x0000, 8, r >> 24), ExpectDecoded(*other);
      if (action == 3) m().ForgetDecodedChr(), m().ChrRom[(r >> 20) % 0x10000] ^= 0xFF;
      if (action == 4) ExpectDecoded(m());
    }
    ExpectDecoded(m());
  }
  std::memset(m().PatternCache, 3, sizeof m().PatternCache);
  m().RebuildPatternCache();
  ExpectDecoded(m());
}

}  // namespace

// The memory both buses write into: name tables, palettes, pattern bytes, bank copies and the
// sound registers' change flags.
#include <algorithm>
#include <tuple>

#include "cart/board_test.h"

using BanksTest = BoardTest;

TEST_F(BanksTest, NameTableWritesFollowTheArrangement) {
  // {vertical, four-screen, one-screen low, the addresses a write to $2105 reaches}
  // clang-format off
  const std::tuple<uint32_t, uint32_t, uint8_t, std::vector<uint16_t>> cases[] = {
      {0, 0, 0, {0x2105, 0x2505}}, {1, 0, 0, {0x2105, 0x2905}}, {0, 1, 0, {0x2105}},
      {0, 0, 1, {0x2105, 0x2505, 0x2905, 0x2D05}}};
  // clang-format on
  for (const auto& [vertical, four, low, copies] : cases) {
    machine = std::make_unique<Machine>();
    m().VerticalMirroring = vertical, m().FourScreen = four, m().OneScreenLow = low;
    m().PpuMemoryWrite(0x2105, 0x66);
    for (uint16_t a = 0x2000; a < 0x3000; ++a)
      ASSERT_EQ(m().PpuMemory[a] == 0x66, std::ranges::count(copies, a) == 1) << a;
  }
}

TEST_F(BanksTest, PaletteAndHighAreaWrites) {
  m().PpuMemoryWrite(0x3F04, 0x11);  // unshown colour-0 slot: dropped
  m().PpuMemoryWrite(0x3F25, 0x22);  // mirror of $3F05
  EXPECT_EQ(std::tuple(m().PpuMemory[0x3F04], m().RenderPalette[4]), std::tuple(0, 0));
  EXPECT_EQ(std::tuple(m().PpuMemory[0x3F05], m().RenderPalette[5]), std::tuple(0x22, 0x22));
  m().PpuMemoryWrite(0x3F10, 0x0F);
  for (int entry = 0; entry < 32; entry += 4) EXPECT_EQ(m().PpuMemory[0x3F00 + entry], 0x0F);
  m().PpuMemoryWrite(0x7005, 0x33);  // 14 bits: $3005, not mirrored
  EXPECT_EQ(std::tuple(m().PpuMemory[0x3005], m().PpuMemory[0x2005]), std::tuple(0x33, 0));
}

TEST_F(BanksTest, BankCopiesWrapInsideTheStores) {
  LoadBoard(0, 4, 2);
  m().CopyPrgWindow(0x8000, 32, 1);
  EXPECT_EQ(std::tuple(At(0x8000), At(0xFFFF)), std::tuple(P(4), P(7)));
  m().CopyPrg32At16kUnit(63);  // the second half wraps to unit 0
  EXPECT_EQ(std::tuple(At(0x8000), At(0xC000)), std::tuple(0, P(0)));
  m().CopyPrgWindow(0x8000, 8, 100000);  // far past the store: wraps, no overrun
  m().CopyChrWindow(0x0C00, 1, 100000);
  m().CopyChrWindow(0x0400, 1, 9);
  EXPECT_EQ(At(0x0400), C(9));
  m().SyncPatternCache();  // as the next line drawn does
  EXPECT_EQ(m().PatternCache[0x1000], C(9) & 1);
}

// Pattern bytes written through the data port: ROM cannot take them; CHR RAM and mapper 6's
// RAM banks do (and the cache follows at the next frame start).
TEST_F(BanksTest, PatternWritesReachOnlyChrRam) {
  // {mapper, CHR units, whether $0010 takes the byte}
  const std::tuple<uint8_t, uint8_t, bool> cases[] = {
      {0, 1, false}, {4, 8, false}, {0, 0, true}, {6, 4, true}};
  for (const auto& [mapper, chrUnits, writable] : cases) {
    LoadBoard(mapper, 2, chrUnits);
    const uint8_t before = m().PpuMemory[0x0010];
    m().PpuMemoryWrite(0x0010, static_cast<uint8_t>(before ^ 0x5A));
    EXPECT_EQ(std::pair(m().PpuMemory[0x0010] != before, m().PatternsDirty == 1),
              std::pair(writable, writable))
        << int{mapper};
  }
}

// A length load retriggers pulse 1 even with the value already there, pulse 2 only on a
// change, and forgets pulse 1's sweep write; pulse 2 keeps its own.
TEST_F(BanksTest, SoundChangeFlags) {
  for (uint16_t reg : {0x4001, 0x4003, 0x4005, 0x4007}) m().CpuWrite(reg, 0x88);
  m().Pulse1Changed = m().Pulse2Changed = 0;
  m().CpuWrite(0x4003, 0x88);
  m().CpuWrite(0x4007, 0x88);
  EXPECT_EQ(m().Pulse1Changed + 2 * m().Pulse2Changed, 1u);
  EXPECT_EQ(m().Pulse1SweepWritten + 2 * m().Pulse2SweepWritten, 2u);
  m().CpuWrite(0x4011, 0);
  EXPECT_EQ(m().CpuRead(0x4011), 0x80);
}

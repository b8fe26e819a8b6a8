#include "cart/board_test.h"

class Mmc1Test : public BoardTest {
 protected:
  // Five serial writes, low bit first; only the last one's address picks the register.
  void Serial(uint16_t address, uint8_t value, uint16_t firstFour = 0x8000) {
    for (int bit = 0; bit < 4; ++bit) m().CpuWrite(firstFour, (value >> bit) & 1);
    m().CpuWrite(address, (value >> 4) & 1);
  }
};

TEST_F(Mmc1Test, FifthWriteAddressPicksTheRegisterAndResetDiscards) {
  LoadBoard(1, 8, 4);
  Serial(0x8000, 0x0C);  // 16 KB mode, $8000 switchable
  Serial(0xE000, 0x01, 0xA000);
  EXPECT_EQ(At(0x8000), P(2));
  EXPECT_EQ(m().Mmc1Regs[1], 0);  // the first four writes went to $A000 but counted for $E000
  m().CpuWrite(0xE000, 1);
  m().CpuWrite(0xE000, 1);
  m().CpuWrite(0xE000, 0x80);
  EXPECT_EQ(m().Mmc1Regs[3], 0);  // only the addressed register is cleared
  EXPECT_EQ(At(0x8000), P(2));    // no bank change on reset
  Serial(0xE000, 0x02);
  EXPECT_EQ(At(0x8000), P(4));
}

// Control ($8000): bits 2-3 PRG mode, bit 4 CHR mode. Each case starts from power-on.
TEST_F(Mmc1Test, PrgAndChrBanks) {
  Run(1,
      {{8, 4, {{0x8000, 0x0C}, {0xE000, 3}}, {{0x8000, P(6)}, {0xC000, P(14)}}},
       {8, 4, {{0x8000, 0x08}, {0xE000, 3}}, {{0x8000, P(0)}, {0xC000, P(6)}}},
       {8, 4, {{0x8000, 0x08}, {0xE000, 3}, {0x8000, 0x0C}}, {{0x8000, P(6)}, {0xC000, P(14)}}},
       {8, 4, {{0x8000, 0x08}, {0xE000, 3}, {0x8000, 0x00}}, {{0x8000, P(4)}, {0xC000, P(6)}}},
       {8, 4, {{0x8000, 0x00}, {0xE000, 5}}, {{0x8000, P(8)}}},
       {32, 1, {{0x8000, 0x0C}, {0xE000, 3}}, {{0x8000, P(0)}, {0xC000, P(62)}}},
       {8, 4, {{0x8000, 0x10}, {0xA000, 5}, {0xC000, 2}}, {{0x0000, C(20)}, {0x1000, C(8)}}},
       {8, 4, {{0x8000, 0x00}, {0xA000, 3}, {0xC000, 6}}, {{0x0000, C(12)}, {0x1000, C(16)}}},
       // With CHR RAM, bank writes would copy an empty CHR ROM over what the game drew.
       {8, 0, {{0x8000, 0x10}, {0xA000, 1}, {0xC000, 1}, {0x8000, 0}, {0xA000, 0}},
        {{0x0000, kDrawn}, {0x1000, kDrawn}}}},
      [&](Write w) { Serial(w.address, w.value); });
}

TEST_F(Mmc1Test, ControlMirroring) {
  LoadBoard(1, 8, 4);
  FillTables({'A', 'A', 'B', 'B'});
  Serial(0x8000, 0x02);  // vertical
  EXPECT_EQ(Tables(), (Tables4{'A', 'B', 'A', 'B'}));
  EXPECT_EQ(VerticalMirroring, 1u);
  Serial(0x8000, 0x03);  // horizontal
  EXPECT_EQ(Tables(), (Tables4{'A', 'A', 'B', 'B'}));
  EXPECT_EQ(VerticalMirroring, 0u);
  Serial(0x8000, 0x01);  // one-screen, bit 0 set: still page A
  Serial(0x8000, 0x00);
  EXPECT_EQ(Tables(), (Tables4{'A', 'A', 'A', 'A'}));
  Serial(0x8000, 0x02);  // back to two screens: page B returns where it belongs
  EXPECT_EQ(Tables(), (Tables4{'A', 'B', 'A', 'B'}));
  m().PpuMemoryWrite(0x2000, 'x');
  EXPECT_EQ(m().PpuMemory[0x2800], 'x');
  EXPECT_EQ(m().PpuMemory[0x2400], 'B');
  Serial(0x8000, 0x00);
  Serial(0x8000, 0x03);  // and from one screen to horizontal
  EXPECT_EQ(Tables(), (Tables4{'x', 'x', 'B', 'B'}));
}

#include "apu/expansion.h"
#include "cart/board_test.h"

using VrcTest = BoardTest;

// 8 PRG units (16 banks of 8 KB), 16 CHR units (128 pages of 1 KB). The boards that write CHR
// halves copy only when both halves of a window have arrived.
TEST_F(VrcTest, BanksByBoard) {
  Run(21, {
              {8, 16, {{0x8000, 3}, {0xA000, 5}}, {{0x8000, P(3)}, {0xA000, P(5)}}},
              {8, 16, {{0x9002, 2}, {0x8000, 3}}, {{0x8000, P(0)}, {0xC000, P(3)}}},
              {8, 16, {{0xB000, 5}, {0xB002, 1}}, {{0x0000, C(0x15)}}},
              {8, 16, {{0xB000, 5}}, {{0x0000, 0}}},  // one half: nothing yet
              {8, 16, {{0xB004, 5}, {0xB006, 1}}, {{0x0400, C(0x15)}}},
              {8, 16, {{0xC000, 3}, {0xC002, 9}}, {{0x0800, C(0x13)}}},  // $93 mod 128
          });
  Run(22, {
              {8, 16, {{0xB000, 0x0A}, {0xB002, 0x02}}, {{0x0000, C(0x15)}}},
              {8, 16, {{0xE001, 0x04}, {0xE003, 0x06}}, {{0x1C00, C(0x32)}}},
              {8, 16, {{0x8000, 3}, {0x8001, 4}, {0xA001, 4}}, {{0x8000, P(3)}, {0xA000, P(1)}}},
          });
  Run(23, {
              {8, 16, {{0xB000, 5}, {0xB001, 1}}, {{0x0000, C(0x15)}}},
              // $B004 is read with lines 2-3 for that write only.
              {8, 16, {{0xB000, 5}, {0xB004, 1}}, {{0x0000, C(0x15)}}},
              {8, 16, {{0xD008, 2}, {0xD00C, 1}}, {{0x1400, C(0x12)}}},
              {8, 16, {{0x8FFF, 2}, {0xA123, 6}}, {{0x8000, P(2)}, {0xA000, P(6)}}},
          });
  Run(25, {
              // A first address ending in 4 fixes lines 2-3 for good: $B00C is window 1's high half.
              {8, 16, {{0xB004, 5}, {0xB00C, 1}}, {{0x0400, C(0x15)}}},
              {8, 16, {{0xB004, 5}, {0xB00C, 1}, {0xB008, 2}, {0xB000, 3}}, {{0x0000, C(0x23)}}},
              // A first address ending in 2 fixes lines 0-1: $B006 is window 1's high half.
              {8, 16, {{0xB002, 1}, {0xB000, 5}, {0xB004, 2}, {0xB006, 1}},
               {{0x0000, C(0x15)}, {0x0400, C(0x12)}}},
              {8, 16, {{0x9001, 2}, {0x8000, 4}, {0xA000, 7}},
               {{0x8000, P(0)}, {0xA000, P(7)}, {0xC000, P(4)}}},
          });
  Run(24, {
              {8, 16, {{0x8000, 2}, {0xC000, 7}}, {{0x8000, P(4)}, {0xA000, P(5)}, {0xC000, P(7)}}},
              {8, 16, {{0xD001, 9}, {0xE003, 130}}, {{0x0400, C(9)}, {0x1C00, C(2)}}},
              {8, 0, {{0xD001, 9}}, {{0x0400, kDrawn}}},  // CHR RAM keeps its tiles
          });
  Run(26, {
              // Lines 0 and 1 exchanged: $D001 is $0800, $D002 is $0400.
              {8, 16, {{0xD001, 9}, {0xD002, 7}, {0xE000, 4}},
               {{0x0800, C(9)}, {0x0400, C(7)}, {0x1000, C(4)}}},
          });
}

// Each board's mirroring register, from vertical with pages A and B: 2 always shows page A,
// 3 page B, whatever the arrangement before.
TEST_F(VrcTest, MirroringRegisters) {
  struct Case {
    uint8_t mapper;
    uint16_t address;
    uint8_t value;
    Tables4 tables;
  };
  const Case cases[] = {
      {21, 0x9000, 1, {'A', 'A', 'B', 'B'}}, {21, 0x9000, 2, {'A', 'A', 'A', 'A'}},
      {22, 0x9000, 3, {'B', 'B', 'B', 'B'}}, {23, 0x9000, 0xFF, {'A', 'A', 'B', 'B'}},
      {23, 0x9004, 3, {'B', 'B', 'B', 'B'}}, {25, 0x9000, 2, {'A', 'A', 'A', 'A'}},
      {25, 0x9001, 1, {'A', 'B', 'A', 'B'}},  // the PRG-target register, not mirroring
      {24, 0xB003, 0x2C, {'B', 'B', 'B', 'B'}}, {24, 0xB003, 0x24, {'A', 'A', 'B', 'B'}},
      {24, 0xB003, 0x25, {'A', 'B', 'A', 'B'}}, {26, 0xB003, 0xA0, {'A', 'A', 'B', 'B'}},
      {16, 0x6009, 2, {'A', 'A', 'A', 'A'}}, {16, 0x8009, 3, {'B', 'B', 'B', 'B'}},
      {18, 0xF002, 2, {'A', 'A', 'A', 'A'}}, {18, 0xF002, 1, {'A', 'A', 'B', 'B'}},
      {10, 0xF000, 1, {'A', 'A', 'B', 'B'}}, {32, 0x9FF0, 1, {'A', 'A', 'B', 'B'}},
      {33, 0x8000, 0x00, {'A', 'A', 'B', 'B'}}, {6, 0x42FE, 0x10, {'B', 'B', 'B', 'B'}},
      {6, 0x42FF, 0x10, {'A', 'A', 'B', 'B'}}, {17, 0x42FE, 0x10, {'B', 'B', 'A', 'B'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mapper " << int(c.mapper) << " $" << std::hex << c.address);
    LoadBoard(c.mapper, 8, 16, 1);  // vertical
    FillTables({'A', 'B', 'A', 'B'});
    m().CpuWrite(c.address, c.value);
    EXPECT_EQ(Tables(), c.tables);
  }
}

TEST_F(VrcTest, CounterRegisters) {
  LoadBoard(21, 8, 16);
  for (Write w : {Write{0xF000, 5}, Write{0xF002, 1}, Write{0xF004, 3}})
    m().CpuWrite(w.address, w.value);
  EXPECT_EQ(m().IrqLatch, 0x15);
  EXPECT_EQ(m().IrqCounter, 0x15);
  EXPECT_EQ(m().IrqEnabled + 2 * m().IrqAckEnable, 3);
  m().IrqEnabled = 0;
  m().CpuWrite(0xF006, 0);  // acknowledge
  EXPECT_EQ(m().IrqEnabled, 1);

  LoadBoard(23, 8, 16);
  IrqAdjust = -2;
  for (Write w : {Write{0xF000, 0x0C}, Write{0xF004, 0x0F}, Write{0xF008, 2}})
    m().CpuWrite(w.address, w.value);
  EXPECT_EQ(m().IrqCounter, 0xFC - 2);
  EXPECT_EQ(m().IrqEnabled + 2 * m().IrqAckEnable, 1);

  LoadBoard(25, 8, 16);  // $F008 is only a latch register on the lines-2-3 wiring
  for (Write w : {Write{0xF008, 1}, Write{0xF000, 2}, Write{0xF004, 2}})
    m().CpuWrite(w.address, w.value);
  EXPECT_EQ(m().IrqCounter, 0x12);
  EXPECT_EQ(m().IrqEnabled, 1);

  LoadBoard(24, 8, 16);
  IrqAdjust = 1;
  for (Write w : {Write{0xF000, 0xF0}, Write{0xF001, 1}, Write{0xF002, 0}})
    m().CpuWrite(w.address, w.value);
  EXPECT_EQ(m().IrqCounter, 0xF1);
  EXPECT_EQ(m().IrqEnabled, 3);  // bit 0 alone enables, and acknowledging keeps it
  for (Write w : {Write{0x9001, 0x33}, Write{0xB002, 0x44}, Write{0x9003, 0x55}})
    m().CpuWrite(w.address, w.value);
  EXPECT_EQ(Vrc6Registers[0][1], 0x33);
  EXPECT_EQ(Vrc6Registers[2][2], 0x44);

  LoadBoard(26, 8, 16);
  for (Write w : {Write{0xF000, 10}, Write{0xF002, 3}}) m().CpuWrite(w.address, w.value);
  EXPECT_EQ(m().LineCounter, 10 + 40);
  EXPECT_EQ(m().IrqEnabled + 2 * m().LineIrqEnabled, 5);
  m().LineIrqEnabled = 0;
  m().CpuWrite(0xF001, 0);
  EXPECT_EQ(m().LineIrqEnabled, 1);
}

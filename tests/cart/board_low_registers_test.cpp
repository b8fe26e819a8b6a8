#include "cart/board_test.h"

using LowRegisterBoardTest = BoardTest;

TEST_F(LowRegisterBoardTest, RegistersSelectTheWrittenBanks) {
  // 80: 2 KB CHR at any 1 KB page (bit 7 is the name-table bit), 1 KB CHR, 8 KB PRG in pairs.
  Run(80, {{16, 16, {{0x7EF0, 3}, {0x7EF1, 0x85}}, {{0x07FF, C(4)}, {0x0800, C(5)}, {0x0C00, C(6)}}},
           {16, 16, {{0x7EF2, 0x89}, {0x7EF5, 2}}, {{0x1000, C(9)}, {0x1C00, C(2)}}},
           {16, 16, {{0x7EFB, 35}, {0x7EFC, 4}, {0x7EFF, 5}},
            {{0x8000, P(3)}, {0xA000, P(4)}, {0xC000, P(5)}}},
           {16, 16, {{0x7EF6, 3}, {0x6000, 9}}, {{0x1000, C(4)}, {0x6000, 0}}}});
  // 91: 2 KB CHR by address bits 0-1; 8 KB PRG at $8000 or $A000 by address bit 0.
  Run(91, {{8, 32, {{0x6002, 5}, {0x6FFD, 9}}, {{0x1000, C(10)}, {0x17FF, C(11)}, {0x0800, C(18)}}},
           {8, 32, {{0x7001, 19}, {0x7FFE, 2}}, {{0xA000, P(3)}, {0x8000, P(2)}, {0xC000, P(14)}}}});
  Run(246, {{8, 4, {{0x6805, 0x42}, {0x6008, 0x42}}, {{0x6805, 0x42}, {0x6008, 0}}},
            {8, 4, {{0x6000, 7}, {0x6003, 9}}, {{0x8000, P(7)}, {0xE000, P(9)}}},
            {8, 4, {{0x6006, 18}}, {{0x1000, C(4)}, {0x17FF, C(5)}, {0x1800, C(6)}}}});
}

// Mapper 80's 2 KB registers move name-table pages through the scratch page by bit 7 and a
// state that starts at 1 at power-on. Tables start as A B C D.
TEST_F(LowRegisterBoardTest, Mapper80NameTableSteps) {
  struct Step {
    Write write;
    Tables4 tables;
    uint8_t scratch, state;
  };
  LoadBoard(80, 16, 16);
  FillTables({'A', 'B', 'C', 'D'});
  for (const Step& step : {Step{{0x7EF0, 0x00}, {'C', 'D', 'C', 'D'}, 'A', 3},
                           Step{{0x7EF0, 0x00}, {'C', 'D', 'C', 'D'}, 'A', 3},  // nothing moves
                           Step{{0x7EF0, 0x80}, {'A', 'A', 'C', 'D'}, 'A', 1},
                           Step{{0x7EF1, 0x00}, {'A', 'A', 'A', 'A'}, 'C', 0},
                           Step{{0x7EF1, 0x80}, {'A', 'A', 'C', 'C'}, 'C', 1}}) {
    m().CpuWrite(step.write.address, step.write.value);
    EXPECT_EQ(Tables(), step.tables);
    EXPECT_EQ(m().NameTableScratch[0], step.scratch);
    EXPECT_EQ(m().LineCounter, step.state);
  }
  EXPECT_EQ(m().OneScreenLow, 1);
  EXPECT_EQ(VerticalMirroring, 0u);
}

// Mapper 91's counter fires only once IrqEnabled is set, and none of its registers set it.
TEST_F(LowRegisterBoardTest, Mapper91RegistersNeverArmTheIrq) {
  LoadBoard(91, 8, 8);
  m().PC = 0x1234;
  for (uint32_t address = 0x6000; address < 0x10000; address += 0x0101) {
    m().CpuWrite(static_cast<uint16_t>(address), 0xFF);
    StepCountersB(m());
  }
  EXPECT_EQ(m().IrqEnabled, 0);
  EXPECT_EQ(m().PC, 0x1234);
}

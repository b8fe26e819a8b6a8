// The per-scanline IRQ counters, set by hand and stepped line by line. An IRQ shows as the
// jump to the vector at $FFFE ($C000) with PC and P pushed.
#include "driver/mapper_counters.h"

#include "core/globals.h"
#include "log/log.h"
#include "support/fixture.h"

namespace {

class MapperCounterTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    m().CpuMemory[0xFFFE] = 0x00;
    m().CpuMemory[0xFFFF] = 0xC0;
    Board(0);
  }
  void Board(uint8_t mapper) {
    MapperNumber = mapper;
    m().PC = 0x1234;
    m().S = 0xFF;
    m().P = 0x30;  // B and bit 5 set, so the pushed copy shows whether B was cleared
  }
  bool Fired() const { return machine->PC == 0xC000; }
  uint8_t PushedStatus() const { return machine->CpuMemory[0x1FD]; }
  // Steps table A (line 20) until an IRQ or `limit` lines; returns the lines stepped.
  int RunA(int limit, int line = 20) {
    for (int n = 1; n <= limit; ++n) {
      StepCountersA(m(), line);
      if (Fired()) return n;
    }
    return -1;
  }
  int RunB(int limit) {
    for (int n = 1; n <= limit; ++n) {
      StepCountersB(m());
      if (Fired()) return n;
    }
    return -1;
  }
};

TEST_F(MapperCounterTest, CycleCountersFireAndReload) {
  // 17: +114 a line, fires above $FF7F, back to 0, P pushed as it is.
  Board(17);
  m().IrqEnabled = 1;
  m().IrqCounter = 0xFF7F - 114 * 3;
  EXPECT_EQ(RunA(10), 4);
  EXPECT_EQ(m().IrqCounter, 0);
  EXPECT_EQ(PushedStatus(), 0x30);
  EXPECT_EQ(m().P & 0x04, 0x04);

  // 16: IrqWord -116 (+IrqAdjust) while IrqLatch, fires above $FF80 (after passing zero).
  Board(16);
  IrqAdjust = 2;
  m().IrqLatch = 1;
  m().IrqWord = 114 * 2;  // 114, 0, then $FF8E
  EXPECT_EQ(RunA(10), 3);
  EXPECT_EQ(m().IrqWord, 0xFF00);
  EXPECT_EQ(m().IrqLatch, 0);
  IrqAdjust = 0;

  // 18: -114, fires below $81, then $FFFF and disabled.
  Board(18);
  m().IrqEnabled = 1;
  m().IrqCounter = 0x80 + 114 * 2;
  EXPECT_EQ(RunA(10), 2);
  EXPECT_EQ(m().IrqCounter, 0xFFFF);
  EXPECT_EQ(m().IrqEnabled, 0);

  // 69: the same count, but stays enabled.
  Board(69);
  m().IrqEnabled = 1;
  m().IrqCounter = 0x80 + 114;
  EXPECT_EQ(RunA(10), 1);
  EXPECT_EQ(m().IrqCounter, 0xFFFF);
  EXPECT_EQ(m().IrqEnabled, 1);

  // 6 (table B, visible lines): +114, fires at $FF80 or above, pushed P unchanged.
  Board(6);
  m().IrqEnabled = 1;
  m().IrqCounter = 0xFF80 - 114 * 2;
  EXPECT_EQ(RunB(10), 2);
  EXPECT_EQ(m().IrqCounter, 0);
  EXPECT_EQ(PushedStatus(), 0x30);

  // Disabled counters do not move.
  Board(17);
  m().IrqEnabled = 0;
  m().IrqCounter = 0x100;
  EXPECT_EQ(RunA(5), -1);
  EXPECT_EQ(m().IrqCounter, 0x100);
}

TEST_F(MapperCounterTest, KonamiCountersReloadFromTheirLatch) {
  Board(21);
  m().IrqEnabled = 2;
  m().IrqAckEnable = 2;
  m().IrqLatch = 0xF0;
  m().IrqCounter = 0xF0;
  EXPECT_EQ(RunA(40), 15);  // fires when it reaches $FF
  EXPECT_EQ(m().IrqCounter, 0xF0);
  EXPECT_EQ(m().IrqEnabled, 2);

  Board(23);  // threshold $FD, reload adds LineIrqEnabled
  m().IrqEnabled = 1;
  m().IrqAckEnable = 0;
  m().IrqLatch = 0xF0;
  m().LineIrqEnabled = 3;
  m().IrqCounter = 0xFB;
  EXPECT_EQ(RunA(10), 2);
  EXPECT_EQ(m().IrqCounter, 0xF3);
  EXPECT_EQ(m().IrqEnabled, 0);

  Board(24);  // reload from IrqWord; enable becomes bit 0 times 3
  m().IrqEnabled = 0x81;
  m().IrqWord = 0x10;
  m().IrqCounter = 0xFE;
  EXPECT_EQ(RunA(10), 1);
  EXPECT_EQ(m().IrqCounter, 0x10);
  EXPECT_EQ(m().IrqEnabled, 3);

  Board(25);  // threshold 255 + IrqAdjust, signed
  IrqAdjust = -5;
  m().IrqEnabled = 1;
  m().IrqAckEnable = 1;
  m().IrqLatch = 0;
  m().IrqCounter = 0xF0;
  EXPECT_EQ(RunA(20), 10);
  EXPECT_EQ(m().IrqCounter, 0);
  EXPECT_EQ(PushedStatus(), 0x30);
}

TEST_F(MapperCounterTest, NamcoCounterRunsFastEarlyAndSkipsIrqsNearTheTop) {
  Board(19);
  m().IrqEnabled = 1;
  m().IrqWord = 7;
  m().IrqCounter = 0xFFFF - 119 * 2 + 1;
  // Line 0 clears IrqWord first, so the step is 114 + 5.
  StepCountersA(m(), 0);
  EXPECT_EQ(m().IrqWord, 0);
  EXPECT_EQ(m().IrqCounter, 0xFFFF - 119 + 1);
  StepCountersA(m(), 1);  // passes $FFFF on line 1: no IRQ so near the top, but disabled
  EXPECT_FALSE(Fired());
  EXPECT_EQ(m().IrqCounter, 0xFFFF);
  EXPECT_EQ(m().IrqEnabled, 0);

  m().IrqEnabled = 1;
  m().IrqWord = 2;  // one more per line on the third IRQ of the frame
  m().IrqCounter = 0xFFFF - 115 + 1;
  StepCountersA(m(), 50);
  EXPECT_TRUE(Fired());
  EXPECT_EQ(m().IrqWord, 3);
  EXPECT_EQ(m().IrqCounter, 0xFFFF);
  EXPECT_EQ(m().IrqEnabled, 0);

  Board(19);
  m().IrqEnabled = 2;  // only exactly 1 runs the counter
  m().IrqCounter = 5;
  StepCountersA(m(), 50);
  EXPECT_EQ(m().IrqCounter, 5);
}

TEST_F(MapperCounterTest, LineCountersOfTheMmc3LikeBoards) {
  const struct {
    uint8_t mapper;
    bool needsRendering;
    bool runsWhileDisabled;
    uint8_t reloadAfter;  // LineCounter after the IRQ (0 when not reloaded)
    uint8_t enabledAfter;
    const char* log;
  } boards[] = {
      {4, true, true, 0, 0, ""},        {26, false, false, 0, 0, ""},
      {74, true, false, 0, 0, "IRQ\n"}, {118, true, true, 9, 1, ""},
      {160, false, true, 9, 0, ""},     {161, false, false, 9, 0, ""},
      {245, false, true, 0, 0, "W"},    {249, true, true, 0, 0, "IRQ\n"},
  };
  for (const auto& b : boards) {
    SCOPED_TRACE(int(b.mapper));
    LogStart();
    Board(b.mapper);
    m().LineReload = 9;
    m().LineIrqEnabled = 1;
    m().LineCounter = 3;
    m().CpuMemory[kPpuMask] = 0x00;
    StepCountersB(m());
    EXPECT_EQ(m().LineCounter, b.needsRendering ? 3 : 2) << "rendering off";
    m().CpuMemory[kPpuMask] = 0x10;  // sprites alone count as rendering
    m().LineCounter = 3;
    EXPECT_EQ(RunB(10), 3);
    EXPECT_EQ(m().LineCounter, b.reloadAfter);
    EXPECT_EQ(m().LineIrqEnabled, b.enabledAfter);
    EXPECT_EQ(PushedStatus(), 0x20) << "B cleared in the pushed copy";
    EXPECT_EQ(ReadLog(), b.log);

    Board(b.mapper);
    m().LineIrqEnabled = 0;
    m().LineCounter = 3;
    StepCountersB(m());
    EXPECT_EQ(m().LineCounter, b.runsWhileDisabled ? 2 : 3);
    EXPECT_FALSE(Fired());
  }

  // 73 counts its 16-bit IrqCounter down on every visible line.
  Board(73);
  m().IrqEnabled = 1;
  m().IrqCounter = 2;
  EXPECT_EQ(RunB(5), 2);
  EXPECT_EQ(m().IrqCounter, 0xFF);
  EXPECT_EQ(m().IrqEnabled, 0);
  EXPECT_EQ(PushedStatus(), 0x20);
  StepCountersB(m());
  EXPECT_EQ(m().IrqCounter, 0xFE);
}

TEST_F(MapperCounterTest, TheIFlagBlocksFiringButNotCounting) {
  // MMC3: the counter reaches 0 with I set, runs on past it, and fires the next time round.
  Board(4);
  m().P = 0x34;
  m().CpuMemory[kPpuMask] = 0x08;
  m().LineIrqEnabled = 1;
  m().LineCounter = 1;
  StepCountersB(m());
  EXPECT_FALSE(Fired());
  EXPECT_EQ(m().LineCounter, 0);
  EXPECT_EQ(m().LineIrqEnabled, 1);
  StepCountersB(m());
  EXPECT_EQ(m().LineCounter, 255);
  m().P = 0x30;
  EXPECT_EQ(RunB(300), 255);

  // 17: passes its threshold with I set, keeps counting, fires on the first line I is clear.
  Board(17);
  m().P = 0x34;
  m().IrqEnabled = 1;
  m().IrqCounter = 0xFF10;
  StepCountersA(m(), 20);
  EXPECT_FALSE(Fired());
  EXPECT_EQ(m().IrqCounter, 0xFF82);
  m().P = 0x30;
  EXPECT_EQ(RunA(1), 1);
  EXPECT_EQ(m().IrqCounter, 0);

  // 18 with I set neither reloads nor disables.
  Board(18);
  m().P = 0x34;
  m().IrqEnabled = 1;
  m().IrqCounter = 0x90;
  StepCountersA(m(), 20);
  EXPECT_EQ(m().IrqEnabled, 1);
  EXPECT_EQ(m().IrqCounter, static_cast<uint16_t>(0x90 - 114));

  // 91 fires at once whatever I says, and switches itself off.
  Board(91);
  m().P = 0x34;
  m().IrqEnabled = 1;
  m().IrqCounter = 77;
  StepCountersB(m());
  EXPECT_TRUE(Fired());
  EXPECT_EQ(PushedStatus(), 0x34);
  EXPECT_EQ(m().IrqEnabled, 0);
  EXPECT_EQ(m().IrqCounter, 0);
}

}  // namespace

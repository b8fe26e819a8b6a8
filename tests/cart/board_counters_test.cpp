// The per-scanline IRQ counters of every board, set by hand and stepped line by line. An IRQ
// shows as the jump to the vector at $FFFE ($C000) with PC and P pushed.
#include <tuple>

#include "cart/board_test.h"

namespace {

// The counter fields a board may touch, before and after the steps.
struct Counters {
  uint8_t enabled = 0;
  uint16_t counter = 0, word = 0;
  uint8_t latch = 0, ack = 0, lineEnabled = 0, lineCounter = 0;
  auto Fields() const {
    return std::tie(enabled, counter, word, latch, ack, lineEnabled, lineCounter);
  }
};

auto Fields(Machine& m) {
  return std::tie(m.IrqEnabled, m.IrqCounter, m.IrqWord, m.IrqLatch, m.IrqAckEnable,
                  m.LineIrqEnabled, m.LineCounter);
}

struct StepCase {
  const char* what;
  uint8_t mapper;
  Counters before;
  int limit, fires;  // lines stepped at most; the step that took the IRQ, 0 for none
  Counters after;
  // P as pushed (P is $30, B and bit 5 set, unless given); $2001, where sprites alone count as
  // rendering.
  uint8_t pushed = 0x30, mask = 0x10;
  const char* log = "";
  uint8_t p = 0x30;
  int16_t adjust = 0;
  int firstLine = 20;
};

// The MMC3-like boards' line counter at 3, enabled or not, and after an IRQ without reload.
constexpr Counters kOn3{0, 0, 0, 0, 0, 1, 3}, kOff3{0, 0, 0, 0, 0, 0, 3},
    kOff2{0, 0, 0, 0, 0, 0, 2}, kOff0{0, 0, 0, 0, 0, 0, 0}, kOff9{0, 0, 0, 0, 0, 0, 9};

// Each board steps through the one per-line call the frame loop makes; LineReload is 9.
// clang-format off
const StepCase kCases[] = {
    // Cycle counters of table A and mapper 6 of table B.
    {"17 +114, fires above FF7F", 17, {1, 0xFE29}, 10, 4, {1, 0}},
    {"17 disabled stands", 17, {0, 0x100}, 5, 0, {0, 0x100}},
    {"16 -116+adjust", 16, {0, 0, 228, 1}, 10, 3, {0, 0, 0xFF00, 0}, 0x30, 0x10, "", 0x30, 2},
    {"18 fires below 81, disables", 18, {1, 0x164}, 10, 2, {0, 0xFFFF}},
    {"69 the same, stays enabled", 69, {1, 0xF2}, 10, 1, {1, 0xFFFF}},
    {"6 fires at FF80", 6, {1, 0xFF80 - 228}, 10, 2, {1, 0}},
    // Konami line counters reload from their latch.
    {"21 fires at FF", 21, {2, 0xF0, 0, 0xF0, 2}, 40, 15, {2, 0xF0, 0, 0xF0, 2}},
    {"23 at FD, reload + addend", 23, {1, 0xFB, 0, 0xF0, 0, 3}, 10, 2, {0, 0xF3, 0, 0xF0, 0, 3}},
    {"23 addend lasts a frame", 23, {1, 0xFC, 0, 0xF0, 0, 3}, 1, 1, {0, 0xF0, 0, 0xF0}, 0x30, 0x10,
     "", 0x30, 0, 0},
    {"24 reload from IrqWord", 24, {0x81, 0xFE, 0x10}, 10, 1, {3, 0x10, 0x10}},
    {"25 at 255+adjust", 25, {1, 0xF0, 0, 0, 1}, 20, 10, {1, 0, 0, 0, 1}, 0x30, 0x10, "", 0x30, -5},
    // Namco: line 0 clears IrqWord (step 119); no IRQ so near the top, but it disables itself.
    {"19 near the top", 19, {1, 0xFF12, 7}, 2, 0, {0, 0xFFFF, 0}, 0x30, 0x10, "", 0x30, 0, 0},
    {"19 third IRQ, step 115", 19, {1, 0xFF8D, 2}, 1, 1, {0, 0xFFFF, 3}},
    {"19 runs only at 1", 19, {2, 5}, 1, 0, {2, 5}},
    // VRC3 counts on every line, enabled or not.
    {"73 fires at 0", 73, {1, 2}, 5, 2, {0, 0xFF}, 0x20},
    {"73 counts while disabled", 73, {0, 0xFF}, 1, 0, {0, 0xFE}},
    // The MMC3-like boards: IRQ at 0 with B cleared; reload. Each rendering and enable rule
    // once: the boards share the stepping and differ only in which rules they take.
    {"4", 4, kOn3, 10, 3, kOff0, 0x20},
    {"4 needs rendering", 4, kOn3, 1, 0, kOn3, 0x30, 0},
    {"4 runs disabled", 4, kOff3, 1, 0, kOff2},
    {"4 still below the picture", 4, kOn3, 22, 0, kOn3, 0x30, 0x10, "", 0x30, 0, 240},
    {"26 without rendering", 26, kOn3, 10, 3, kOff0, 0x20, 0},
    {"26 stops disabled", 26, kOff3, 1, 0, kOff3},
    {"74 logs", 74, kOn3, 10, 3, kOff0, 0x20, 0x10, "IRQ\n"},
    {"118 reloads, stays on", 118, kOn3, 10, 3, {0, 0, 0, 0, 0, 1, 9}, 0x20},
    {"160 reloads, disables", 160, kOn3, 10, 3, kOff9, 0x20, 0},
    {"161 reloads, disables", 161, kOn3, 10, 3, kOff9, 0x20, 0},
    {"245 logs", 245, kOn3, 10, 3, kOff0, 0x20, 0, "W"},
    {"249 logs", 249, kOn3, 10, 3, kOff0, 0x20, 0x10, "IRQ\n"},
    // The I flag blocks the firing branch (IRQ, reload, disable) but not the counting.
    {"4 runs past 0", 4, {0, 0, 0, 0, 0, 1, 1}, 2, 0, {0, 0, 0, 0, 0, 1, 255}, 0, 0x10, "", 0x34},
    {"17 counts on", 17, {1, 0xFF10}, 1, 0, {1, 0xFF82}, 0, 0x10, "", 0x34},
    {"18 stays", 18, {1, 0x90}, 1, 0, {1, 0x1E}, 0, 0x10, "", 0x34},
    {"91 ignores I", 91, {1, 77}, 1, 1, {0, 0}, 0x34, 0x10, "", 0x34},
};
// clang-format on

using BoardCounterTest = BoardTest;

TEST_F(BoardCounterTest, EveryBoardCountsFiresAndReloads) {
  m().CpuMemory[0xFFFE] = 0x00, m().CpuMemory[0xFFFF] = 0xC0;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    LogStart();
    MapperNumber = c.mapper, m().IrqAdjust = c.adjust, m().LineReload = 9;
    m().PC = 0x1234, m().S = 0xFF, m().P = c.p, m().CpuMemory[kPpuMask] = c.mask;
    Fields(m()) = c.before.Fields();
    const int fired = StepsToIrq(c.firstLine, c.limit);
    EXPECT_EQ(fired, c.fires);
    if (fired) {
      EXPECT_EQ(m().CpuMemory[0x1FD], c.pushed);
    }
    EXPECT_EQ(Fields(m()), c.after.Fields());
    EXPECT_EQ(ReadLog(), c.log);
  }
}

// {m().IrqAdjust, address, value, then counter, reload, enabled}; each row starts from counter
// 50, reload 20, enabled 1. $A001 bit 7 opens the save RAM.
TEST_F(BoardCounterTest, Mmc3CounterRegisters) {
  // clang-format off
  const std::tuple<int16_t, uint16_t, uint8_t, uint8_t, uint8_t, uint8_t> cases[] = {
      {0, 0xC000, 9, 10, 20, 1}, {0, 0xC001, 9, 50, 10, 1}, {0, 0xE000, 0, 20, 20, 0},
      {0, 0xE001, 0, 50, 20, 1}, {-2, 0xC000, 0, 255, 20, 1}, {-2, 0xE000, 0, 18, 20, 0},
      {0, 0xC001, 255, 50, 0, 1}, {3, 0xDFFE, 254, 2, 20, 1}, {0, 0xFFFE, 7, 20, 20, 0}};
  // clang-format on
  LoadBoard(4, 8, 4);
  for (const auto& [adjust, address, value, counter, reload, enabled] : cases) {
    m().IrqAdjust = adjust, m().LineCounter = 50, m().LineReload = 20, m().LineIrqEnabled = 1;
    m().CpuWrite(address, value);
    EXPECT_EQ(std::tuple(m().LineCounter, m().LineReload, m().LineIrqEnabled),
              std::tuple(counter, reload, enabled))
        << std::hex << address << " adjust " << adjust;
  }
  m().CpuWrite(0xA001, 0x80);
  EXPECT_EQ(SramEnable, 1u);
}

}  // namespace

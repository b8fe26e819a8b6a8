#include <cstddef>
#include <map>

#include "cart/board_test.h"

namespace {

// The registers boards set at power-on, by the names the rows below use.
std::map<std::string, uint32_t> Registers(Machine& m) {
  return {{"Latches", m.LineReload << 8 | m.LineIrqEnabled}, {"Copier", m.CommandIndex},
          {"CopierBank", m.PrgSelect}, {"Ext", m.Mapper48Regs[0] << 8 | m.Mapper48Regs[1]},
          {"IrqLatch", m.IrqLatch}, {"IrqEnabled", m.IrqEnabled}, {"FourScreen", FourScreen},
          {"NtPages", uint32_t(m.BankRegs[4] << 12 | m.BankRegs[5] << 8 | m.BankRegs[6] << 4 |
                               m.BankRegs[7])},
          {"NtRom0", m.BankRegs[0]}, {"IrqWord", m.IrqWord}, {"SoundAddress", m.NamcoSoundAddress},
          {"AckEnable", m.IrqAckEnable}, {"PrgTarget", m.MapperWord},
          {"Halves13", m.BankRegs[13] << 8 | m.ExtraRegs[13]}, {"Halves7", m.ExtraRegs[7]},
          {"Shift", m.ShiftValue << 8 | m.ShiftCount}, {"LineIrqEnabled", m.LineIrqEnabled},
          {"LineCounter", m.LineCounter}, {"PrgRecords", PrgWindowBank[0] << 8 | PrgWindowBank[1]},
          {"ChrRecord0", ChrWindowBank[0]}, {"MapperMode", m.MapperMode}};
}

// What a machine that ran another cartridge may still hold: every register byte is junk.
void Dirty(Machine& m) {
  std::memset(&m.Spare0, 0x5A, offsetof(Machine, CpuMemory) - offsetof(Machine, Spare0));
  std::memset(&m.LineCounter, 0x5A, offsetof(Machine, IrqWord) - offsetof(Machine, LineCounter));
  m.IrqWord = 0x5A5A;
  std::memset(m.PpuMemory, kDrawn, 0x2000);
}

// PRG layouts on a 16-unit image, as the 8 KB bank in each window (0xFF: left empty).
using Banks = std::array<uint8_t, 4>;
constexpr Banks kFirstLast{0, 1, 30, 31}, kFirst32k{0, 1, 2, 3}, kLast8k{31, 31, 31, 31},
    kLast32k{28, 29, 30, 31};
// CHR layouts: which 1 KB pages land at $0000 and $1000, and whether they need CHR ROM.
enum class Chr { First, FirstIfRom, None, Last, Split184 };

struct PowerOn {
  uint8_t mapper;
  Banks prg;
  Chr chr;
  std::map<std::string, uint32_t> regs;
};

}  // namespace

using PowerOnTest = BoardTest;

TEST_F(PowerOnTest, EveryBoardStartsWithItsWindowsAndRegisters) {
  using enum Chr;
  const std::map<std::string, uint32_t> kMmc3{{"LineIrqEnabled", 0}}, kNone;
  const std::vector<PowerOn> boards = {
      {0, kFirst32k, FirstIfRom, kNone}, {1, kFirstLast, First, {{"Shift", 0}}},
      {2, kFirstLast, None, kNone}, {3, {0xFF, 0xFF, 0xFF, 0xFF}, First, kNone},
      {4, kFirstLast, FirstIfRom, kMmc3}, {5, kFirstLast, First, {{"Ext", 0x303}}},
      {6, {0, 1, 14, 15}, None, {{"Copier", 0x20}, {"CopierBank", 0}}},
      {7, kFirst32k, None, kNone}, {8, kFirst32k, First, kNone},
      {10, kFirstLast, First, {{"Latches", 0xFEFE}}}, {11, kFirst32k, First, kNone},
      {15, kFirst32k, None, kNone}, {16, kFirstLast, None, {{"IrqLatch", 0}}},
      {17, kFirstLast, None, kNone}, {18, kFirstLast, First, kNone},
      {19, {0xFF, 0xFF, 0xFF, 31}, Last,
       {{"FourScreen", 1}, {"NtPages", 0x0011}, {"NtRom0", 0}, {"IrqWord", 0xFF8C},
        {"SoundAddress", 0}, {"AckEnable", 0}, {"PrgRecords", 0xFFFF}, {"ChrRecord0", 255}}},
      {21, kFirstLast, None, {{"PrgTarget", 0x8000}, {"Halves13", 0}, {"IrqEnabled", 0}}},
      {22, kFirstLast, First, kNone}, {23, kFirstLast, None, {{"Halves7", 0}}},
      {24, kFirstLast, FirstIfRom, kNone},
      {25, kFirstLast, None,
       {{"PrgTarget", 0x8000}, {"Halves13", 0}, {"Shift", 0}, {"LineIrqEnabled", 0}}},
      {26, kFirstLast, First, kNone}, {32, kFirstLast, First, {{"LineIrqEnabled", 1}}},
      {33, kFirstLast, FirstIfRom, {{"PrgRecords", 0x0001}}}, {34, kFirst32k, FirstIfRom, kNone},
      {41, kFirst32k, First, {{"MapperMode", 0}}}, {48, kLast8k, First, {{"Ext", 0x303}}},
      {64, kLast8k, FirstIfRom, kMmc3}, {65, kFirstLast, None, kNone},
      {66, kFirst32k, First, kNone}, {68, kFirstLast, First, kNone},
      {69, kFirstLast, First, kNone}, {70, kFirstLast, First, kNone},
      {71, kFirstLast, None, kNone}, {73, kFirstLast, First, kNone},
      {74, kFirstLast, FirstIfRom, kMmc3}, {78, kFirstLast, FirstIfRom, kNone},
      {79, kFirstLast, FirstIfRom, kNone}, {80, kFirstLast, First, {{"LineCounter", 1}}},
      {87, kFirstLast, First, kNone}, {89, kFirstLast, First, kNone},
      {90, kFirstLast, None, kNone}, {91, {30, 31, 30, 31}, None, kNone},
      {96, kFirstLast, FirstIfRom, kNone}, {112, kFirstLast, First, kMmc3},
      {115, kFirstLast, First, kMmc3}, {118, kFirstLast, First, kMmc3},
      {160, kFirstLast, First, kNone}, {161, kFirstLast, First, kMmc3},
      {184, kFirstLast, Split184, kNone}, {185, kFirst32k, First, kNone},
      {225, kFirst32k, First, kNone}, {227, {0, 1, 0, 1}, None, kNone},
      {228, kLast32k, First, kNone}, {231, kFirstLast, None, kNone},
      {232, kFirstLast, None, kNone}, {240, kFirstLast, First, kNone},
      {241, kLast32k, None, kNone}, {242, kFirstLast, FirstIfRom, kNone},
      {245, kFirstLast, None, kMmc3}, {246, kFirstLast, First, kNone},
      {249, kFirstLast, First, kMmc3}, {250, kFirstLast, First, kNone},
      {254, kFirstLast, First, kNone},
  };
  ASSERT_EQ(boards.size(), 64u);
  for (const PowerOn& board : boards) {
    EXPECT_TRUE(IsSupportedMapper(board.mapper)) << int(board.mapper);
    for (uint8_t chrUnits : {4, 0}) {
      SCOPED_TRACE(testing::Message() << "mapper " << int(board.mapper) << ", " << int(chrUnits)
                                      << " CHR units");
      machine = std::make_unique<Machine>();
      ResetGlobals();
      Dirty(m());
      ASSERT_EQ(Load(Image(board.mapper, 16, chrUnits)), kLoadOk);
      for (int w = 0; w < 4; ++w)
        EXPECT_EQ(At(0x8000 + w * 0x2000), board.prg[w] == 0xFF ? 0 : P(board.prg[w]))
            << "PRG window " << w;
      // Pages at $0000 and $1000; kDrawn where nothing was copied, 0 from an empty store.
      std::array<uint8_t, 2> chr{kDrawn, kDrawn};
      const bool rom = chrUnits != 0;
      if (board.chr == First || (board.chr == FirstIfRom && rom)) chr = {C(0), C(4)};
      if (board.chr == Last) chr = {C(24), C(28)};
      if (board.chr == Split184) chr = {C(8), C(12)};
      if (!rom && chr[0] != kDrawn) chr = {0, 0};
      EXPECT_EQ(At(0x0000), chr[0]);
      EXPECT_EQ(At(0x1000), chr[1]);
      EXPECT_EQ(m().OneScreenLow, board.mapper == 118 ? 1 : 0);
      const auto registers = Registers(m());
      for (const auto& [name, value] : board.regs) EXPECT_EQ(registers.at(name), value) << name;
    }
  }
}

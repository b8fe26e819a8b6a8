#include <cstddef>

#include "cart/board_test.h"

namespace {

// The power-on registers the boards set, each one field of the Machine or a global.
enum class Reg {
  LatchLow, LatchHigh, LatchBank0, Copier, CopierBank, Ext1, Ext2, IrqLatch, IrqEnabled,
  FourScreen, NtPage2, NtPage3, NtRom0, IrqWord, SoundAddress, AckEnable, PrgTarget,
  NibbleBank13, NibbleMask13, NibbleMask7, Wiring, LineIrqEnabled, LineCounter, PrgRecord0,
  PrgRecord1, ChrRecord0, ShiftValue, MapperMode
};

uint32_t Get(Machine& m, Reg reg) {
  switch (reg) {
    case Reg::LatchLow: return m.LineReload;
    case Reg::LatchHigh: return m.LineIrqEnabled;
    case Reg::LatchBank0: return m.BankRegs[0];
    case Reg::Copier: return m.CommandIndex;
    case Reg::CopierBank: return m.PrgSelect;
    case Reg::Ext1: return m.Mapper48Regs[0];
    case Reg::Ext2: return m.Mapper48Regs[1];
    case Reg::IrqLatch: return m.IrqLatch;
    case Reg::IrqEnabled: return m.IrqEnabled;
    case Reg::FourScreen: return FourScreen;
    case Reg::NtPage2: return m.BankRegs[6];
    case Reg::NtPage3: return m.BankRegs[7];
    case Reg::NtRom0: return m.BankRegs[0];
    case Reg::IrqWord: return m.IrqWord;
    case Reg::SoundAddress: return m.NamcoSoundAddress;
    case Reg::AckEnable: return m.IrqAckEnable;
    case Reg::PrgTarget: return m.MapperWord;
    case Reg::NibbleBank13: return m.BankRegs[13];
    case Reg::NibbleMask13: return m.ExtraRegs[13];
    case Reg::NibbleMask7: return m.ExtraRegs[7];
    case Reg::Wiring: return m.ShiftCount;
    case Reg::LineIrqEnabled: return m.LineIrqEnabled;
    case Reg::LineCounter: return m.LineCounter;
    case Reg::PrgRecord0: return PrgWindowBank[0];
    case Reg::PrgRecord1: return PrgWindowBank[1];
    case Reg::ChrRecord0: return ChrWindowBank[0];
    case Reg::ShiftValue: return m.ShiftValue;
    case Reg::MapperMode: return m.MapperMode;
  }
  return 0;
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
constexpr Banks kFirstLast{0, 1, 30, 31}, kFirst32k{0, 1, 2, 3}, kEmpty{0xFF, 0xFF, 0xFF, 0xFF};
// CHR layouts: which 1 KB pages land at $0000 and $1000, and whether they need CHR ROM.
enum class Chr { First, FirstIfRom, None, Last, Split184 };

struct PowerOn {
  uint8_t mapper;
  Banks prg;
  Chr chr;
  std::vector<std::pair<Reg, uint32_t>> regs;
};

}  // namespace

using PowerOnTest = BoardTest;

TEST_F(PowerOnTest, EveryBoardStartsWithItsWindowsAndRegisters) {
  const std::vector<PowerOn> boards = {
      {0, kFirst32k, Chr::FirstIfRom, {}},
      {1, kFirstLast, Chr::First, {{Reg::ShiftValue, 0}}},
      {2, kFirstLast, Chr::None, {}},
      {3, kEmpty, Chr::First, {}},  // only 1- and 2-unit images are laid out
      {4, kFirstLast, Chr::FirstIfRom, {{Reg::LineIrqEnabled, 0}}},
      {5, kFirstLast, Chr::First, {{Reg::Ext1, 3}, {Reg::Ext2, 3}}},
      {6, {0, 1, 14, 15}, Chr::None, {{Reg::Copier, 0x20}, {Reg::CopierBank, 0}}},
      {7, kFirst32k, Chr::None, {}},
      {8, kFirst32k, Chr::First, {}},
      {10, kFirstLast, Chr::First,
       {{Reg::LatchLow, 0xFE}, {Reg::LatchHigh, 0xFE}, {Reg::LatchBank0, 0}}},
      {11, kFirst32k, Chr::First, {}},
      {15, kFirst32k, Chr::None, {}},
      {16, kFirstLast, Chr::None, {{Reg::IrqLatch, 0}}},
      {17, kFirstLast, Chr::None, {}},
      {18, kFirstLast, Chr::First, {}},
      {19, {0xFF, 0xFF, 0xFF, 31}, Chr::Last,
       {{Reg::FourScreen, 1}, {Reg::NtPage2, 1}, {Reg::NtPage3, 1}, {Reg::NtRom0, 0},
        {Reg::IrqWord, 0xFF8C}, {Reg::SoundAddress, 0}, {Reg::AckEnable, 0},
        {Reg::PrgRecord0, 255}, {Reg::PrgRecord1, 255}, {Reg::ChrRecord0, 255}}},
      {21, kFirstLast, Chr::None,
       {{Reg::PrgTarget, 0x8000}, {Reg::NibbleBank13, 0}, {Reg::NibbleMask13, 0},
        {Reg::IrqEnabled, 0}}},
      {22, kFirstLast, Chr::First, {}},
      {23, kFirstLast, Chr::None, {{Reg::NibbleMask7, 0}}},
      {24, kFirstLast, Chr::FirstIfRom, {}},
      {25, kFirstLast, Chr::None,
       {{Reg::PrgTarget, 0x8000}, {Reg::NibbleMask13, 0}, {Reg::Wiring, 0},
        {Reg::ShiftValue, 0}, {Reg::LineIrqEnabled, 0}, {Reg::IrqEnabled, 0}}},
      {26, kFirstLast, Chr::First, {}},
      {32, kFirstLast, Chr::First, {{Reg::LineIrqEnabled, 1}}},
      {33, kFirstLast, Chr::FirstIfRom, {{Reg::PrgRecord0, 0}, {Reg::PrgRecord1, 1}}},
      {34, kFirst32k, Chr::FirstIfRom, {}},
      {41, kFirst32k, Chr::First, {{Reg::MapperMode, 0}}},
      {48, {31, 31, 31, 31}, Chr::First, {{Reg::Ext1, 3}, {Reg::Ext2, 3}}},
      {64, {31, 31, 31, 31}, Chr::FirstIfRom, {{Reg::LineIrqEnabled, 0}}},
      {65, kFirstLast, Chr::None, {}},
      {66, kFirst32k, Chr::First, {}},
      {68, kFirstLast, Chr::First, {}},
      {69, kFirstLast, Chr::First, {}},
      {70, kFirstLast, Chr::First, {}},
      {71, kFirstLast, Chr::None, {}},
      {73, kFirstLast, Chr::First, {}},
      {74, kFirstLast, Chr::FirstIfRom, {{Reg::LineIrqEnabled, 0}}},
      {78, kFirstLast, Chr::FirstIfRom, {}},
      {79, kFirstLast, Chr::FirstIfRom, {}},
      {80, kFirstLast, Chr::First, {{Reg::LineCounter, 1}}},
      {87, kFirstLast, Chr::First, {}},
      {89, kFirstLast, Chr::First, {}},
      {90, kFirstLast, Chr::None, {}},
      {91, {30, 31, 30, 31}, Chr::None, {}},
      {96, kFirstLast, Chr::FirstIfRom, {}},
      {112, kFirstLast, Chr::First, {{Reg::LineIrqEnabled, 0}}},
      {115, kFirstLast, Chr::First, {{Reg::LineIrqEnabled, 0}}},
      {118, kFirstLast, Chr::First, {{Reg::LineIrqEnabled, 0}}},
      {160, kFirstLast, Chr::First, {}},
      {161, kFirstLast, Chr::First, {{Reg::LineIrqEnabled, 0}}},
      {184, kFirstLast, Chr::Split184, {}},
      {185, kFirst32k, Chr::First, {}},
      {225, kFirst32k, Chr::First, {}},
      {227, {0, 1, 0, 1}, Chr::None, {}},
      {228, {28, 29, 30, 31}, Chr::First, {}},
      {231, kFirstLast, Chr::None, {}},
      {232, kFirstLast, Chr::None, {}},
      {240, kFirstLast, Chr::First, {}},
      {241, {28, 29, 30, 31}, Chr::None, {}},
      {242, kFirstLast, Chr::FirstIfRom, {}},
      {245, kFirstLast, Chr::None, {{Reg::LineIrqEnabled, 0}}},
      {246, kFirstLast, Chr::First, {}},
      {249, kFirstLast, Chr::First, {{Reg::LineIrqEnabled, 0}}},
      {250, kFirstLast, Chr::First, {}},
      {254, kFirstLast, Chr::First, {}},
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
      switch (board.chr) {
        case Chr::FirstIfRom:
          if (!rom) break;
          [[fallthrough]];
        case Chr::First: chr = {C(0), C(4)}; break;
        case Chr::Last: chr = {C(24), C(28)}; break;
        case Chr::Split184: chr = {C(8), C(12)}; break;
        case Chr::None: break;
      }
      if (!rom && chr[0] != kDrawn) chr = {0, 0};
      EXPECT_EQ(At(0x0000), chr[0]);
      EXPECT_EQ(At(0x1000), chr[1]);
      EXPECT_EQ(m().OneScreenLow, board.mapper == 118 ? 1 : 0);
      for (const auto& [reg, value] : board.regs)
        EXPECT_EQ(Get(m(), reg), value) << "register " << static_cast<int>(reg);
    }
  }
}

// The loaded board's power-on state: its row's PRG and CHR layout, then its register set-up.
#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

void LayOutPrg(Machine& m, PrgLayout layout) {
  const uint32_t count = PrgBankCount;
  const uint32_t last = count ? count - 1 : 0;
  const uint32_t last8k = count ? count * 2 - 1 : 0;
  switch (layout) {
    case PrgLayout::FirstThenSecond:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, count == 1 ? 0 : 1);
      break;
    case PrgLayout::FirstThenLast:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, last);
      break;
    case PrgLayout::Mapper3:
      if (count == 2) m.CopyPrgWindow(0x8000, 32, 0);
      if (count == 1) m.CopyPrgWindow(0xC000, 16, 0);
      break;
    case PrgLayout::Mapper6:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, 7);
      break;
    case PrgLayout::First32k:
      m.CopyPrgWindow(0x8000, 32, 0);
      break;
    case PrgLayout::Mapper19:
      m.CopyPrgWindow(0xE000, 8, last8k);
      m.MovePrgWindows(0xA000, 0x8000, 0x2000);
      m.MovePrgWindows(0xC000, 0x8000, 0x2000);
      break;
    case PrgLayout::Last8kEverywhere:
      for (uint16_t window = 0x8000; window != 0; window += 0x2000)
        m.CopyPrgWindow(window, 8, last8k);
      break;
    case PrgLayout::LastLast:
      m.CopyPrgWindow(0x8000, 16, last);
      m.CopyPrgWindow(0xC000, 16, last);
      break;
    case PrgLayout::FirstFirst:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, 0);
      break;
    case PrgLayout::Last32k:
      m.CopyPrg32At16kUnit(count >= 2 ? count - 2 : 0);
      if (count < 2) m.CopyPrgWindow(0xC000, 16, 0);
      break;
  }
}

void LayOutChr(Machine& m, ChrLayout layout) {
  switch (layout) {
    case ChrLayout::First8kIfRom:
      if (ChrBankCount == 0) break;
      [[fallthrough]];
    case ChrLayout::First8k:
      m.CopyChrNoDecode(0x0000, 8, 0);
      break;
    case ChrLayout::Last8k:
      m.CopyChrNoDecode(0x0000, 8, ChrBankCount ? ChrBankCount - 1 : 0);
      break;
    case ChrLayout::Mapper184:
      m.CopyChrNoDecode(0x0000, 4, 2);
      m.CopyChrNoDecode(0x1000, 4, 3);
      break;
    case ChrLayout::None:
      break;
  }
}

}  // namespace

void PowerOnBoard(Machine& m) {
  const BoardRow& row = CurrentBoard();
  LayOutPrg(m, row.Prg);
  LayOutChr(m, row.Chr);
  m.OneScreenLow = 0;  // every board starts in the header's arrangement unless it says otherwise
  if (row.PowerOn) row.PowerOn(m);
}

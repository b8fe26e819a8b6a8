// The board table's rows, one per supported mapper number, in number order. Columns: mapper,
// power-on PRG and CHR layout, $8000-$FFFF handler, $4000-$7FFF write handler, handler of the
// reads below $8000 the board answers, when the counter steps and its step, power-on register
// set-up, flags. `None`: the board has no such part (high writes are ignored, low writes reach
// cartridge RAM only, reads give the stored bytes, no counter, no set-up).
// Included only by board_table.cpp, which generates the lookups from it.
#pragma once

#include "cart/board_bandai.h"
#include "cart/board_bank_latch.h"
#include "cart/board_discrete.h"
#include "cart/board_latch.h"
#include "cart/board_low_registers.h"
#include "cart/board_misc.h"
#include "cart/board_mmc1.h"
#include "cart/board_mmc3.h"
#include "cart/board_mmc3_style.h"
#include "cart/board_multicart.h"
#include "cart/board_namco.h"
#include "cart/board_registers.h"
#include "cart/board_vrc.h"
#include "cart/board_vrc6.h"

// clang-format off
#define HALVOREN_BOARDS(BOARD) \
  /*    no  prg layout        chr layout    high            low             read          step         counter step     power-on          flags */ \
  BOARD(  0, FirstThenSecond,  First8kIfRom, None,           Mapper0Low,     None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(  1, FirstThenLast,    First8k,      Mmc1High,       None,           None,         Never,       None,            Mmc1PowerOn,      kNoFlags)                       \
  BOARD(  2, FirstThenLast,    None,         Mapper2High,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(  3, Mapper3,          First8k,      Mapper3High,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(  4, FirstThenLast,    First8kIfRom, Mmc3High,       None,           None,         VisibleLine, Mmc3Step,        Mmc3PowerOn,      kIrqClearsBreak | kTrainerNmi)  \
  BOARD(  5, FirstThenLast,    First8k,      None,           None,           None,         Never,       None,            Mapper48PowerOn,  kNoFlags)                       \
  BOARD(  6, Mapper6,          None,         Mapper6High,    Mapper6Low,     None,         VisibleLine, Mapper6Step,     Mapper6PowerOn,   kWritablePatterns)              \
  BOARD(  7, First32k,         None,         Mapper7High,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(  8, First32k,         First8k,      Mapper8High,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 10, FirstThenLast,    First8k,      Mapper10High,   None,           None,         Never,       None,            Mapper10PowerOn,  kTileLatch)                     \
  BOARD( 11, First32k,         First8k,      Mapper11High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 15, First32k,         None,         Mapper15High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 16, FirstThenLast,    None,         Mapper16High,   Mapper16Low,    None,         EveryLine,   Mapper16Step,    Mapper16PowerOn,  kNoFlags)                       \
  BOARD( 17, FirstThenLast,    None,         None,           Mapper17Low,    None,         EveryLine,   Mapper17Step,    None,             kNoFlags)                       \
  BOARD( 18, FirstThenLast,    First8k,      Mapper18High,   None,           None,         EveryLine,   Mapper18Step,    None,             kNoFlags)                       \
  BOARD( 19, Mapper19,         Last8k,       NamcoHigh,      NamcoLow,       NamcoRead,    EveryLine,   NamcoStep,       NamcoPowerOn,     kNamcoSound)                    \
  BOARD( 21, FirstThenLast,    None,         Mapper21High,   None,           None,         EveryLine,   Mapper21Step,    Mapper21PowerOn,  kNoFlags)                       \
  BOARD( 22, FirstThenLast,    First8k,      Mapper22High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 23, FirstThenLast,    None,         Mapper23High,   None,           None,         EveryLine,   Mapper23Step,    Mapper23PowerOn,  kNoFlags)                       \
  BOARD( 24, FirstThenLast,    First8kIfRom, Mapper24High,   None,           None,         EveryLine,   Mapper24Step,    None,             kVrc6Sound)                     \
  BOARD( 25, FirstThenLast,    None,         Mapper25High,   None,           None,         EveryLine,   Mapper25Step,    Mapper25PowerOn,  kNoFlags)                       \
  BOARD( 26, FirstThenLast,    First8k,      Mapper26High,   None,           None,         VisibleLine, Mapper26Step,    None,             kIrqClearsBreak)                \
  BOARD( 32, FirstThenLast,    First8k,      Mapper32High,   None,           None,         Never,       None,            Mapper32PowerOn,  kNoFlags)                       \
  BOARD( 33, FirstThenLast,    First8kIfRom, Mapper33High,   None,           None,         Never,       None,            Mapper33PowerOn,  kNoFlags)                       \
  BOARD( 34, First32k,         First8kIfRom, Mapper34High,   Mapper34Low,    None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 41, First32k,         First8k,      Mapper41High,   Mapper41Low,    None,         Never,       None,            Mapper41PowerOn,  kNoFlags)                       \
  BOARD( 48, Last8kEverywhere, First8k,      None,           Mapper48Low,    Mapper48Read, Never,       None,            Mapper48PowerOn,  kNoFlags)                       \
  BOARD( 64, Last8kEverywhere, First8kIfRom, Mapper64High,   None,           None,         Never,       None,            Mmc3PowerOn,      kNoFlags)                       \
  BOARD( 65, FirstThenLast,    None,         Mapper65High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 66, First32k,         First8k,      Mapper66High,   Mapper66Low,    None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 68, FirstThenLast,    First8k,      Mapper68High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 69, FirstThenLast,    First8k,      Mapper69High,   None,           None,         EveryLine,   Mapper69Step,    None,             kNoFlags)                       \
  BOARD( 70, FirstThenLast,    First8k,      Mapper70High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 71, FirstThenLast,    None,         Mapper71High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 73, FirstThenLast,    First8k,      Mapper73High,   None,           None,         VisibleLine, Mapper73Step,    None,             kIrqClearsBreak | kPrgPieces4k) \
  BOARD( 74, FirstThenLast,    First8kIfRom, Mmc3High,       None,           None,         VisibleLine, Mapper74Step,    Mmc3PowerOn,      kIrqClearsBreak)                \
  BOARD( 78, FirstThenLast,    First8kIfRom, Mapper78High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 79, FirstThenLast,    First8kIfRom, None,           Mapper79Low,    None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 80, FirstThenLast,    First8k,      None,           Mapper80Low,    None,         Never,       None,            Mapper80PowerOn,  kNoFlags)                       \
  BOARD( 87, FirstThenLast,    First8k,      None,           Mapper87Low,    None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 89, FirstThenLast,    First8k,      LogOnlyHigh,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 90, FirstThenLast,    None,         Mapper90High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD( 91, LastLast,         None,         None,           Mapper91Low,    None,         VisibleLine, Mapper91Step,    None,             kNoFlags)                       \
  BOARD( 96, FirstThenLast,    First8kIfRom, Mapper96High,   None,           None,         Never,       None,            None,             kPrgPieces4k)                   \
  BOARD(112, FirstThenLast,    First8k,      Mapper112High,  None,           None,         Never,       None,            Mmc3PowerOn,      kNoFlags)                       \
  BOARD(115, FirstThenLast,    First8k,      Mapper115High,  None,           None,         Never,       None,            Mmc3PowerOn,      kNoFlags)                       \
  BOARD(118, FirstThenLast,    First8k,      Mapper118High,  None,           None,         VisibleLine, Mapper118Step,   Mapper118PowerOn, kIrqClearsBreak)                \
  BOARD(160, FirstThenLast,    First8k,      Mapper160High,  None,           None,         VisibleLine, Mapper160Step,   None,             kIrqClearsBreak)                \
  BOARD(161, FirstThenLast,    First8k,      Mapper161High,  Mapper161Low,   None,         VisibleLine, Mapper161Step,   Mmc3PowerOn,      kIrqClearsBreak)                \
  BOARD(184, FirstThenLast,    Mapper184,    None,           Mapper184Low,   None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(185, FirstThenSecond,  First8k,      None,           None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(225, First32k,         First8k,      Mapper225High,  None,           None,         Never,       None,            Mapper225PowerOn, kNoFlags)                       \
  BOARD(227, FirstFirst,       None,         Mapper227High,  None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(228, Last32k,          First8k,      LogOnlyHigh,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(231, FirstThenLast,    None,         LogOnlyHigh,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(232, FirstThenLast,    None,         Mapper71High,   None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(240, FirstThenLast,    First8k,      Mapper240High,  Mapper240Low,   None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(241, Last32k,          None,         Mapper241High,  Mapper241Low,   None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(242, FirstThenLast,    First8kIfRom, LogOnlyHigh,    None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(245, FirstThenLast,    None,         Mapper245High,  None,           None,         VisibleLine, Mapper245Step,   Mapper245PowerOn, kIrqClearsBreak)                \
  BOARD(246, FirstThenLast,    First8k,      None,           Mapper246Low,   None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(249, FirstThenLast,    First8k,      Mapper249High,  Mapper249Low,   None,         VisibleLine, Mapper249Step,   Mmc3PowerOn,      kIrqClearsBreak)                \
  BOARD(250, FirstThenLast,    First8k,      Mapper250High,  None,           None,         Never,       None,            None,             kNoFlags)                       \
  BOARD(254, FirstThenLast,    First8k,      LogOnlyHigh,    None,           None,         Never,       None,            None,             kNoFlags)
// clang-format on

// The supported boards, one row per mapper number (the rows are in board_rows.h). Everything
// that differs by board is looked up here: the loader's power-on layout and register set-up,
// the write bus's two handlers, the registers the read bus asks the board for, the frame
// loop's counter step and the way the board's IRQ pushes P. A board's own code is its row plus
// its board file.
#pragma once

#include <cstdint>

#include "core/sound_state.h"

struct Machine;

using BoardWrite = void (*)(Machine& m, uint16_t address, uint8_t value);
using BoardStep = void (*)(Machine& m, int line);
using BoardPowerOn = void (*)(Machine& m);
using BoardRead = uint8_t (*)(Machine& m, uint16_t address);

// The PRG banks in $8000-$FFFF when the image has loaded (units of 16 KB unless named).
enum class PrgLayout : uint8_t {
  FirstThenSecond,   // unit 0, then unit 1 (unit 0 again on a one-unit image)
  FirstThenLast,     // unit 0, then the last unit
  Mapper3,           // 32 KB from unit 0 on two units, unit 0 at $C000 on one, else nothing
  Mapper6,           // unit 0, then unit 7
  First32k,          // 32 KB from unit 0
  Mapper19,          // the last 8 KB in all four 8 KB windows, $E000 first
  Last8kEverywhere,  // the last 8 KB in all four 8 KB windows
  LastLast,          // the last unit twice
  FirstFirst,        // unit 0 twice
  Last32k,           // the final 32 KB; a one-unit image shows its unit twice
};

// The CHR banks in the pattern tables when the image has loaded.
enum class ChrLayout : uint8_t {
  First8k,       // the first 8 KB (zeros without CHR ROM)
  First8kIfRom,  // the first 8 KB, only when there is CHR ROM
  Last8k,        // the last 8 KB
  Mapper184,     // 4 KB pages 2 and 3
  None,          // nothing until the game writes
};

// When the frame loop steps the board's counter.
enum class StepWhen : uint8_t {
  Never,
  EveryLine,    // lines 0-261, before anything else happens on the line
  VisibleLine,  // lines 0-239, before the CPU runs the line
};

// What a board is beyond its handlers. The first three are read through the table; the others
// are copied into the Machine at load (SelectBoard), where the layers below cart/ (sound,
// renderer, NMI entry) find them without knowing mapper numbers.
enum BoardFlag : uint8_t {
  kNoFlags = 0,
  kIrqClearsBreak = 1,    // the scanline-counter boards push P with B clear on an IRQ
  kWritablePatterns = 2,  // pattern-table writes land even with CHR ROM (RAM banks in it)
  kPrgPieces4k = 4,       // 8 KB PRG windows filled from 4 KB offsets (state checks)
  kTileLatch = 8,         // the renderer flips CHR banks on tiles $FD/$FE
  kVrc6Sound = 16,        // the cartridge carries a VRC6 sound chip
  kTrainerNmi = 32,       // with a trainer, the NMI enters the trainer at $7000
  kNamcoSound = 64,       // the cartridge carries a Namco 106 sound chip
};

struct BoardRow {
  uint8_t Mapper;
  PrgLayout Prg;
  ChrLayout Chr;
  BoardWrite High;  // $8000-$FFFF; null: the write is ignored
  BoardWrite Low;   // $4000-$7FFF as the write bus passes them on; null: cartridge RAM only
  BoardRead Read;   // $4020-$7FFF reads the board answers itself (others: the stored byte)
  StepWhen When;
  BoardStep Step;
  BoardPowerOn PowerOn;  // after the windows are laid out; null: registers stay as they are
  uint8_t Flags;
};

// The row of a mapper number, or null when the board is not supported.
const BoardRow* FindBoard(uint32_t mapper);
// The row of the loaded cartridge's board (an unsupported number gets an empty row).
const BoardRow& CurrentBoard();
inline bool CurrentBoardHas(BoardFlag flag) { return CurrentBoard().Flags & flag; }
// Makes `mapper` the loaded board: the number the lookups use and the Machine's copies of the
// row's parts that the layers below cart/ act on (sound chip, reads, tile latch, trainer NMI).
void SelectBoard(Machine& m, uint8_t mapper);

// The frame loop's one call per scanline (0-261), before anything else happens on the line:
// steps the board's counter when its row says it runs on this line. Counting always happens;
// the firing branch is skipped while the CPU's I flag is set.
void StepBoardCounters(Machine& m, int line);

// The board's IRQ entry, with P pushed as its row says. The first honours the I flag.
void TakeBoardIrq(Machine& m);
void TakeBoardIrqAlways(Machine& m);

// The loaded board's PRG and CHR windows and register values before the game's first write.
void PowerOnBoard(Machine& m);

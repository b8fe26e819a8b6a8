// The lookups generated from the board rows: a row index and one handler array per kind of
// write, each indexed by mapper number, so a write costs one load and one call.
#include "cart/board_table.h"

#include <array>
#include <cstddef>

#include "cart/board_rows.h"
#include "cart/boards.h"
#include "cart/loader.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

constexpr std::nullptr_t None = nullptr;

constexpr BoardRow kRows[] = {
#define HALVOREN_ROW(mapper, prg, chr, high, low, read, when, step, powerOn, flags) \
  {mapper, PrgLayout::prg, ChrLayout::chr, high, low, read, StepWhen::when, step, powerOn, flags},
    HALVOREN_BOARDS(HALVOREN_ROW)
#undef HALVOREN_ROW
};
constexpr uint8_t kNoRow = 255;
static_assert(std::size(kRows) < kNoRow);

// What an unsupported number (never loaded, but a test may set it) does: nothing.
constexpr BoardRow kEmptyRow{};

constexpr auto kRowIndex = [] {
  std::array<uint8_t, 256> index{};
  index.fill(kNoRow);
  for (size_t row = 0; row < std::size(kRows); ++row) {
    if (index[kRows[row].Mapper] != kNoRow) throw "a mapper number has two rows";
    index[kRows[row].Mapper] = static_cast<uint8_t>(row);
  }
  return index;
}();

void IgnoreWrite(Machine&, uint16_t, uint8_t) {}

// Cartridge RAM at $6000-$7FFF; everything else below $8000 is unmapped.
void CartridgeRamWrite(Machine& m, uint16_t address, uint8_t value) {
  if ((address & 0xE000) == 0x6000) m.CpuMemory[address] = value;
}

template <BoardWrite BoardRow::*Handler>
constexpr std::array<BoardWrite, 256> HandlerArray(BoardWrite missing) {
  std::array<BoardWrite, 256> handlers{};
  handlers.fill(missing);
  for (const BoardRow& row : kRows)
    if (row.*Handler) handlers[row.Mapper] = row.*Handler;
  return handlers;
}

// Filled when the program starts rather than at compile time: GCC's sanitizer builds do not
// take a function's address compared with null as a constant.
const auto kHighWrites = HandlerArray<&BoardRow::High>(IgnoreWrite);
const auto kLowWrites = HandlerArray<&BoardRow::Low>(CartridgeRamWrite);

// The counter step of every mapper number, for the frame loop's per-line call.
struct CounterStep {
  StepWhen When = StepWhen::Never;
  BoardStep Step = nullptr;
};
const auto kCounterSteps = [] {
  std::array<CounterStep, 256> steps{};
  for (const BoardRow& row : kRows) {
    if ((row.When == StepWhen::Never) != (row.Step == nullptr)) throw "a step needs its lines";
    steps[row.Mapper] = {row.When, row.Step};
  }
  return steps;
}();

constexpr int kVisibleLines = 240;

}  // namespace

const BoardRow* FindBoard(uint32_t mapper) {
  if (mapper >= kRowIndex.size() || kRowIndex[mapper] == kNoRow) return nullptr;
  return &kRows[kRowIndex[mapper]];
}

const BoardRow& CurrentBoard() {
  const BoardRow* row = FindBoard(MapperNumber);
  return row ? *row : kEmptyRow;
}

void SelectBoard(Machine& m, uint8_t mapper) {
  MapperNumber = mapper;
  const BoardRow& row = CurrentBoard();
  m.CartridgeChip = (row.Flags & kVrc6Sound)    ? SoundChip::Vrc6
                    : (row.Flags & kNamcoSound) ? SoundChip::Namco
                                                : SoundChip::None;
  m.BoardRead = row.Read;
  m.TileLatch = row.Flags & kTileLatch;
  m.TrainerNmi = row.Flags & kTrainerNmi;
}

bool IsSupportedMapper(uint32_t mapper) { return FindBoard(mapper) != nullptr; }

void WriteHighRange(Machine& m, uint16_t address, uint8_t value) {
  kHighWrites[MapperNumber](m, address, value);
}

void WriteLowRange(Machine& m, uint16_t address, uint8_t value) {
  kLowWrites[MapperNumber](m, address, value);
}

void StepBoardCounters(Machine& m, int line) {
  const CounterStep& counter = kCounterSteps[MapperNumber];
  if (counter.When == StepWhen::Never) return;  // most boards: one load and out
  if (counter.When == StepWhen::EveryLine || line < kVisibleLines) counter.Step(m, line);
}

void TakeBoardIrq(Machine& m) { m.TakeIrq(CurrentBoardHas(kIrqClearsBreak)); }
void TakeBoardIrqAlways(Machine& m) { m.TakeIrqAlways(CurrentBoardHas(kIrqClearsBreak)); }

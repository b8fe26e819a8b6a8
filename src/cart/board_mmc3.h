// MMC3 (mapper 4) and the pieces the MMC3-style boards share with it: a bank-select write
// picks a window (BankTarget, BankSize), a bank-data write copies a bank into it.
#pragma once

#include <cstdint>

struct Machine;

void Mmc3High(Machine& m, uint16_t address, uint8_t value);
void Mmc3PowerOn(Machine& m);

// --- Shared steps of the bank-select write, in the order MMC3 applies them ---
// One-time PRG re-layout on the first select after reset when bit 6 asks for the swapped
// arrangement; clears FirstSelectPending.
void Mmc3FirstSelect(Machine& m, uint8_t value);
// PrgSwapTarget from bit 6: $8000 or $C000.
void Mmc3SwapTarget(Machine& m, uint8_t value);
// Without CHR ROM every select is turned into a PRG slot (6 or 7).
uint8_t Mmc3ChrRamSelect(uint8_t value);
// CHR slots 0-5 as MMC3 lays them out (bit 7 flips the pattern-table halves).
void Mmc3SelectChrSlot(Machine& m, uint8_t slot, uint8_t value);
// Slot table of MMC3: 0-5 CHR, 6 the swappable PRG window, 7 $A000.
void Mmc3SelectSlot(Machine& m, uint8_t value);
// The whole $8000 write: first select, swap target, CHR-RAM step, slot table.
void Mmc3BankSelect(Machine& m, uint8_t value);

// $8001: fills the selected window. PRG in 8 KB banks; CHR in 1 KB banks, a 2 KB slot taking
// the bank number as written and the one after it.
void Mmc3BankData(Machine& m, uint8_t value);
// Copies `size` bytes of CHR from 1 KB bank `bank1k` into PpuMemory at `target`, decoded.
void Mmc3CopyChr(Machine& m, uint16_t target, uint16_t size, uint32_t bank1k);

// $A000: bit 0 = 0 vertical, 1 horizontal; name tables are copied only on a change.
void Mmc3Mirroring(Machine& m, uint8_t value);
// $C000 counter, $C001 reload, $E000 disable and reload, $E001 enable (register = address
// AND $E001). Loads add `plus` to the written value and `adjust` to the counter.
void LineCounterWrite(Machine& m, uint16_t reg, uint8_t value, int plus, int adjust);
// The same as MMC3 loads them: plus one, and IrqAdjust on the counter.
void Mmc3CounterWrite(Machine& m, uint16_t reg, uint8_t value);
// $A000 mirroring, $A001 RAM enable and the counter registers (register = address AND $E001).
void Mmc3UpperRegister(Machine& m, uint16_t reg, uint8_t value);

// --- The scanline counter of MMC3 and the boards that copy it. They differ in when the counter
// runs, whether it needs rendering on, what happens after the IRQ and what they log first.
enum class LineRule : uint8_t { Always, WhileEnabled };
enum class AfterIrq : uint8_t { Disable, Reload, DisableAndReload };

struct LineBoard {
  LineRule Runs;
  bool NeedsRendering;
  AfterIrq After;
  const char* LogText;  // written just before the IRQ, or null
  int LogLength;
};

// One visible line of a LineCounter/LineReload/LineIrqEnabled counter.
void StepLineCounter(Machine& m, const LineBoard& board);
// MMC3's own: counts while rendering, fires once, then waits to be enabled again.
void Mmc3Step(Machine& m, int line);

// Pieces that many boards share on top of the bank primitives: the four name-table
// arrangements with their flags, reduced bank copies, copies skipped by the window records,
// and CHR banks written as two 4-bit halves.
#pragma once

#include <cstdint>

struct Machine;

// The four arrangements of a full mirroring register, each with its flags.
void SelectVertical(Machine& m);
void SelectHorizontal(Machine& m);
void SelectOneScreenA(Machine& m);
void SelectOneScreenB(Machine& m);
// By (mode AND 3): 0 vertical, 1 horizontal, 2 one-screen A, 3 one-screen B.
void SelectMirroring(Machine& m, uint8_t mode);
// Boards with only the two-screen arrangements copy on every write: applied to the layout it
// made, the copy changes nothing.
void SetTwoScreen(Machine& m, bool horizontal);

// 8 KB PRG bank v mod (PrgBankCount x 2) into `window`; an image without PRG ignores it.
void CopyPrg8Reduced(Machine& m, uint16_t window, uint8_t v);
// As above, skipped when `record` already names the bank; the record follows the copy.
void CopyPrg8Recorded(Machine& m, uint16_t window, uint8_t& record, uint32_t bank);
// 1 KB CHR bank into `window`, decoded. An image without CHR ROM has nothing to switch: the
// copy would wipe the tiles the game drew into its CHR RAM.
void CopyChr1(Machine& m, uint16_t window, uint32_t bank);
// The same for a bank of any size, taken as written (the primitives wrap it in the store).
void CopyChrRom(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t bank);
// 1 KB CHR bank v mod (ChrBankCount x 8), decoded; ignored without CHR ROM.
void CopyChr1Reduced(Machine& m, uint16_t window, uint8_t v);
// 1 KB CHR copy skipped when ChrWindowBank entry `window / $400` holds the bank.
void CopyChr1Recorded(Machine& m, uint16_t window, uint32_t bank);

// Stores one 4-bit half of register `index` (BankRegs, halves-written flags in ExtraRegs).
// Returns true when this write completed the pair; the flags then start over.
bool WriteHalf(Machine& m, int index, bool high, uint8_t value);

// --- Pieces of the counter steps ---
// A counter always counts; its firing branch (IRQ, reload, disable) is skipped while the CPU's
// I flag is set, so a counter that reaches its value then runs on and fires later.
bool IrqMasked(const Machine& m);
// Background or sprites on in the mask register.
bool RenderingOn(const Machine& m);
// The cycle-counting boards count the CPU cycles of a scanline, corrected by IrqAdjust.
uint16_t AddCycles(const Machine& m, uint16_t counter, int cycles);

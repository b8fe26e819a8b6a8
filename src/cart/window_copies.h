// Copies some boards make beside the plain bank primitives: switches that skip a bank the
// window already holds, and copies from offsets that are not a multiple of the window size.
// Both keep the window records true: PrgWindowBank holds the 8 KB bank in each 8 KB window,
// ChrWindowBank the 1 KB bank in each 1 KB window, 255 where no whole bank is known.
#pragma once

#include <cstdint>

struct Machine;

// `bank` in units of the window size; the copy is skipped when the records already name it.
void SwitchPrgRecorded(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t bank);
void SwitchChrRecorded(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t bank);

// Copies `sizeKb` from byte `offset` of PrgRom (wrapping inside the store) to CPU `window`
// ($6000-$FFFF). Windows at $8000 and up lose their records.
void CopyPrgFromOffset(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset);
// Fills a CHR window from PrgRom, starting at byte `offset` (wrapping), and decodes it.
void CopyChrFromPrg(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset);

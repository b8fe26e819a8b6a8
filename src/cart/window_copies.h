// Copies from offsets that are not a multiple of the window size. The windows they fill hold
// no whole bank, so their records (PrgWindowBank, ChrWindowBank) become 255, unknown.
#pragma once

#include <cstdint>

struct Machine;

// Copies `sizeKb` from byte `offset` of PrgRom (wrapping inside the store) to CPU `window`
// ($6000-$FFFF). Windows at $8000 and up lose their records.
void CopyPrgFromOffset(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset);
// Fills a CHR window from PrgRom, starting at byte `offset` (wrapping), and decodes it.
void CopyChrFromPrg(Machine& m, uint16_t window, uint32_t sizeKb, uint32_t offset);

// The four name-table arrangements a board can select, each applied with the page
// bookkeeping of the primitives (the hidden one-screen page waits in NameTableScratch).
#pragma once

#include <cstdint>

struct Machine;

enum class Mirroring : uint8_t { Vertical, Horizontal, OneScreenLow, OneScreenHigh };

void SelectMirroring(Machine& m, Mirroring arrangement);

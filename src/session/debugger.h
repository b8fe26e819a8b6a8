// Debugger state changed by the hot keys and read by the views: which views are on, what
// they show, and whether their screen areas still hold something to erase. The session's,
// so plain globals.
#pragma once

#include <cstdint>

extern uint8_t RamPage;          // high byte of the addresses the RAM page view shows
extern uint8_t ApuChannel;       // 0 pulse 1, 1 pulse 2, 2 triangle, 3 noise, 4 delta modulation
extern uint32_t MemoryTracer;    // RAM page view on
extern uint32_t PatternDisplay;  // pattern view on
extern uint32_t PaletteTracer;   // palette view on
extern uint32_t ApuTracer;       // APU view on
extern uint32_t VramInstantRefresh;  // only its key and its message use it
extern uint32_t ChrViewOffset;       // byte offset into ChrRom of the bank the CHR viewer shows

// 1 while a view's area holds nothing that needs erasing (the views start erased).
extern uint32_t RamPageCleared;
extern uint32_t PatternCleared;
extern uint32_t PaletteCleared;
extern uint32_t ApuCleared;

// True while any of the four views is switched on: the host then shows the whole screen.
bool AnyDebugViewOn();

// Program-start values of everything above and of the message area.
void ResetDebugger();

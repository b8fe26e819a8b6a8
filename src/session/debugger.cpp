#include "session/debugger.h"

#include "session/message_area.h"

uint8_t RamPage;
uint8_t ApuChannel;
uint32_t MemoryTracer;
uint32_t PatternDisplay;
uint32_t PaletteTracer;
uint32_t ApuTracer;
uint32_t VramInstantRefresh = 1;
uint32_t ChrViewOffset;

uint32_t RamPageCleared = 1;
uint32_t PatternCleared = 1;
uint32_t PaletteCleared = 1;
uint32_t ApuCleared = 1;

bool AnyDebugViewOn() { return MemoryTracer || PatternDisplay || PaletteTracer || ApuTracer; }

void ResetDebugger() {
  RamPage = ApuChannel = 0;
  MemoryTracer = PatternDisplay = PaletteTracer = ApuTracer = 0;
  VramInstantRefresh = 1;
  ChrViewOffset = 0;
  RamPageCleared = PatternCleared = PaletteCleared = ApuCleared = 1;
  ResetMessageArea();
}

// Dumps of the PPU's memories for the debugger: a readable listing in the log and a raw copy
// in a file of the current directory, replaced on every dump. Nothing in the machine changes.
// Each returns false when its file could not be written (the log part is done all the same).
#pragma once

struct Machine;

bool DumpNameTables(const Machine& m);     // DumpNMT.BIN: $2000-$2FFF
bool DumpPalette(const Machine& m);        // DumpPAL.BIN: $3F00-$3F1F
bool DumpSpriteRam(const Machine& m);      // DumpSpr.BIN: the 256 bytes of sprite RAM
bool DumpPatternMemory(const Machine& m);  // VRAMDUMP.BIN: $0000-$1FFF, no log listing

constexpr char kNameTableDumpFile[] = "DumpNMT.BIN";
constexpr char kPaletteDumpFile[] = "DumpPAL.BIN";
constexpr char kSpriteDumpFile[] = "DumpSpr.BIN";
constexpr char kPatternDumpFile[] = "VRAMDUMP.BIN";

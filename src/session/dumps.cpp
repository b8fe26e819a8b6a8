#include "session/dumps.h"

#include <cstdio>
#include <string>

#include "core/globals.h"
#include "core/machine.h"
#include "files/files.h"
#include "log/log.h"

namespace {

bool WriteRaw(const char* name, const uint8_t* bytes, size_t size) {
  return WriteWholeFile(name, bytes, size).empty();
}

void LogString(const std::string& text) { LogText(text.data(), text.size()); }

// One name table's 960 tile bytes, 32 to a line; the attribute bytes are left out.
void LogNameTable(const Machine& m, int table) {
  LogString("NameTable#" + std::to_string(table) + "\n");
  const int base = 0x2000 + 0x400 * table;
  std::string line;
  for (int address = base; address < base + 0x3C0; ++address) {
    const uint8_t value = m.PpuMemory[address];
    line += HexDigits[value >> 4];
    line += HexDigits[value & 15];
    line += ' ';
    if ((address & 31) == 31) {
      line += '\n';
      LogString(line);
      line.clear();
    }
  }
}

void LogLabelled(const char* label, int32_t value) {
  LogString(label);
  LogNumberLine(value);
}

}  // namespace

bool DumpNameTables(const Machine& m) {
  LogText("Debug:DumpNameTable\n");
  LogNumberLine(m.FineX);
  LogNumberLine(m.FineY);
  LogText("HV\n");
  LogLabelled("Mirror flag:", static_cast<int32_t>(m.VerticalMirroring));
  if (m.OneScreenLow) LogText("One screen mirror\n");
  for (int table = 0; table < 4; ++table) LogNameTable(m, table);
  return WriteRaw(kNameTableDumpFile, m.PpuMemory + 0x2000, 0x1000);
}

bool DumpPalette(const Machine& m) {
  LogText("Debug:Dump Palette\n");
  LogText("Image Palette:\n");
  for (int i = 0; i < 16; ++i) LogNumberLine(m.PpuMemory[0x3F00 + i]);
  LogText("Sprite Palette:\n");
  for (int i = 0; i < 16; ++i) LogNumberLine(m.PpuMemory[0x3F10 + i]);
  return WriteRaw(kPaletteDumpFile, m.PpuMemory + 0x3F00, 32);
}

bool DumpSpriteRam(const Machine& m) {
  LogText("Debug:Dump Sprite RAM\n");
  for (int i = 0; i < 64; ++i) {
    const uint8_t* sprite = m.SpriteRam + 4 * i;
    LogLabelled("Sprite#", i);
    LogLabelled("Pattern:", sprite[1]);
    LogLabelled("X:", sprite[3]);
    LogLabelled("Y:", sprite[0] + 1);  // the line the sprite starts on
    LogLabelled("Property:", sprite[2]);
  }
  return WriteRaw(kSpriteDumpFile, m.SpriteRam, 256);
}

bool DumpPatternMemory(const Machine& m) { return WriteRaw(kPatternDumpFile, m.PpuMemory, 0x2000); }

// Shared set-up for board tests: a board loaded from a tagged image, name-table markers, and
// scripts of register writes whose effects are read back through the bank tags.
#pragma once

#include <algorithm>
#include <cstring>
#include <sstream>

#include "cart/board_table.h"
#include "session/run_frame.h"
#include "support/fixture.h"

constexpr uint8_t kDrawn = 0xEE;  // CHR RAM contents before the writes

inline InesImage Image(uint8_t mapper, uint8_t prgUnits = 2, uint8_t chrUnits = 1) {
  return {.PrgUnits = prgUnits, .ChrUnits = chrUnits, .Mapper = mapper};
}
inline uint8_t P(uint32_t bank8k) { return PrgTag(bank8k); }
inline uint8_t C(uint32_t page1k) { return ChrTag(page1k); }

class BoardTest : public MachineTest {
 protected:
  void LoadBoard(uint8_t mapper, uint8_t prgUnits, uint8_t chrUnits, uint8_t flags6 = 0) {
    NewConsole();
    ASSERT_EQ(
        Load({.PrgUnits = prgUnits, .ChrUnits = chrUnits, .Mapper = mapper, .Flags6Low = flags6}),
        kLoadOk);
    m().FirstSelectPending = 1;  // as reset leaves it
    // Without CHR ROM the pattern tables are RAM holding what the game drew.
    if (chrUnits == 0) std::memset(m().PpuMemory, kDrawn, 0x2000);
  }
  // PPU memory below $2000, CPU memory above.
  uint8_t& At(uint16_t address) {
    return address < 0x2000 ? m().PpuMemory[address] : m().CpuMemory[address];
  }
  // A script of tokens, numbers in hex. "AAAA=VV" is a register write (on MMC1 the five
  // serial writes, low bit first, the last one's address picking the register), "AAAA!VV" one
  // plain write, "AAAA>VV" a write through the PPU's data port, "AAAA<VV" a byte stored
  // straight into memory (At), and "AAAA:X" expects X there: a byte (0C0-0CF with a leading 0),
  // D for what the game drew, or Pn / Cn (n decimal) for the tag of 8 KB PRG bank n / 1 KB CHR
  // page n. "NT<wxyz" fills the four name tables with those markers and "NT:wxyz" expects
  // them ('.' for any); "VM:n" expects VerticalMirroring to be n; "LOG:text" expects the log ('/'
  // for a line break); "IRQ:n" steps the counters from line 20 with rendering on and I clear,
  // expecting the IRQ on step n (0: none in 12).
  void RunScript(const std::string& script) {
    std::istringstream tokens(script);
    for (std::string token; tokens >> token;) {
      const size_t at = token.find_first_of("=!<>:");
      const std::string name = token.substr(0, at), arg = token.substr(at + 1);
      const char op = token[at];
      std::string text = arg;
      std::ranges::replace(text, '/', '\n');
      if (name == "NT" && op == '<') {
        for (int t = 0; t < 4; ++t) std::memset(m().PpuMemory + 0x2000 + t * 0x400, arg[t], 0x400);
      } else if (name == "NT" || name == "LOG") {  // name tables by their first bytes
        std::string shown = name == "LOG" ? ReadLog() : "";
        for (int t = 0; t < 4 && name == "NT"; ++t)
          shown += char(m().PpuMemory[0x2000 + t * 0x400]);
        for (size_t i = 0; i < std::min(shown.size(), text.size()); ++i)
          if (text[i] == '.') shown[i] = '.';
        EXPECT_EQ(shown, text) << token;
      } else if (name == "VM") {
        EXPECT_EQ(m().VerticalMirroring, Hex(arg)) << token;
      } else if (name == "IRQ") {
        m().P = 0x20, m().S = 0xFF, m().PC = 0x1234, m().CpuMemory[kPpuMask] = 0x18;
        EXPECT_EQ(StepsToIrq(), std::stoi(arg)) << token;
      } else if (op == ':') {
        EXPECT_EQ(At(Hex(name)), Expected(arg)) << token;
      } else if (op == '<') {
        At(Hex(name)) = static_cast<uint8_t>(Hex(arg));
      } else if (op == '>') {
        m().PpuMemoryWrite(Hex(name), static_cast<uint8_t>(Hex(arg)));
      } else if (op == '=' && MapperNumber == 1) {  // MMC1's five serial writes
        for (int bit = 0; bit < 5; ++bit)
          m().CpuWrite(bit < 4 ? 0x8000 : Hex(name), (Hex(arg) >> bit) & 1);
      } else {
        m().CpuWrite(Hex(name), static_cast<uint8_t>(Hex(arg)));
      }
    }
  }
  static uint16_t Hex(const std::string& digits) {
    return static_cast<uint16_t>(std::stoul(digits, nullptr, 16));
  }
  static uint8_t Expected(const std::string& arg) {
    const uint32_t n = arg[0] == 'P' || arg[0] == 'C' ? std::stoul(arg.substr(1)) : 0;
    return arg == "D" ? kDrawn : arg[0] == 'P' ? P(n) : arg[0] == 'C' ? C(n) : Hex(arg);
  }
  // Steps the counters from line `first` on, `limit` lines at most: the step on which the IRQ
  // was taken (PC at the vector), 0 for none.
  int StepsToIrq(int first = 20, int limit = 12) {
    const uint16_t vector = m().CpuRead(0xFFFE) | m().CpuRead(0xFFFF) << 8;
    for (int n = 1; n <= limit; ++n) {
      StepBoardCounters(m(), first + n - 1);
      if (m().PC == vector) return n;
    }
    return 0;
  }
};

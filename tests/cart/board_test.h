// Shared set-up for board tests: a board loaded from a tagged image, name-table markers, and
// table-driven cases of register writes whose effect is read back through the tags.
#pragma once

#include <array>
#include <cstring>
#include <functional>

#include "cart/board_table.h"
#include "log/log.h"
#include "session/run_frame.h"
#include "support/fixture.h"

using Tables4 = std::array<uint8_t, 4>;
constexpr uint8_t kDrawn = 0xEE;  // CHR RAM contents before the writes

// A register write, or a byte expected after the writes (PPU memory below $2000, CPU above).
struct Write {
  uint16_t address;
  uint8_t value;
};
// Counter registers written through the bus, then the line on which the frame loop's counter
// steps take the IRQ (0 = none).
struct CounterCase {
  uint8_t mapper;
  std::vector<Write> writes;
  int fires;
};
struct BoardCase {
  uint8_t prgUnits, chrUnits;
  std::vector<Write> writes, expects;
};

inline InesImage Image(uint8_t mapper, uint8_t prgUnits = 2, uint8_t chrUnits = 1) {
  InesImage image;
  image.PrgUnits = prgUnits, image.ChrUnits = chrUnits, image.Mapper = mapper;
  return image;
}

class BoardTest : public MachineTest {
 protected:
  void LoadBoard(uint8_t mapper, uint8_t prgUnits, uint8_t chrUnits, uint8_t flags6 = 0) {
    machine = std::make_unique<Machine>();
    ResetSession();
    InesImage image = Image(mapper, prgUnits, chrUnits);
    image.Flags6Low = flags6;
    ASSERT_EQ(Load(image), kLoadOk);
    m().FirstSelectPending = 1;  // as reset leaves it
  }
  // MMC1's five serial writes, low bit first; only the last one's address picks the register.
  void Mmc1Serial(uint16_t address, uint8_t value, uint16_t firstFour = 0x8000) {
    for (int bit = 0; bit < 4; ++bit) m().CpuWrite(firstFour, (value >> bit) & 1);
    m().CpuWrite(address, (value >> 4) & 1);
  }
  uint8_t At(uint16_t address) {
    return address < 0x2000 ? m().PpuMemory[address] : m().CpuMemory[address];
  }
  // Each case on a freshly loaded board; `write`, if given, performs one register write.
  void Run(uint8_t mapper, const std::vector<BoardCase>& cases,
           const std::function<void(Write)>& write = nullptr) {
    for (size_t i = 0; i < cases.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "mapper " << int(mapper) << " case " << i);
      LoadBoard(mapper, cases[i].prgUnits, cases[i].chrUnits);
      // Without CHR ROM the pattern tables are RAM holding what the game drew.
      if (cases[i].chrUnits == 0) std::memset(m().PpuMemory, kDrawn, 0x2000);
      for (const Write& w : cases[i].writes) write ? write(w) : m().CpuWrite(w.address, w.value);
      for (const Write& e : cases[i].expects)
        EXPECT_EQ(At(e.address), e.value) << "at $" << std::hex << e.address;
    }
  }
  // With rendering on and I clear, from line 20 for at most 12 lines.
  void RunCounterCases(const std::vector<CounterCase>& cases) {
    for (const CounterCase& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << "mapper " << int(c.mapper) << " " << c.writes.size() << " writes");
      LoadBoard(c.mapper, 8, 4);
      for (const Write& w : c.writes) m().CpuWrite(w.address, w.value);
      m().P = 0x20, m().S = 0xFF, m().PC = 0x1234;
      m().CpuMemory[kPpuMask] = 0x18;
      const uint16_t vector = m().CpuRead(0xFFFE) | m().CpuRead(0xFFFF) << 8;
      int fired = 0;
      for (int n = 1; n <= 12 && !fired; ++n) {
        StepBoardCounters(m(), 19 + n);
        if (m().PC == vector) fired = n;
      }
      EXPECT_EQ(fired, c.fires);
    }
  }
  void FillTables(Tables4 markers) {
    for (int table = 0; table < 4; ++table)
      std::memset(m().PpuMemory + 0x2000 + table * 0x400, markers[table], 0x400);
  }
  Tables4 Tables() {
    return {m().PpuMemory[0x2000], m().PpuMemory[0x2400], m().PpuMemory[0x2800],
            m().PpuMemory[0x2C00]};
  }
};

inline uint8_t P(uint32_t bank8k) { return PrgTag(bank8k); }
inline uint8_t C(uint32_t page1k) { return ChrTag(page1k); }

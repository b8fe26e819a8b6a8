#include <vector>

#include "cart/name_tables.h"
#include "support/fixture.h"

namespace {

struct Write {
  uint16_t address;
  uint8_t value;
};
// One byte expected at an address of CpuMemory (PRG tags) or PpuMemory (CHR tags).
struct Expect {
  bool ppu;
  uint16_t address;
  uint8_t tag;
};
Expect Cpu(uint16_t address, uint8_t tag) { return {false, address, tag}; }
Expect Ppu(uint16_t address, uint8_t tag) { return {true, address, tag}; }

struct BoardCase {
  const char* what;
  uint8_t mapper, prgUnits, chrUnits;
  std::vector<Write> writes;
  std::vector<Expect> expects;
};

// Whether row 0 of the tile at `address` is in the pattern cache as its two planes say.
bool RowDecoded(const Machine& m, uint16_t address) {
  for (int column = 0; column < 8; ++column) {
    const int bit = 7 - column;
    const int pixel =
        ((m.PpuMemory[address] >> bit) & 1) | (((m.PpuMemory[address + 8] >> bit) & 1) << 1);
    if (m.PatternCache[address * 4 + column] != pixel) return false;
  }
  return true;
}

}  // namespace

class DiscreteBoardTest : public MachineTest {
 protected:
  void LoadBoard(uint8_t mapper, uint8_t prgUnits, uint8_t chrUnits) {
    InesImage image;
    image.Mapper = mapper;
    image.PrgUnits = prgUnits;
    image.ChrUnits = chrUnits;
    ASSERT_EQ(Load(image), kLoadOk);
  }
};

TEST_F(DiscreteBoardTest, RegistersSelectTheWrittenBanks) {
  const BoardCase cases[] = {
      {"2: 9 mod 8 units = unit 1, last stays",
       2,
       8,
       0,
       {{0x8000, 9}},
       {Cpu(0x8000, PrgTag(2)), Cpu(0xBFFF, PrgTag(3)), Cpu(0xC000, PrgTag(14))}},
      {"3: 6 mod 4 = CHR 2",
       3,
       2,
       4,
       {{0xFFFF, 6}},
       {Ppu(0x0000, ChrTag(16)), Ppu(0x1FFF, ChrTag(23))}},
      {"7: $0D mod 4 = 32 KB bank 1",
       7,
       8,
       0,
       {{0x8000, 0x0D}},
       {Cpu(0x8000, PrgTag(4)), Cpu(0xFFFF, PrgTag(7))}},
      {"8: CHR v AND 7, PRG v >> 3",
       8,
       4,
       8,
       {{0x8000, (2 << 3) | 5}},
       {Ppu(0x0000, ChrTag(40)), Ppu(0x1C00, ChrTag(47)), Cpu(0x8000, PrgTag(4)),
        Cpu(0xC000, PrgTag(2))}},
      {"11: PRG low nibble, CHR high nibble",
       11,
       8,
       4,
       {{0x8000, 0x36}},
       {Cpu(0x8000, PrgTag(8)), Cpu(0xFFFF, PrgTag(11)), Ppu(0x0000, ChrTag(24))}},
      {"15 $8000: 32 KB from any 16 KB unit",
       15,
       8,
       0,
       {{0x8000, 0x43}},
       {Cpu(0x8000, PrgTag(6)), Cpu(0xC000, PrgTag(8))}},
      {"15 $8001 and $8003: 16 KB to $C000",
       15,
       8,
       0,
       {{0x8001, 5}, {0x8003, 0x82}},
       {Cpu(0x8000, PrgTag(0)), Cpu(0xC000, PrgTag(4))}},
      {"15 $8002 bit 7 = 1: second half everywhere",
       15,
       8,
       0,
       {{0x8002, 0x83}},
       {Cpu(0x8000, PrgTag(7)), Cpu(0xA000, PrgTag(7)), Cpu(0xC000, PrgTag(7)),
        Cpu(0xE000, PrgTag(7))}},
      {"15 $8002 bit 7 = 0: first half everywhere",
       15,
       8,
       0,
       {{0x8002, 0x03}},
       {Cpu(0x8000, PrgTag(6)), Cpu(0xE000, PrgTag(6))}},
      {"15: other addresses ignored",
       15,
       8,
       0,
       {{0x8004, 0x43}, {0xC000, 0x43}},
       {Cpu(0x8000, PrgTag(0)), Cpu(0xC000, PrgTag(2))}},
      {"34: high range and $7FFD select 32 KB", 34, 8, 2, {{0x8000, 5}}, {Cpu(0x8000, PrgTag(4))}},
      {"34: $7FFD", 34, 8, 2, {{0x7FFD, 3}}, {Cpu(0x8000, PrgTag(12))}},
      {"34: $7FFE/$7FFF 4 KB CHR halves",
       34,
       8,
       2,
       {{0x7FFE, 3}, {0x7FFF, 6}},
       {Ppu(0x0000, ChrTag(12)), Ppu(0x1000, ChrTag(8))}},
      {"34: RAM below the registers is not written",
       34,
       8,
       2,
       {{0x6000, 0x77}, {0x7FFC, 0x77}},
       {Cpu(0x6000, 0), Cpu(0x7FFC, 0)}},
      {"41: address carries PRG, enable and outer CHR",
       41,
       16,
       16,
       {{0x6000 | 0x20 | 0x18 | 0x04 | 5, 0xFF}, {0x8000, 2}},
       {Cpu(0x8000, PrgTag(20)), Ppu(0x0000, ChrTag(112))}},
      {"41: inner CHR disabled ignores high writes",
       41,
       16,
       16,
       {{0x6000 | 0x18 | 3, 0}, {0x8000, 2}},
       {Cpu(0x8000, PrgTag(12)), Ppu(0x0000, ChrTag(0))}},
      {"41: other low addresses ignored", 41, 16, 16, {{0x7005, 0}}, {Cpu(0x8000, PrgTag(0))}},
      // Images too small for a bank count: the bank write is dropped.
      {"3 without CHR ROM", 3, 2, 0, {{0x8000, 1}}, {Ppu(0x0000, 0)}},
      {"34 without CHR ROM", 34, 2, 0, {{0x7FFE, 1}}, {Ppu(0x0000, 0)}},
      {"7 with one unit", 7, 1, 0, {{0x8000, 1}}, {Cpu(0x8000, PrgTag(0))}},
      {"11 with one unit keeps PRG, still switches CHR",
       11,
       1,
       2,
       {{0x8000, 0x11}},
       {Cpu(0x8000, PrgTag(0)), Ppu(0x0000, ChrTag(8))}},
  };
  for (const BoardCase& c : cases) {
    SCOPED_TRACE(c.what);
    machine = std::make_unique<Machine>();
    ResetGlobals();
    LoadBoard(c.mapper, c.prgUnits, c.chrUnits);
    for (const Write& w : c.writes) m().CpuWrite(w.address, w.value);
    for (const Expect& e : c.expects) {
      const uint8_t got = e.ppu ? m().PpuMemory[e.address] : m().CpuMemory[e.address];
      EXPECT_EQ(got, e.tag) << (e.ppu ? "PPU $" : "CPU $") << std::hex << e.address;
    }
  }
}

TEST_F(DiscreteBoardTest, ChrSwitchesDecodeExceptMapper8) {
  LoadBoard(3, 2, 4);
  m().CpuWrite(0x8000, 2);
  EXPECT_TRUE(RowDecoded(m(), 0x1C00));

  machine = std::make_unique<Machine>();
  LoadBoard(8, 2, 8);
  m().CpuWrite(0x8000, 2);
  EXPECT_EQ(m().PpuMemory[0x1C00], ChrTag(23));
  EXPECT_EQ(m().PatternsDirty, 1);
  EXPECT_FALSE(RowDecoded(m(), 0x1C00));  // left to the frame-start rebuild
}

TEST_F(DiscreteBoardTest, Mapper7KeepsTheHiddenPage) {
  LoadBoard(7, 4, 0);
  VerticalMirroring = 1;
  FillTables(m(), {'A', 'B', 'A', 'B'});
  m().CpuWrite(0x8000, 0x08);
  EXPECT_EQ(Tables(m()), (Tables4{'B', 'B', 'B', 'B'}));
  EXPECT_EQ(m().NameTableScratch[0], 'A');
  m().PpuMemoryWrite(0x2C10, 'b');  // written on page B: all four tables follow
  EXPECT_EQ(m().PpuMemory[0x2010], 'b');
  m().CpuWrite(0x8000, 0x00);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'A', 'A', 'A'}));
  EXPECT_EQ(m().NameTableScratch[0x10], 'b');
  EXPECT_EQ(m().OneScreenLow, 1);
  EXPECT_EQ(m().OneScreenHigh, 0);
  m().CpuWrite(0x8000, 0x00);  // again page A: nothing moves
  EXPECT_EQ(m().NameTableScratch[0x10], 'b');
  m().CpuWrite(0x8000, 0x08);
  EXPECT_EQ(m().PpuMemory[0x2410], 'b');
}

TEST_F(DiscreteBoardTest, RecordedWindowsCopyOnlyOnChange) {
  LoadBoard(11, 8, 4);
  m().CpuWrite(0x8000, 0x21);
  m().CpuMemory[0x8000] = 0x55;
  m().PpuMemory[0x0000] = 0x66;
  m().CpuWrite(0x8000, 0x21);  // same banks: neither window is copied again
  EXPECT_EQ(m().CpuMemory[0x8000], 0x55);
  EXPECT_EQ(m().PpuMemory[0x0000], 0x66);
  m().CpuWrite(0x8000, 0x22);  // PRG changed, CHR not
  EXPECT_EQ(m().CpuMemory[0x8000], PrgTag(8));
  EXPECT_EQ(m().PpuMemory[0x0000], 0x66);

  machine = std::make_unique<Machine>();
  LoadBoard(34, 4, 2);
  m().CpuWrite(0x7FFF, 1);
  m().PatternCache[0x1000 * 4] = 0x77;
  m().PpuMemory[0x1000] = 0x66;
  m().CpuWrite(0x7FFF, 1);  // no copy and no decode
  EXPECT_EQ(m().PpuMemory[0x1000], 0x66);
  EXPECT_EQ(m().PatternCache[0x1000 * 4], 0x77);
  m().CpuWrite(0x7FFE, 1);  // the other half has its own record
  EXPECT_EQ(m().PpuMemory[0x0000], ChrTag(4));
}

TEST_F(DiscreteBoardTest, Mapper41MirroringAndLatchesFromTheAddress) {
  LoadBoard(41, 8, 16);
  VerticalMirroring = 1;
  FillTables(m(), {'A', 'B', 'A', 'B'});
  m().CpuWrite(0x6020 | 0x08 | 0x04, 0);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'A', 'B', 'B'}));
  EXPECT_EQ(m().MapperMode, 1);
  EXPECT_EQ(m().MapperFlag, 4);
  m().CpuWrite(0xC000, 0x07);  // outer 4 OR inner 3
  EXPECT_EQ(m().PpuMemory[0x0000], ChrTag(56));
  m().CpuWrite(0x6000, 0);
  EXPECT_EQ(Tables(m()), (Tables4{'A', 'B', 'A', 'B'}));
  EXPECT_EQ(m().MapperMode, 0);
}

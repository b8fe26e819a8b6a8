// The PPU registers as the CPU writes and reads them, and the CPU bus's other reads. $2005 and
// $2006 act differently inside vertical blank (straight to the latches and the address) and
// outside it (a mid-frame split); the scroll and split cartridges show the rest.
#include <tuple>
#include <vector>

#include "cart/board_table.h"
#include "support/fixture.h"

namespace {

using PpuRegistersTest = MachineTest;

struct WriteCase {
  const char* name;
  bool vblank;
  uint8_t fineY;
  uint16_t temp, vram;
  std::vector<std::pair<uint16_t, uint8_t>> writes;
  uint8_t wantFineY;
  uint16_t wantTemp, wantVram;
};

// clang-format off
const WriteCase kWrites[] = {
    // $2000's two low bits pick the name table in the latch: bit 0 across, bit 1 down.
    {"$2000 table 1", false, 0, 0x7FFF, 0, {{0x2000, 1}}, 0, 0x77FF, 0},
    {"$2000 table 2", false, 0, 0x7FFF, 0, {{0x2000, 2}}, 0, 0x7BFF, 0},
    // Mid-frame, the second $2005 write clears coarse Y and leaves fine Y.
    {"$2005 twice mid-frame", false, 6, 11 << 5, 0, {{0x2005, 0xF8}, {0x2005, 0xFF}}, 6, 31, 0},
    // In vertical blank $2006 goes to the address, the latch left alone; outside it the first
    // write (6 bits) loads the latch and clears fine Y, the second copies the latch over.
    {"$2006 in vblank", true, 5, 0x1234, 0, {{0x2006, 0x3F}, {0x2006, 0x00}}, 5, 0x1234, 0x3F00},
    {"$2006 once mid-frame", false, 5, 0x1234, 0x3F00, {{0x2006, 0xE1}}, 0, 0x2134, 0x3F00},
    {"$2006 twice", false, 5, 0, 0x3F00, {{0x2006, 0xE1}, {0x2006, 0x23}}, 0, 0x2123, 0x2123},
    // Steps of 32 through $2007 wrap at 14 bits.
    {"$2007 step 32 wraps", false, 0, 0, 0x3FF0, {{0x2000, 0x04}, {0x2007, 0x01}}, 0, 0, 0x0010},
};
// clang-format on

TEST_F(PpuRegistersTest, Writes) {
  for (const WriteCase& c : kWrites) {
    m().VblankPeriod = c.vblank, m().WriteToggle = 0;
    m().FineY = c.fineY, m().TempAddress = c.temp, m().VramAddress = c.vram;
    for (const auto& [address, value] : c.writes) m().CpuWrite(address, value);
    EXPECT_EQ(std::tuple(m().FineY, m().TempAddress, m().VramAddress),
              std::tuple(c.wantFineY, c.wantTemp, c.wantVram))
        << c.name;
  }
  // $2004 stores step the sprite address and wrap.
  m().CpuWrite(0x2003, 0xFE);
  for (uint8_t value : {1, 2, 3}) m().CpuWrite(0x2004, value);
  EXPECT_EQ(std::tuple(m().SpriteRam[0xFE], m().SpriteRam[0xFF], m().SpriteRam[0],
                       m().CpuMemory[kSpriteAddress]),
            std::tuple(1, 2, 3, 1));
}

// Work RAM is mirrored four times; PPU register mirrors and the other areas below $8000 are
// not decoded: each reads its own stored byte. $2002 clears the flag and the toggle, $2004
// steps and wraps, and the first $2007 read after setting the address does not move it (no
// read buffer). Then the boards that decode reads: mapper 19's counter and sound RAM (the
// address not advanced by the read); mapper 48's sprite 0 hit, not the stored byte.
TEST_F(PpuRegistersTest, Reads) {
  m().CpuWrite(0x0000, 0x11);
  for (uint16_t mirror : {0x0000, 0x0800, 0x1000, 0x1800}) EXPECT_EQ(m().CpuRead(mirror), 0x11);
  EXPECT_EQ(m().CpuRead(0x10000 + 0x0800), 0x11);  // only the low 16 bits count
  m().CpuMemory[0x2002] = 0xE0;
  for (uint16_t address : {0x200A, 0x4015, 0x5123, 0x5204, 0x6000}) {
    m().CpuMemory[address] = static_cast<uint8_t>(address);
    EXPECT_EQ(m().CpuRead(address), static_cast<uint8_t>(address));
  }
  m().WriteToggle = 1;
  // Braces: read in order. The $200A mirror left the flag alone; bits 6 and 5 stay.
  EXPECT_EQ((std::tuple{m().CpuRead(0x2002), m().WriteToggle, m().CpuRead(0x2002)}),
            std::tuple(0xE0, 0, 0x60));
  m().SpriteRam[255] = 0xAB, m().SpriteRam[0] = 0xCD, m().CpuMemory[kSpriteAddress] = 0xFF;
  EXPECT_EQ((std::tuple{m().CpuRead(0x2004), m().CpuRead(0x2004)}), std::tuple(0xAB, 0xCD));
  m().VblankPeriod = 1, m().PpuMemory[0x2000] = 0xA0, m().PpuMemory[0x2001] = 0xA1;
  m().CpuWrite(0x2006, 0x20), m().CpuWrite(0x2006, 0x00);
  for (uint8_t expected : {0xA0, 0xA0, 0xA1}) EXPECT_EQ(m().CpuRead(0x2007), expected);
  SelectBoard(m(), 19);
  m().IrqCounter = 0xBEEF, m().NamcoSoundRam[0x12] = 0x99, m().NamcoSoundAddress = 0x12;
  // Braces: read in order, the address last.
  EXPECT_EQ((std::tuple{m().CpuRead(0x5123), m().CpuRead(0x5FFF), m().CpuRead(0x4800),
                        m().NamcoSoundAddress}),
            std::tuple(0xEF, 0xBE, 0x99, 0x12));
  SelectBoard(m(), 48), m().CpuMemory[0x5204] = 0x33, m().CpuMemory[kPpuStatus] = 0;
  EXPECT_EQ(m().CpuRead(0x5204), 0x00);
  m().CpuMemory[kPpuStatus] = 0x40;
  EXPECT_EQ(m().CpuRead(0x5204), 0x80);
}

}  // namespace

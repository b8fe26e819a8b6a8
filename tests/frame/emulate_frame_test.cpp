// The frame loop around a tiny program: the main code spins on JMP, the NMI handler counts
// in $10. Whether the frame core alone runs a cartridge as the session's frames do is the
// libretro front-end's comparison with the runner.

#include "frame/emulate_frame.h"

#include <cstring>
#include <initializer_list>
#include <tuple>

#include "session/run_frame.h"
#include "support/fixture.h"

namespace {

class RunFrameTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    Poke(0x8000, {0x4C, 0x00, 0x80});        // JMP $8000
    Poke(0x9000, {0xE6, 0x10, 0x40});        // INC $10, RTI
    Poke(0xFFFA, {0x00, 0x90, 0x00, 0x80});  // NMI, reset
    m().ResetCpu();
    m().CpuMemory[kPpuMask] = 0;
    std::memset(m().SpriteRam, 0xF0, 256);
  }
  void Poke(uint16_t at, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), m().CpuMemory + at);
  }
};

// One NMI a frame, drawn or skipped, and none while $2000 disables it; the sprite 0 hit is
// cleared at the frame's start and the vertical-blank flag set at 243. (What rendering off
// keeps, and the pattern cache rebuilt at the start, show in the picture cartridges.)
TEST_F(RunFrameTest, FrameStartVerticalBlankAndNmi) {
  m().CpuMemory[kPpuStatus] = 0x40;
  RunFrame(m(), 0);
  EXPECT_EQ(std::tuple(m().CpuMemory[0x10], m().CpuMemory[kPpuStatus], m().VblankPeriod),
            std::tuple(0, 0x80, 1));
  m().CpuMemory[kPpuControl] = 0x80;
  RunFrame(m(), 0);
  RunFrame(m(), 1);
  EXPECT_EQ(FrameCount, 3u);
  EXPECT_EQ(m().CpuMemory[0x10], 2) << "one NMI per frame, drawn or skipped";
}

// The flag and the NMI come on line 243, after it has run: a main loop counting in $11-$12
// from the frame's start (7 cycles a pass as the interpreter counts them, 15 every 256th) has
// made 3957 passes in 244 lines of 114 cycles when the handler copies the count; a line
// earlier would be 16 fewer.
TEST_F(RunFrameTest, VerticalBlankComesOnLine243) {
  Poke(0x8000, {0xE6, 0x11, 0xD0, 0xFC, 0xE6, 0x12, 0x4C, 0x00, 0x80});  // INC, BNE, INC, JMP
  Poke(0x9000, {0xA5, 0x11, 0x85, 0x13, 0xA5, 0x12, 0x85, 0x14, 0x40});  // copy, RTI
  m().CpuMemory[kPpuControl] = 0x80;
  RunFrame(m(), 0);
  EXPECT_NEAR(m().CpuMemory[0x13] | m().CpuMemory[0x14] << 8, 3957, 2);
}

// Skipped frames: sprite 0's box gives the hit and nine sprites on a line the overflow bit
// (drawn frames never set it); sprites with Y 255 sit below the picture and give neither.
// Sprites the program moves onto one line with $2004 stores during the frame, after the
// frame's first look at sprite RAM, still give the overflow.
TEST_F(RunFrameTest, SkippedFrameSpriteBits) {
  m().CpuMemory[kPpuMask] = 0x18;
  const auto status = [&](uint8_t y0, uint8_t yOthers, uint32_t skip = 1) {
    m().CpuMemory[kPpuStatus] = 0;
    m().SpriteRam[0] = y0;
    for (int k = 1; k < 9; ++k) m().SpriteRam[4 * k] = yOthers;
    RunFrame(m(), skip);
    return m().CpuMemory[kPpuStatus] & 0x60;
  };
  EXPECT_EQ(status(99, 99), 0x60);
  EXPECT_EQ(status(99, 99, 0) & 0x20, 0);
  EXPECT_EQ(status(255, 255), 0x00);
  EXPECT_EQ(status(99, 255), 0x40);
  std::memset(m().SpriteRam, 0xF0, 256);
  // LDA #4, STA $2003 (from sprite 1); LDA #50, LDX #36 (sprites 1-9 whole); STA $2004, DEX,
  // BNE back; JMP to itself.
  Poke(0x8000, {0xA9, 0x04, 0x8D, 0x03, 0x20, 0xA9, 0x32, 0xA2, 0x24, 0x8D, 0x04, 0x20, 0xCA, 0xD0,
                0xFA, 0x4C, 0x0F, 0x80});
  RunFrame(m(), 1);
  EXPECT_EQ(std::tuple(m().SpriteRam[4 * 9], m().CpuMemory[kPpuStatus] & 0x60),
            std::tuple(50, 0x20));
}

}  // namespace

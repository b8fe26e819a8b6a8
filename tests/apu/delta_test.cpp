// Delta modulation: restarts on any register write, the level carried through $4011, the
// sample end, and the fetch address wrapping from $FFFF to $8000.
#include "apu/sound_fixture.h"

namespace {

class DeltaTest : public SoundTest {
 protected:
  // 64 bytes of one bits at `address`, fastest rate: the level climbs to 30.
  void RisingSample(int control, int address, int length) {
    std::fill_n(m().CpuMemory + 0xC000 + address * 64, 64, 0xFF);
    Write(0x4015, 0x10);
    Write(0x4010, control);
    Write(0x4012, address);
    Write(0x4013, length);
  }
};

TEST_F(DeltaTest, LevelCarriesThroughTheRegisterUntilAWriteRestarts) {
  RisingSample(0x4F, 0x00, 0x00);  // looping
  auto out = Frame(kDeltaBuffer);
  EXPECT_EQ(out[0], -256) << "restart at level 15, first bit up";
  EXPECT_EQ(out.back(), -3840) << "level 30";
  EXPECT_EQ(m().CpuRead(0x4011), 0xF8) << "(30 << 2) | 0x80";
  out = Frame(kDeltaBuffer);
  EXPECT_EQ(std::count(out.begin(), out.end(), -3840), static_cast<long>(out.size()));
  // Any write restarts, even of the value already there, $4011 included.
  for (uint16_t reg : {0x4010, 0x4011, 0x4012, 0x4013}) {
    Frame(kDeltaBuffer);
    Write(reg, m().CpuRead(reg));
    out = Frame(kDeltaBuffer);
    const size_t carried = std::count(out.begin(), out.begin() + 3, -3840);
    // Level 15 again, one or two bits in (the first bit may fall between samples).
    EXPECT_GE(out[carried], -512) << std::hex << reg;
  }
}

// Without loop a short sample ends at level 15 (output 0); its interrupt request is not
// raised, only marked once in the log. A sample at $FFC0 runs past $FFFF and carries on from
// $8000, where zero bits bring the level down to 0 (a read past the image would find ones).
TEST_F(DeltaTest, SampleEndAndFetchWrap) {
  // Control, address and length registers, the frame's last sample, marks in the log.
  const int cases[][5] = {{0x8F, 0x00, 0x01, 0, 1}, {0x0F, 0xFF, 0xFF, 3840, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "address " << c[1]);
    Fresh();
    std::fill_n(m().PpuMemory, 64, 0xFF);
    RisingSample(c[0], c[1], c[2]);
    const auto out = Frame(kDeltaBuffer);
    EXPECT_EQ(*std::min_element(out.begin(), out.end()), -3840);
    EXPECT_EQ(out.back(), c[3]);
    Frames(3, kDeltaBuffer);
    const std::string log = ReadLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), 'I'), c[4]) << log;
  }
}

}  // namespace

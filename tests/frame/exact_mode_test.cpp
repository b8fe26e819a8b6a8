// The exact mode against the described one: each test cartridge stores what its program saw at
// $0300 on, and each mode must see its own behaviour there.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "apu/sound_fixture.h"
#include "frame/emulate_frame.h"
#include "state/state_image.h"
#include "support/cartridge_run.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ExactModeTest : public CartridgeTest {
 protected:
  // A fresh console, so that nothing of the other mode's run carries over.
  void StartIn(const std::string& rom, bool exact) {
    NewConsole();
    ExactMode = exact;
    Start(rom);
  }
  Bytes Results(int count, uint16_t from = 0x300) const {
    return Bytes(machine->CpuMemory + from, machine->CpuMemory + from + count);
  }
};

TEST_F(ExactModeTest, ApuStatusLengthCountersAndInterrupts) {
  // Described: $4015 reads back the last write and no IRQ is ever taken.
  const Bytes described = {0x0F, 0x0F, 0x0F, 0x0F, 0, 0, 0, 0x10, 0x10, 0x10, 0x10, 0};
  const Bytes exact = {0x0D, 0x00, 0x40, 0x00, 2, 0, 0, 0x80, 0x00, 0x10, 0x00, 1};
  for (const bool exactMode : {false, true}) {
    StartIn("exact_apu.nes", exactMode);
    Frames(25);
    EXPECT_EQ(Results(12), exactMode ? exact : described) << "exact " << exactMode;
  }
}

// exact_ppu: $2007 through its buffer, $2002's data latch, sprite 0 over the background, eight
// sprites a line, the flag and NMI of vertical blank, the sprite address after a frame. The
// exact mode sees the same in skipped frames as in drawn ones.
TEST_F(ExactModeTest, PpuRegistersSpritesAndVerticalBlank) {
  const Bytes described = {0x11, 0x11, 0x22, 0x16, 0x11, 0x10, 0x40, 0x40, 0x40, 0x40, 0x40, 0x40};
  const Bytes exact = {0x00, 0x11, 0x22, 0x16, 0x5A, 0x13, 0x00, 0x40, 0x00, 0x00, 0x40, 0x60};
  for (const auto& [exactMode, skip] : {std::pair{false, 0u}, {true, 0u}, {true, 1u}}) {
    SCOPED_TRACE(testing::Message() << "exact " << exactMode << " skipped " << skip);
    StartIn("exact_ppu.nes", exactMode);
    Frames(40, skip);
    EXPECT_EQ(Results(12), exactMode ? exact : described);
    // From the flag to the line before the picture: lines 241-260, or 243-261 described.
    const double flagToEnd = Ram(0x30C) | Ram(0x30D) << 8, frame = Ram(0x30E) | Ram(0x30F) << 8;
    EXPECT_EQ(std::lround(flagToEnd * TotalLines / frame), exactMode ? 20 : 19);
    // The sprite address back at 0, NMI enabled in vertical blank, NMI with the flag before a
    // poll sees it.
    EXPECT_EQ(Results(3, 0x310), exactMode ? Bytes({0x77, 1, 1}) : Bytes({0x55, 0, 0}));
    if (skip) continue;
    EXPECT_EQ(Pixel(128, 8), exactMode ? 0x2A : 0x21) << "line 0 from the $2006 pair";
    EXPECT_EQ(Pixel(20, 104), 0x30);
    EXPECT_EQ(Pixel(212, 104), exactMode ? 0x2A : 0x30) << "sprite 8, the ninth on its line";
  }
}

// A state holds no sequencer: after a load the frame IRQ stays as $4017 last set it (here
// reset's $42, IRQ off), so a game with I clear never meets one it did not ask for.
TEST_F(ExactModeTest, StateLoadKeepsTheFrameIrqSwitchedOff) {
  StartIn("exact_ppu.nes", true);
  Frames(2);
  std::vector<uint8_t> image(kStateImageSize);
  WriteStateImage(m(), image.data());
  ASSERT_EQ(LoadStateImage(m(), image.data(), image.size()), nullptr);
  m().P &= ~0x04;
  Frames(3);
  EXPECT_EQ(m().IrqLine, 0);
}

// The exact mode's length counter silences a note without the halt flag once its count of
// ten half frames runs out; with the flag the note plays on.
TEST_F(SoundTest, ExactModeNoteEndsWithItsLength) {
  for (const int control : {0x1F, 0x3F}) {
    Fresh();
    ExactMode = 1;
    Note(2, 253, control);  // length index 0: ten half frames
    for (int line = 0; line < 6 * TotalLines; ++line) m().StepApuLine();
    const std::vector<int16_t> samples = Frame(kPulse1Buffer);
    EXPECT_EQ(std::any_of(samples.begin(), samples.end(), [](int16_t s) { return s != 0; }),
              control == 0x3F);
  }
}

}  // namespace

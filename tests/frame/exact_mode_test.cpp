// The exact mode against the described one: each test cartridge stores what its program saw at
// $0300 on, and each mode must see its own behaviour there.
#include <vector>

#include "support/cartridge_run.h"

namespace {

using Bytes = std::vector<uint8_t>;

class ExactModeTest : public CartridgeTest {
 protected:
  // A fresh console, so that nothing of the other mode's run carries over.
  void StartIn(const std::string& rom, bool exact) {
    ResetSession();
    machine = std::make_unique<Machine>();
    ExactMode = exact;
    Start(rom);
  }
  Bytes Results(int count) const {
    return Bytes(machine->CpuMemory + 0x300, machine->CpuMemory + 0x300 + count);
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

}  // namespace

// The idle-loop skip must be invisible: with it on or off every run leaves the whole console
// in the same state, and only loops whose passes change nothing are skipped at all.
#include <cstring>

#include "session/run_frame.h"
#include "support/cartridge_run.h"

namespace {

struct LoopCase {
  const char* name;
  std::vector<uint8_t> code;  // placed at $8000, PC starts there
  bool skipped;
  uint8_t mapper = 0;
};

// clang-format off
const LoopCase kLoops[] = {
    {"zero-page flag wait", {0xA5, 0x10, 0xF0, 0xFC}, true},                   // LDA $10 / BEQ
    {"sprite 0 wait on $2002", {0x2C, 0x02, 0x20, 0x50, 0xFB}, true},          // BIT $2002 / BVC
    {"jump to itself", {0x4C, 0x00, 0x80}, true},
    {"subroutine in the loop", {0x20, 0x06, 0x80, 0x4C, 0x00, 0x80, 0x60}, true},  // JSR / JMP / RTS
    {"pad read", {0xAD, 0x16, 0x40, 0x4C, 0x00, 0x80}, false},                 // LDA $4016 / JMP
    {"sprite RAM read", {0xAD, 0x04, 0x20, 0x4C, 0x00, 0x80}, false},          // LDA $2004 / JMP
    {"board shift register", {0xA9, 0x01, 0x8D, 0x00, 0x80, 0x4C, 0x00, 0x80}, false, 1},
    {"store of a changing value",                                              // LDA $10 / EOR #1 /
     {0xA5, 0x10, 0x49, 0x01, 0x85, 0x10, 0xA9, 0x00, 0xF0, 0xF6}, false},    // STA $10 / LDA #0 / BEQ
    {"work RAM store of a changing value",                                     // INC $0300 / JMP
     {0xEE, 0x00, 0x03, 0x4C, 0x00, 0x80}, false},
    {"counting loop", {0x88, 0xD0, 0xFD}, false},                              // DEY / BNE
};
// clang-format on

class IdleSkipTest : public CartridgeTest, public ::testing::WithParamInterface<bool> {
 protected:
  // Five scanlines of the loop on a fresh console (its CycleCarry included in the comparison).
  std::unique_ptr<Machine> RunLoop(const LoopCase& c, bool skip) {
    auto console = std::make_unique<Machine>();
    MapperNumber = c.mapper;
    std::memcpy(console->CpuMemory + 0x8000, c.code.data(), c.code.size());
    console->PC = 0x8000;
    console->S = 0xFD;
    console->P = 0x24;
    console->Y = 3;
    IdleSkip = skip;
    for (int line = 0; line < 5; ++line)
      GetParam() ? console->RunCpuScanline() : console->RunCpuScanlineAlt();
    return console;
  }
};

TEST_P(IdleSkipTest, LoopsGiveTheSameConsoleWithAndWithoutTheSkip) {
  for (const auto& c : kLoops) {
    auto off = RunLoop(c, false);
    const uint64_t before = IdlePassesSkipped;
    auto on = RunLoop(c, true);
    EXPECT_EQ(std::memcmp(off.get(), on.get(), sizeof(Machine)), 0) << c.name;
    EXPECT_EQ(IdlePassesSkipped > before, c.skipped) << c.name;
  }
}

// Every test cartridge and the demo: the same pictures every 100 frames and the same console.
TEST_P(IdleSkipTest, CartridgesShowTheSamePicturesWithAndWithoutTheSkip) {
  for (const char* rom :
       {"demo.nes", "mmc3_split.nes", "ppu_scroll.nes", "ppu_split.nes", "ppu_sprites.nes",
        "ppu_sprites16.nes", "ppu_vblank.nes", "bandai_split.nes", "latch_midline.nes",
        "vrc6_split.nes", "state_walk.nes"}) {
    std::vector<uint64_t> hashes[2];
    std::unique_ptr<Machine> consoles[2];
    for (int skip = 0; skip < 2; ++skip) {
      machine = std::make_unique<Machine>();
      StartOnCore(rom, GetParam());
      IdleSkip = skip;
      for (int frame = 1; frame <= 300; ++frame) {
        RunFrame(m(), frame % 3 == 0);  // drawn and skipped frames
        if (frame % 100 == 1) hashes[skip].push_back(ShownPictureHash());
      }
      consoles[skip] = std::move(machine);
    }
    EXPECT_EQ(hashes[0], hashes[1]) << rom;
    EXPECT_EQ(std::memcmp(consoles[0].get(), consoles[1].get(), sizeof(Machine)), 0) << rom;
  }
}

INSTANTIATE_TEST_SUITE_P(BothCores, IdleSkipTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Main" : "Alt"; });

}  // namespace

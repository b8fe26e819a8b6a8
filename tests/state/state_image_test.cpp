// The state image: where each field lands, what a load restores, and what it refuses.
#include "state/state_image.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "session/config.h"
#include "state/rewind.h"
#include "state/state_files.h"
#include "support/fixture.h"

namespace {

class StateImageTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    ASSERT_EQ(Load({.PrgUnits = 8, .ChrUnits = 4, .Mapper = 1}), kLoadOk);
  }
  std::vector<uint8_t> Image() {
    std::vector<uint8_t> image(kStateImageSize);
    WriteStateImage(m(), image.data());
    return image;
  }
};

// Each field lands at its offset, little-endian. A load restores every saved byte (the run
// tests show the game going on as before), decodes the patterns, undoes the one-screen layout
// from the scratch page, and sets the window records to 255 so that the next bank switch always
// copies (the PRG side is the board tests'). What it refuses changes nothing.
TEST_F(StateImageTest, FieldsLandAtTheirOffsetsAndLoadBack) {
  m().P = 0xA5, m().PC = 0x1234, m().A = 0x66, m().NamcoSoundAddress = 0xBEEF;
  m().CpuMemory[0] = 0x22, m().PpuMemory[0x3FFF] = 0x33, m().SpriteRam[0] = 0x44;
  m().PadReadIndex[0] = 0x55, m().IrqWord = 0xCAFE, m().OneScreenHigh = 1;
  std::memset(m().NameTableScratch, 0x11, sizeof m().NameTableScratch);
  m().PpuMemory[0] = 0xFF, m().PpuMemory[8] = 0;  // tile 0, row 0: colour 1 across
  const auto saved = Image();
  // clang-format off
  const std::pair<size_t, uint8_t> expected[] = {
      {0, 'H'}, {1, 'S'}, {2, 'V'},
      {3, 8}, {4, 0}, {7, 4}, {27, 1}, {30, 0},  // PRG count, CHR count, mapper (32 bits each)
      {31, 0x11}, {1215, 0xA5}, {1217, 0x34}, {1218, 0x12}, {1219, 0x66}, {1280, 0xEF},
      {1281, 0xBE}, {1282, 0x22}, {66818 + 0x3FFF, 0x33}, {83202, 0x44}, {83458, 0x55},
      {83480, 0xFE}, {83481, 0xCA},
  };
  // clang-format on
  for (const auto& [offset, value] : expected) EXPECT_EQ(saved[offset], value) << offset;

  std::memset(m().NameTableScratch, 0, sizeof m().NameTableScratch);
  m().PpuMemory[0] = 0, m().OneScreenHigh = 0, m().ChrWindowBank[5] = 2, m().VerticalMirroring = 1;
  ASSERT_EQ(LoadStateImage(m(), saved.data(), saved.size()), nullptr);
  EXPECT_EQ(Image(), saved);
  EXPECT_EQ(std::tuple(m().VerticalMirroring, std::count(m().PatternCache, m().PatternCache + 8, 1),
                       std::ranges::count(m().ChrWindowBank, 255)),
            std::tuple(0, 8, 8));

  // Refused images change nothing.
  m().CpuMemory[0x10] = 0x42;
  const auto running = Image();
  // What, the byte changed (or the length kept when truncated), truncated, the problem.
  constexpr const char* kOther = "saved from another cartridge";
  // clang-format off
  const std::tuple<const char*, size_t, bool, const char*> cases[] = {
      {"empty", 0, true, "file too short"}, {"one byte short", kStateImageSize - 1, true, "file too short"},
      {"magic", 2, false, "not a state file"}, {"PRG count", 3, false, kOther},
      {"CHR count", 7, false, kOther}, {"mapper", 27, false, kOther},
      {"a program byte", 1282 + 0xE000, false, kOther}};
  // clang-format on
  for (const auto& [what, offset, truncate, problem] : cases) {
    auto image = saved;
    truncate ? image.resize(offset) : void(image[offset] ^= 0x40);
    EXPECT_STREQ(LoadStateImage(m(), image.data(), image.size()), problem) << what;
    EXPECT_EQ(Image(), running) << what;
  }
}

// A step back, unlike a state load, puts the window records back with the windows they
// describe: a switch to the bank the step undid must copy it again. The mirroring flag that a
// board changed comes back with them.
TEST_F(StateImageTest, RewindCarriesTheWindowRecords) {
  ASSERT_EQ(Load({.PrgUnits = 4, .ChrUnits = 2, .Mapper = 11}), kLoadOk);
  ResetRewind();
  // 32 KB PRG bank 0 and 8 KB CHR bank 0, then banks 1.
  m().CpuWrite(0x8000, 0x00), m().VerticalMirroring = 1, RememberFrameStart(m());
  m().CpuWrite(0x8000, 0x11), m().VerticalMirroring = 0, RememberFrameStart(m());
  ASSERT_TRUE(RewindLoadPrevious(m()));
  ASSERT_EQ(std::tuple(m().CpuMemory[0x8000], m().VerticalMirroring),
            std::tuple(m().PrgRom[0], 1u));
  m().CpuWrite(0x8000, 0x11);
  EXPECT_EQ(std::tuple(m().CpuMemory[0x8000], m().PpuMemory[0]),
            std::tuple(m().PrgRom[0x8000], m().ChrRom[0x2000]));
  ResetRewind();
}

}  // namespace

// Slot files replace the cartridge's extension, or append one where the name has none (a dot
// in a folder's name is not an extension).
TEST(StateFileNames, ReplaceTheExtensionOrAppendOne) {
  for (const auto& [cartridge, slot, expected] : {std::tuple{"roms/GAME.NES", 3, "roms/GAME.SV3"},
                                                  {"game", 1, "game.SV1"},
                                                  {"saves.d/a", 2, "saves.d/a.SV2"}}) {
    BuildCartridgePath(cartridge);
    EXPECT_EQ(SlotFileName(static_cast<uint8_t>(slot)), expected) << cartridge;
  }
  EXPECT_EQ(CartridgeFileName("MOV"), "saves.d/a.MOV");
}

#include <algorithm>
#include <tuple>

#include "cart/board_test.h"

using LoaderTest = BoardTest;

// Header facts, the log lines and the trainer; the number-cleaning rules. 64 units of each are
// exactly what the stores hold; a short image after a full one leaves no stale bytes, and the
// log says how many bytes were missing.
TEST_F(LoaderTest, HeaderFactsCleaningAndShortImages) {
  // Vertical, battery, four-screen.
  ASSERT_EQ(Load({.Mapper = 4, .Flags6Low = 0x0B, .Trainer = true}), kLoadOk);
  EXPECT_EQ(ReadLog(), "ROM image identified as Mapper#4\nROM bank:2\nVROM bank:1\n");
  EXPECT_EQ(m().VerticalMirroring + SramEnable + m().FourScreen + TrainerPresent, 4u);
  // The trainer at $7000, PRG read after it.
  EXPECT_EQ(std::tuple(At(0x7000), At(0x71FF), m().PrgRom[0]), std::tuple(0x5A, 0x5A ^ 0xFF, P(0)));
  EXPECT_EQ(std::ranges::count(m().PrgWindowBank, 255), 4);
  EXPECT_EQ(std::ranges::count(m().ChrWindowBank, 255), 8);
  // The high nibble would come from byte 7, but "Dis" keeps only byte 6's nibble.
  ASSERT_EQ(Load({.Mapper = 0x42, .Header7To15 = {'D', 'i', 's', 'k', 'D', 'u', 'd', 'e', '!'}}),
            kLoadOk);
  EXPECT_EQ(MapperNumber, 2);
  LoadBoard(248, 2, 1);
  EXPECT_EQ(MapperNumber, 4);
  EXPECT_NE(ReadLog().find("Mapper#4\n"), std::string::npos);
  LoadBoard(225, 2, 1);
  EXPECT_EQ(m().VerticalMirroring, 1u);
  std::vector<uint8_t> largest = {'N', 'E', 'S', 0x1A, 64, 64, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  largest.resize(16 + kPrgUnitSize);  // one unit is enough to start from
  EXPECT_EQ(LoadBytes(largest), kLoadOk);
  EXPECT_EQ(ImageBytesMissing, 63 * kPrgUnitSize + 64 * kChrUnitSize);
  LoadBoard(0, 4, 2);
  EXPECT_EQ(ImageBytesMissing, 0u);
  // Unit 0 and 100 bytes of unit 1.
  ASSERT_EQ(Load({.PrgUnits = 4, .ChrUnits = 2, .TruncateTo = 16 + kPrgUnitSize + 100}), kLoadOk);
  EXPECT_EQ(std::tuple(m().PrgRom[kPrgUnitSize + 100], m().PrgRom[3 * kPrgUnitSize], m().ChrRom[0]),
            std::tuple(0, 0, 0));
  EXPECT_TRUE(ReadLog().ends_with("VROM bank:2\nMissing ROM bytes read as zero:65436\n"));
}

// Every refusal is decided before anything is stored: the machine and the cartridge facts of
// the image loaded before stay as they were, and the code says why.
TEST_F(LoaderTest, ARefusedImageLeavesThePreviousCartridgeAsItWas) {
  LoadBoard(4, 4, 2, 0x01);
  m().PrgWindowBank[0] = 3, m().ChrWindowBank[7] = 5;  // the window records are kept too
  const auto before = std::make_unique<Machine>(m());
  const auto facts = [this] {
    return std::tuple(PrgBankCount, ChrBankCount, m().VerticalMirroring, SramEnable, TrainerPresent,
                      m().FourScreen, MapperNumber);
  };
  const auto factsBefore = facts();
  const InesImage unsupported{.PrgUnits = 1, .ChrUnits = 1, .Mapper = 9, .Flags6Low = 0x0F};
  const auto header = [](uint8_t prg, uint8_t chr, size_t after = 0) {
    std::vector<uint8_t> bytes{'N', 'E', 'S', 0x1A, prg, chr, 0x0F, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    bytes.resize(16 + after, 0xEA);
    return bytes;
  };
  // Less than one PRG unit to start from (after the trainer), or a header cut short.
  const std::pair<std::string, uint8_t> cases[] = {
      // clang-format off
      {WriteFile("nine.nes", unsupported.Bytes()), kLoadUnsupportedMapper},
      {WriteFile("chr.nes", header(2, 65)), kLoadTooLarge},
      {WriteFile("prg.nes", header(65, 0)), kLoadTooLarge},
      {WriteFile("text.nes", {'N', 'E', 'Z', 0x1A, 1, 1}), kLoadNotInes},
      {WriteFile("gif.nes", {'G', 'I', 'F', '8', '9', 'a'}), kLoadNotInes},
      {WriteFile("two.nes", {'N', 'E'}), kLoadNotInes}, {WriteFile("empty.nes", {}), kLoadNotInes},
      {WriteFile("cut.nes", header(1, 0, 512 + kPrgUnitSize - 1)), kLoadTruncated},
      {WriteFile("ten.nes", {'N', 'E', 'S', 0x1A, 1, 0, 0, 0, 0, 0}), kLoadTruncated},
      {(dir / "missing.nes").string(), kLoadCannotOpen}, {dir.string(), kLoadIsFolder},
      // clang-format on
  };
  for (const auto& [path, code] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(m().LoadCartridge(path.c_str()), code);
    EXPECT_EQ(CheckCartridgeFile(path.c_str()), code);  // the desktop's check before a window
    EXPECT_EQ(std::memcmp(before.get(), &m(), sizeof(Machine)), 0);
    EXPECT_EQ(facts(), factsBefore);
  }
  EXPECT_EQ(LoadFailureText(kLoadUnsupportedMapper), "unsupported mapper 9");
  EXPECT_NE(ReadLog().find("Mapper#9\nROM bank:1\nVROM bank:1\n"), std::string::npos);
}

#include "cart/loader.h"
#include "support/fixture.h"

using LoaderTest = MachineTest;

TEST_F(LoaderTest, HeaderFactsAndLogLines) {
  InesImage image;
  image.PrgUnits = 2;
  image.ChrUnits = 1;
  image.Mapper = 1;
  image.Flags6Low = 0x0B;  // vertical, battery, four-screen
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(MapperNumber, 1);
  EXPECT_EQ(PrgBankCount, 2u);
  EXPECT_EQ(ChrBankCount, 1u);
  EXPECT_EQ(VerticalMirroring, 1u);
  EXPECT_EQ(SramEnable, 1u);
  EXPECT_EQ(FourScreen, 1u);
  EXPECT_EQ(TrainerPresent, 0u);
  EXPECT_EQ(ReadLog(), "ROM image identified as Mapper#1\nROM bank:2\nVROM bank:1\n");
  EXPECT_EQ(m().CpuMemory[kPpuStatus] & 0x10, 0x10);  // CHR ROM present
  for (uint8_t bank : PrgWindowBank) EXPECT_EQ(bank, 255);
  for (uint8_t bank : ChrWindowBank) EXPECT_EQ(bank, 255);
}

TEST_F(LoaderTest, CleaningRules) {
  InesImage disk;
  disk.Mapper = 0x42;  // high nibble would come from byte 7...
  disk.Header7To15 = {'D', 'i', 's', 'k', 'D', 'u', 'd', 'e', '!'};
  ASSERT_EQ(Load(disk), kLoadOk);
  EXPECT_EQ(MapperNumber, 2);  // ...but "Dis" keeps only byte 6's nibble

  InesImage mmc3Clone;
  mmc3Clone.Mapper = 248;
  ASSERT_EQ(Load(mmc3Clone), kLoadOk);
  EXPECT_EQ(MapperNumber, 4);
  EXPECT_NE(ReadLog().find("Mapper#4\n"), std::string::npos);

  InesImage multicart;
  multicart.Mapper = 225;
  multicart.Flags6Low = 0;
  ASSERT_EQ(Load(multicart), kLoadOk);
  EXPECT_EQ(VerticalMirroring, 1u);
}

TEST_F(LoaderTest, FailureCodes) {
  EXPECT_EQ(m().LoadCartridge((dir / "missing.nes").c_str()), kLoadCannotOpen);
  EXPECT_EQ(LoadBytes({}), kLoadNotInes);
  EXPECT_EQ(LoadBytes({'N', 'E'}), kLoadNotInes);
  EXPECT_EQ(LoadBytes({'G', 'I', 'F', '8', '9', 'a'}), kLoadNotInes);
  InesImage unsupported;
  unsupported.Mapper = 9;
  EXPECT_EQ(Load(unsupported), kLoadUnsupportedMapper);
  EXPECT_EQ(MapperNumber, 9);
}

TEST_F(LoaderTest, OversizedCountsAreRefused) {
  std::vector<uint8_t> header = {'N', 'E', 'S', 0x1A, 65, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(LoadBytes(header), kLoadTooLarge);
  header[4] = 1;
  header[5] = 200;
  EXPECT_EQ(LoadBytes(header), kLoadTooLarge);
  header[4] = 64;
  header[5] = 64;  // exactly what the stores hold: accepted, zero-filled
  EXPECT_EQ(LoadBytes(header), kLoadOk);
}

TEST_F(LoaderTest, ShortImageLeavesNoStaleBytes) {
  InesImage full;
  full.PrgUnits = 4;
  full.ChrUnits = 2;
  ASSERT_EQ(Load(full), kLoadOk);
  ASSERT_EQ(m().PrgRom[3 * kPrgUnitSize], PrgTag(6));

  InesImage shorter = full;
  shorter.TruncateTo = 16 + kPrgUnitSize + 100;  // unit 0 and 100 bytes of unit 1
  ASSERT_EQ(Load(shorter), kLoadOk);
  EXPECT_EQ(m().PrgRom[kPrgUnitSize + 99], PrgTag(2));
  EXPECT_EQ(m().PrgRom[kPrgUnitSize + 100], 0);
  EXPECT_EQ(m().PrgRom[3 * kPrgUnitSize], 0);
  EXPECT_EQ(m().ChrRom[0], 0);
}

TEST_F(LoaderTest, TrainerLandsAt7000AndSurvivesLayout) {
  InesImage image;
  image.Mapper = 4;
  image.Trainer = true;
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(TrainerPresent, 1u);
  EXPECT_EQ(m().CpuMemory[0x7000], 0x5A);
  EXPECT_EQ(m().CpuMemory[0x71FF], static_cast<uint8_t>(0x5A ^ 511));
  EXPECT_EQ(m().PrgRom[0], PrgTag(0));  // PRG read after the trainer
}

// The first byte of each 8 KB window tells which 8 KB PRG bank sits there.
static std::array<uint8_t, 4> PrgWindows(Machine& m) {
  return {m.CpuMemory[0x8000], m.CpuMemory[0xA000], m.CpuMemory[0xC000], m.CpuMemory[0xE000]};
}

TEST_F(LoaderTest, PowerOnPrgLayouts) {
  struct Case {
    uint8_t mapper, units;
    std::array<uint8_t, 4> banks;  // 8 KB bank numbers, 0xFF = stays zero
  };
  const Case cases[] = {
      {0, 1, {0, 1, 0, 1}},    {0, 2, {0, 1, 2, 3}},    {185, 2, {0, 1, 2, 3}},
      {1, 8, {0, 1, 14, 15}},  {4, 4, {0, 1, 6, 7}},    {254, 4, {0, 1, 6, 7}},
      {3, 2, {0, 1, 2, 3}},    {6, 16, {0, 1, 14, 15}}, {7, 8, {0, 1, 2, 3}},
      {225, 8, {0, 1, 2, 3}},  {48, 4, {7, 7, 7, 7}},   {64, 2, {3, 3, 3, 3}},
      {91, 4, {6, 7, 6, 7}},   {227, 4, {0, 1, 0, 1}},  {228, 4, {4, 5, 6, 7}},
      {241, 8, {12, 13, 14, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("mapper " + std::to_string(c.mapper));
    machine = std::make_unique<Machine>();
    InesImage image;
    image.Mapper = c.mapper;
    image.PrgUnits = c.units;
    ASSERT_EQ(Load(image), kLoadOk);
    auto windows = PrgWindows(m());
    for (int w = 0; w < 4; ++w) EXPECT_EQ(windows[w], PrgTag(c.banks[w])) << "window " << w;
  }
}

TEST_F(LoaderTest, Mapper3WithOneUnitFillsOnlyTheUpperWindow) {
  InesImage image;
  image.Mapper = 3;
  image.PrgUnits = 1;
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(m().CpuMemory[0x8000], 0);
  EXPECT_EQ(m().CpuMemory[0xC000], PrgTag(0));
}

TEST_F(LoaderTest, Mapper19CopiesThe8000WindowAndPutsLast8kHigh) {
  InesImage image;
  image.Mapper = 19;
  image.PrgUnits = 4;
  image.ChrUnits = 4;
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(m().CpuMemory[0xE000], PrgTag(7));
  EXPECT_EQ(m().CpuMemory[0xA000], m().CpuMemory[0x8000]);
  EXPECT_EQ(m().CpuMemory[0xC000], m().CpuMemory[0x8000]);
  EXPECT_EQ(m().PpuMemory[0x0000], ChrTag(24));  // last 8 KB of CHR
}

TEST_F(LoaderTest, PowerOnChrLayouts) {
  InesImage image;
  image.ChrUnits = 2;
  image.Mapper = 184;
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(m().PpuMemory[0x0000], ChrTag(8));   // ChrRom $2000
  EXPECT_EQ(m().PpuMemory[0x1000], ChrTag(12));  // ChrRom $3000

  machine = std::make_unique<Machine>();
  image.Mapper = 2;  // never copies CHR
  ASSERT_EQ(Load(image), kLoadOk);
  EXPECT_EQ(m().PpuMemory[0x0000], 0);

  for (uint8_t mapper : {0, 4}) {
    machine = std::make_unique<Machine>();
    InesImage chrRam;
    chrRam.Mapper = mapper;
    chrRam.ChrUnits = 0;
    ASSERT_EQ(Load(chrRam), kLoadOk);
    EXPECT_EQ(m().PpuMemory[0x0000], 0);
    EXPECT_EQ(m().CpuMemory[kPpuStatus] & 0x10, 0);
  }
}

TEST_F(LoaderTest, EverySupportedMapperLoadsAndNoOtherDoes) {
  int supported = 0;
  for (int mapper = 0; mapper < 256; ++mapper) {
    machine = std::make_unique<Machine>();
    InesImage image;
    image.Mapper = static_cast<uint8_t>(mapper);
    image.PrgUnits = 8;
    image.ChrUnits = 8;
    const uint8_t code = Load(image);
    if (code == kLoadOk) ++supported;
    EXPECT_EQ(code == kLoadOk, IsSupportedMapper(mapper) || mapper == 248) << mapper;
  }
  EXPECT_EQ(supported, 65);  // 64 boards, and 248 which loads as 4
}

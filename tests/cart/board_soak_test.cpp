// Random register traffic on every supported board, over empty, single, odd-sized and the
// largest images. Nothing checks a bank: no write or read may reach outside the memory images
// (the sanitizer build catches that) nor change the ROM stores.
#include <algorithm>
#include <cstdio>
#include <random>
#include <span>

#include "cart/board_test.h"
#include "state/state_image.h"

namespace {

// {PRG units, CHR units, mapper (each board's in turn), header byte 6 low bits (1 vertical,
// 8 four-screen), trainer}.
const InesImage kVariants[] = {{0, 0}, {1, 1, 0, 1}, {3, 5, 0, 8, true}, {7, 0, 0, 1}, {64, 64}};
// Half the writes land anywhere; the others near the ports boards decode exactly.
constexpr uint16_t kPorts[] = {0x4100, 0x4800, 0x5000, 0x6000, 0x6800, 0x7000, 0x7E00, 0x7F00,
                               0x8000, 0x9300, 0xA000, 0xB000, 0xC000, 0xD000, 0xE000, 0xF000};
volatile uint8_t readSink;

using BoardSoakTest = MachineTest;

// Only the cartridge's own banks (or zeros) reach $8000-$FFFF, so its own state always loads.
// Decoded pixels are 0-3: a pattern copy past the end of PPU memory would land in the cache.
TEST_F(BoardSoakTest, RandomWritesStayInsideTheStores) {
  // Log-only boards would open the log file on every write; their lines are tested elsewhere.
  LogPath = (dir / "missing" / "halvoren.tst").string();
  std::vector<uint8_t> state(kStateImageSize);
  const auto ownStateLoads = [&] {
    WriteStateImage(m(), state.data());
    EXPECT_EQ(StateImageProblem(m(), state.data(), state.size()), nullptr);
  };
  for (const InesImage& variant : kVariants) {
    std::vector<uint8_t> image = variant.Bytes();
    for (uint32_t mapper = 0; mapper < 256; ++mapper) {
      if (!IsSupportedMapper(mapper)) continue;
      SCOPED_TRACE(testing::Message() << "mapper " << mapper << ", " << int(variant.PrgUnits)
                                      << " PRG, " << int(variant.ChrUnits) << " CHR units");
      image[6] = static_cast<uint8_t>((mapper << 4) | (image[6] & 0x0F));
      image[7] = static_cast<uint8_t>(mapper & 0xF0);
      NewConsole();
      std::FILE* file = fmemopen(image.data(), image.size(), "rb");
      ASSERT_EQ(m().LoadCartridgeStream(file), kLoadOk);
      // Mapper 6 keeps its CHR RAM in the first 32 KB of the CHR store.
      const std::span<uint8_t> prgRom(m().PrgRom),
          chrRom(m().ChrRom + (mapper == 6 ? 0x8000 : 0), std::end(m().ChrRom));
      const std::vector<uint8_t> prg(prgRom.begin(), prgRom.end()),
          chr(chrRom.begin(), chrRom.end());
      ownStateLoads();
      std::mt19937 random(mapper * 131 + variant.PrgUnits);
      for (int n = 0; n < 2000; ++n) {
        const uint32_t bits = random();
        const uint16_t address =
            (bits & 1) ? static_cast<uint16_t>(0x4020 + (bits >> 8) % 0xBFE0)
                       : static_cast<uint16_t>(kPorts[(bits >> 1) & 15] | ((bits >> 8) & 0xFF));
        m().CpuWrite(address, static_cast<uint8_t>(bits >> 24));
        readSink = m().CpuRead(random() & 0xFFFF);
        if (n % 64 == 0) StepBoardCounters(m(), n % 262);
      }
      EXPECT_FALSE(m().OneScreenLow && m().OneScreenHigh);
      EXPECT_TRUE(std::ranges::equal(prg, prgRom) && std::ranges::equal(chr, chrRom));
      ownStateLoads();
      EXPECT_LE(*std::max_element(std::begin(m().PatternCache), std::end(m().PatternCache)), 3);
    }
  }
}

}  // namespace

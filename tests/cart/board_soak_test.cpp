// Random register traffic on every supported board. Nothing here checks a bank: the point
// is that no write or read, whatever its address and value and however small or large the
// image, reaches outside the stores and memory images (the sanitizer build catches that).
#include <cstdio>
#include <random>

#include "cart/board_test.h"
#include "driver/mapper_counters.h"
#include "log/log.h"

namespace {

struct Variant {
  uint8_t prgUnits, chrUnits, flags6;
  bool trainer;
};
// Empty, single, odd and largest images; vertical, horizontal and four-screen layouts.
constexpr Variant kVariants[] = {
    {0, 0, 0x0, false}, {1, 1, 0x1, false},   {3, 5, 0x8, true},
    {7, 0, 0x1, false}, {64, 64, 0x0, false},
};

// Half the writes land anywhere; the others near the ports boards decode exactly.
constexpr uint16_t kPorts[] = {0x4100, 0x4800, 0x5000, 0x6000, 0x6800, 0x7000, 0x7E00, 0x7F00,
                               0x8000, 0x9300, 0xA000, 0xB000, 0xC000, 0xD000, 0xE000, 0xF000};
constexpr int kWrites = 2000;
volatile uint8_t readSink;

class BoardSoakTest : public MachineTest {
 protected:
  // A checksum of both ROM stores, eight bytes in every 64: a stray copy moves at least 1 KB.
  // Mapper 6 keeps its four CHR RAM banks in the first 32 KB of the CHR store.
  uint64_t Stores() {
    const uint32_t chrRam = MapperNumber == 6 ? 0x8000 : 0;
    uint64_t sum = Checksum(m().PrgRom, sizeof m().PrgRom);
    return sum * 31 + Checksum(m().ChrRom + chrRam, sizeof m().ChrRom - chrRam);
  }
  static uint64_t Checksum(const uint8_t* bytes, size_t size) {
    uint64_t sum = 0;
    for (size_t at = 0; at < size; at += 64) {
      uint64_t word;
      std::memcpy(&word, bytes + at, 8);
      sum = sum * 31 + word;
    }
    return sum;
  }
  void Soak(std::vector<uint8_t>& image, uint32_t seed) {
    machine = std::make_unique<Machine>();
    ResetGlobals();
    std::FILE* file = fmemopen(image.data(), image.size(), "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(m().LoadCartridgeStream(file), kLoadOk);
    // The stores are read-only after loading: a bank copy that overran a window would not
    // trip the sanitizer inside the Machine, but it would show here.
    const uint64_t stores = Stores();
    std::mt19937 random(seed);
    uint8_t sink = 0;  // keeps the reads
    for (int n = 0; n < kWrites; ++n) {
      const uint32_t bits = random();
      const uint16_t address =
          (bits & 1) ? static_cast<uint16_t>(0x4020 + (bits >> 8) % 0xBFE0)
                     : static_cast<uint16_t>(kPorts[(bits >> 1) & 15] | ((bits >> 8) & 0xFF));
      m().CpuWrite(address, static_cast<uint8_t>(bits >> 24));
      sink ^= m().CpuRead(random() & 0xFFFF);
      if (n % 64 == 0) {
        StepCountersA(m(), n % 262);
        StepCountersB(m());
      }
    }
    EXPECT_FALSE(m().OneScreenLow && m().OneScreenHigh);
    EXPECT_EQ(Stores(), stores);
    readSink = sink;
  }
};

TEST_F(BoardSoakTest, RandomWritesStayInsideTheStores) {
  // Log-only boards would open the log file on every write; the lines are tested elsewhere.
  LogPath = (dir / "missing" / "halvoren.tst").string();
  int boards = 0;
  for (const Variant& variant : kVariants) {
    InesImage description = Image(0, variant.prgUnits, variant.chrUnits);
    description.Flags6Low = variant.flags6;
    description.Trainer = variant.trainer;
    std::vector<uint8_t> image = description.Bytes();
    for (uint32_t mapper = 0; mapper < 256; ++mapper) {
      if (!IsSupportedMapper(mapper)) continue;
      SCOPED_TRACE(testing::Message() << "mapper " << mapper << ", " << int(variant.prgUnits)
                                      << " PRG, " << int(variant.chrUnits) << " CHR units");
      image[6] = static_cast<uint8_t>((mapper << 4) | (image[6] & 0x0F));
      image[7] = static_cast<uint8_t>(mapper & 0xF0);
      Soak(image, mapper * 131 + variant.prgUnits);
      ++boards;
    }
  }
  EXPECT_EQ(boards, 64 * static_cast<int>(std::size(kVariants)));
}

}  // namespace

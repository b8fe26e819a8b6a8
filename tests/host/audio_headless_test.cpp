// The headless host's WAV output.
#include <fstream>

#include "host/headless/headless_audio.h"
#include "host/platform.h"
#include "support/fixture.h"

namespace {

using HeadlessAudioTest = MachineTest;

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | b[at + i];
  return value;
}

TEST_F(HeadlessAudioTest, WavFileHoldsEveryBlockWithItsSizes) {
  HeadlessWavPath = (dir / "out.wav").string();
  ASSERT_TRUE(PlatformOpenAudio(true));
  const int16_t block[4] = {1, -1, 32767, -32768};
  PlatformQueueAudio(block, 2, true);
  PlatformQueueAudio(block, 1, true);
  PlatformCloseAudio();
  HeadlessWavPath.clear();

  const auto wav = ReadBytes(dir / "out.wav");
  ASSERT_EQ(wav.size(), 44u + 12u);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(Le(wav, 4, 4), 36u + 12u);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le(wav, 20, 2), 1u) << "PCM";
  EXPECT_EQ(Le(wav, 22, 2), 2u) << "channels";
  EXPECT_EQ(Le(wav, 24, 4), 22050u);
  EXPECT_EQ(Le(wav, 28, 4), 22050u * 4);
  EXPECT_EQ(Le(wav, 32, 2), 4u);
  EXPECT_EQ(Le(wav, 34, 2), 16u);
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(Le(wav, 40, 4), 12u);
  EXPECT_EQ(static_cast<int16_t>(Le(wav, 48, 2)), 32767);
  EXPECT_EQ(static_cast<int16_t>(Le(wav, 52, 2)), 1);
}

}  // namespace

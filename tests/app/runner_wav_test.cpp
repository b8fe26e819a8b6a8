// halvoren-run --wav: what a test cartridge plays, as a WAV file; a path that cannot be
// written is a failure.
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "support/fixture.h"

namespace {

using RunnerWavTest = MachineTest;

// sound_note.nes sets pulse 1 to constant volume 15, half duty, period 253 and waits. Sound
// starts with the frame whose count is 2, so 120 frames leave 118 in the file: 43365 samples
// of a square wave at +-1920 whose rising zero crossings are exactly 50 samples apart
// (441 Hz).
TEST_F(RunnerWavTest, SteadyNoteCartridgePlays441Hz) {
  const auto run = [&](const std::filesystem::path& wav) {
    return std::system((std::string(HALVOREN_RUN_BINARY) + " " + TestRomPath("sound_note.nes") +
                        " --frames 120 --wav " + wav.string() + " --log " +
                        (dir / "run.tst").string())
                           .c_str());
  };
  EXPECT_NE(run(dir / "missing" / "out.wav"), 0) << "cannot write WAV file";
  const auto wav = dir / "note.wav";
  ASSERT_EQ(run(wav), 0);
  std::ifstream in(wav, std::ios::binary);
  const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  ASSERT_EQ(bytes.size(), 44u + 2 * 43365u);
  const std::vector<uint8_t> header = {
      'R',  'I',  'F', 'F', 0xEE, 0x52, 0x01, 0,                 // 36 + 86730 bytes follow
      'W',  'A',  'V', 'E', 'f',  'm',  't',  ' ', 16, 0, 0, 0,  // 16 bytes of format
      1,    0,    1,   0,   0x22, 0x56, 0,    0,   // PCM, mono, 22050 samples a second
      0x44, 0xAC, 0,   0,   2,    0,    16,   0,   // 44100 bytes a second, 2 a sample, 16 bits
      'd',  'a',  't', 'a', 0xCA, 0x52, 0x01, 0};  // 86730 bytes of samples
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 44), header);
  std::vector<int16_t> samples(43365);
  std::memcpy(samples.data(), bytes.data() + 44, 2 * samples.size());
  std::vector<size_t> rising;
  for (size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(std::abs(samples[i]), 1920) << i;
    if (i > 0 && samples[i - 1] < 0 && samples[i] >= 0) rising.push_back(i);
  }
  ASSERT_GT(rising.size(), 800u);
  for (size_t k = 1; k < rising.size(); ++k) ASSERT_EQ(rising[k] - rising[k - 1], 50u) << k;
}

}  // namespace

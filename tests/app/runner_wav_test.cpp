// halvoren-run --wav: what a cartridge plays, as a WAV file.
#include <cstring>
#include <set>

#include "log/log.h"
#include "support/fixture.h"
#include "support/run_command.h"

namespace {

class RunnerWavTest : public MachineTest {
 protected:
  // Runs `rom` for `frames` frames; the WAV file's bytes.
  std::string RunWav(const std::string& rom, int frames) {
    const auto wav = (dir / "out.wav").string();
    const auto run = RunRunner(rom + " --frames " + std::to_string(frames) + " --wav " + wav +
                               " --log " + LogPath);
    EXPECT_EQ(run.status, 0) << run.output;
    return FileText(wav);
  }
  static std::vector<int16_t> Samples(const std::string& wav) {
    std::vector<int16_t> samples(wav.size() > 44 ? (wav.size() - 44) / 2 : 0);
    if (!samples.empty()) std::memcpy(samples.data(), wav.data() + 44, 2 * samples.size());
    return samples;
  }
};

// A cartridge of the board whose program, at $E000, stores each (address, value) pair with
// LDA/STA and then waits in a loop; every vector points at the program.
std::vector<uint8_t> StoringCartridge(uint8_t mapper,
                                      const std::vector<std::pair<uint16_t, uint8_t>>& stores) {
  InesImage image;  // 32 KB of PRG, 8 KB of CHR
  image.Mapper = mapper;
  std::vector<uint8_t> bytes = image.Bytes();
  const size_t e000 = 16 + 0x6000;
  size_t at = e000;
  for (const auto& [address, value] : stores)
    for (int byte : {0xA9, int{value}, 0x8D, address & 0xFF, address >> 8}) bytes[at++] = byte;
  const int loop = 0xE000 + int(at - e000);
  for (int byte : {0x4C, loop & 0xFF, loop >> 8}) bytes[at++] = byte;
  for (size_t v = e000 + 0x1FFA; v < e000 + 0x2000; v += 2) bytes[v] = 0, bytes[v + 1] = 0xE0;
  return bytes;
}

// Pulse 1 alone at constant volume 15, half duty, period 253. Sound starts with the frame
// whose count is 2, so 120 frames leave 118 in the file: 43365 samples of a square wave at
// +-1920 whose rising zero crossings are exactly 50 samples apart (441 Hz).
TEST_F(RunnerWavTest, SteadyNoteCartridgePlays441Hz) {
  const auto note = StoringCartridge(0, {{0x4015, 1}, {0x4000, 0xBF}, {0x4002, 253}, {0x4003, 0}});
  const std::string wav = RunWav(WriteFile("note.nes", note), 120);
  ASSERT_EQ(wav.size(), 44u + 2 * 43365u);
  const uint8_t header[44] = {
      'R',  'I',  'F', 'F', 0xEE, 0x52, 0x01, 0,                 // 36 + 86730 bytes follow
      'W',  'A',  'V', 'E', 'f',  'm',  't',  ' ', 16, 0, 0, 0,  // 16 bytes of format
      1,    0,    1,   0,   0x22, 0x56, 0,    0,   // PCM, mono, 22050 samples a second
      0x44, 0xAC, 0,   0,   2,    0,    16,   0,   // 44100 bytes a second, 2 a sample, 16 bits
      'd',  'a',  't', 'a', 0xCA, 0x52, 0x01, 0};  // 86730 bytes of samples
  EXPECT_EQ(std::memcmp(wav.data(), header, 44), 0);
  const auto samples = Samples(wav);
  std::vector<size_t> rising;
  for (size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(std::abs(samples[i]), 1920) << i;
    if (i > 0 && samples[i - 1] < 0 && samples[i] >= 0) rising.push_back(i);
  }
  ASSERT_GT(rising.size(), 800u);
  for (size_t k = 1; k < rising.size(); ++k) ASSERT_EQ(rising[k] - rising[k - 1], 50u) << k;
}

// The cartridges' sound chips reach the WAV file through their boards' registers (the console
// channels stay off). VRC6: pulse 1 at volume 15, duty 3, period $140 (5120 cycles, about 63
// samples a wave), three quarters high. Namco: one run of auto-increment writes from $78 sets
// channel 7 (one wave step a sample, length 4, wave at 0, volume 15) and wraps past $7F to
// fill the wave itself at $00-$03.
TEST_F(RunnerWavTest, SoundChipsPlayThroughTheirBoards) {
  const auto vrc6 = Samples(RunWav(
      WriteFile("vrc6.nes", StoringCartridge(24, {{0x9000, 0x3F}, {0x9001, 0x40}, {0x9002, 0x81}})),
      10));
  ASSERT_EQ(vrc6.size(), 8u * 367 + 4);  // frames 2-9
  EXPECT_NE(ReadLog().find("VRC6 Extened Sound Channel Created\nStart VRC6 Sound Channel\n"),
            std::string::npos);
  EXPECT_EQ(std::set<int16_t>(vrc6.begin(), vrc6.end()), (std::set<int16_t>{0, 3840}));
  EXPECT_NEAR(std::count(vrc6.begin(), vrc6.end(), 3840) / double(vrc6.size()), 0.75, 0.02);
  size_t rises = 0;
  for (size_t i = 1; i < vrc6.size(); ++i) rises += vrc6[i] > vrc6[i - 1];
  EXPECT_NEAR(rises, vrc6.size() * 81.0 / 5120, 1.5);

  std::vector<std::pair<uint16_t, uint8_t>> namco = {{0xF800, 0xF8}};
  for (uint8_t value : {0xE4, 0, 0x84, 0, 0x19, 0, 0x00, 0x0F, 10, 20, 30, 40})
    namco.push_back({0x4800, value});  // frequency $184E4: a step of 81 cycles
  const auto wave = Samples(RunWav(WriteFile("namco.nes", StoringCartridge(19, namco)), 10));
  ASSERT_EQ(wave.size(), 8u * 367 + 4);
  for (size_t i = 0; i < wave.size(); ++i) ASSERT_EQ(wave[i], wave[i % 4]) << i;
  EXPECT_EQ(std::set<int16_t>(wave.begin(), wave.end()), (std::set<int16_t>{150, 300, 450, 600}));
}

}  // namespace

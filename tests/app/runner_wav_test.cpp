// halvoren-run --wav: what a test cartridge plays, as a WAV file; a path that cannot be
// written is a failure.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>

#include "log/log.h"
#include "support/fixture.h"

namespace {

class RunnerWavTest : public MachineTest {
 protected:
  // Runs the runner on `rom` and returns the samples of the WAV file it wrote.
  std::vector<int16_t> RunWav(const std::string& rom, int frames) {
    const auto wav = dir / "out.wav";
    const std::string command = std::string(HALVOREN_RUN_BINARY) + " " + rom + " --frames " +
                                std::to_string(frames) + " --wav " + wav.string() + " --log " + LogPath +
                                " > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(wav, std::ios::binary);
    const std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    std::vector<int16_t> samples(bytes.size() > 44 ? (bytes.size() - 44) / 2 : 0);
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data() + 44, 2 * samples.size());
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
  const size_t e000 = 16 + 0x8000 - 0x2000;
  size_t at = e000;
  for (const auto& [address, value] : stores)
    for (uint8_t byte : {uint8_t{0xA9}, value, uint8_t{0x8D}, static_cast<uint8_t>(address & 0xFF),
                         static_cast<uint8_t>(address >> 8)})
      bytes[at++] = byte;
  const uint16_t loop = static_cast<uint16_t>(0xE000 + at - e000);
  for (uint8_t byte : {uint8_t{0x4C}, static_cast<uint8_t>(loop & 0xFF), uint8_t(loop >> 8)})
    bytes[at++] = byte;
  for (size_t v = e000 + 0x1FFA; v < e000 + 0x2000; v += 2) {
    bytes[v] = 0x00;
    bytes[v + 1] = 0xE0;
  }
  return bytes;
}

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

// The cartridges' sound chips reach the WAV file through their boards' registers (the console
// channels stay off). VRC6: pulse 1 at volume 15, duty 3, period $140 (5120 cycles, about 63
// samples a wave), three quarters high. Namco: one run of auto-increment writes from $78 sets
// channel 7 (one wave step a sample, length 4, wave at 0, volume 15) and wraps past $7F to
// fill the wave itself at $00-$03.
TEST_F(RunnerWavTest, SoundChipsPlayThroughTheirBoards) {
  const auto vrc6 = RunWav(WriteFile("vrc6.nes", StoringCartridge(24, {{0x9000, 0x3F},
                                                                       {0x9001, 0x40},
                                                                       {0x9002, 0x81}})),
                           10);
  ASSERT_EQ(vrc6.size(), 8u * 367 + 4);  // frames 2-9
  const std::string log = ReadLog();
  const size_t created = log.find("VRC6 Extened Sound Channel Created\n");
  EXPECT_NE(created, std::string::npos);
  EXPECT_NE(log.find("Start VRC6 Sound Channel\n", created), std::string::npos);
  EXPECT_EQ(std::set<int16_t>(vrc6.begin(), vrc6.end()), (std::set<int16_t>{0, 3840}));
  const auto high = std::count(vrc6.begin(), vrc6.end(), 3840);
  EXPECT_NEAR(static_cast<double>(high) / vrc6.size(), 0.75, 0.02);

  std::vector<std::pair<uint16_t, uint8_t>> namco = {{0xF800, 0xF8}};
  for (uint8_t value : {0xE4, 0, 0x84, 0, 0x19, 0, 0x00, 0x0F, 10, 20, 30, 40})
    namco.push_back({0x4800, value});  // frequency $184E4: a step of 81 cycles
  const auto wave = RunWav(WriteFile("namco.nes", StoringCartridge(19, namco)), 10);
  ASSERT_EQ(wave.size(), 8u * 367 + 4);
  for (size_t i = 0; i < wave.size(); ++i)
    ASSERT_EQ(wave[i], wave[i % 4]) << i;
  EXPECT_EQ(std::set<int16_t>(wave.begin(), wave.end()),
            (std::set<int16_t>{150, 300, 450, 600}));
}

}  // namespace

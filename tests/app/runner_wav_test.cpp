// halvoren-run --wav: what a test cartridge plays, as a WAV file; a path that cannot be
// written is a clear failure.
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "support/fixture.h"

namespace {

using RunnerWavTest = MachineTest;

int RunQuietly(const std::string& arguments, std::string* output) {
  const std::string command = std::string(HALVOREN_RUN_BINARY) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output->append(buffer, n);
  const int raw = pclose(pipe);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// sound_note.nes sets pulse 1 to constant volume 15, half duty, period 253 and waits. Sound
// starts with the frame whose count is 2, so 120 frames leave 118 in the file: 43365 samples
// of a square wave at +-1920 whose rising zero crossings are exactly 50 samples apart
// (441 Hz).
TEST_F(RunnerWavTest, SteadyNoteCartridgePlays441Hz) {
  const auto wav = dir / "note.wav";
  const std::string log = " --log " + (dir / "run.tst").string();
  std::string output;
  ASSERT_EQ(RunQuietly(TestRomPath("sound_note.nes") + " --frames 120 --wav " + wav.string() + log,
                       &output),
            0)
      << output;
  std::ifstream in(wav, std::ios::binary);
  std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  ASSERT_EQ(bytes.size(), 44u + 2 * 43365u);
  EXPECT_EQ(bytes[22], 1) << "mono";
  std::vector<int16_t> samples(43365);
  std::memcpy(samples.data(), bytes.data() + 44, 2 * samples.size());
  std::vector<size_t> rising;
  for (size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(std::abs(samples[i]), 1920) << i;
    if (i > 0 && samples[i - 1] < 0 && samples[i] >= 0) rising.push_back(i);
  }
  ASSERT_GT(rising.size(), 800u);
  for (size_t k = 1; k < rising.size(); ++k) ASSERT_EQ(rising[k] - rising[k - 1], 50u) << k;

  const auto rom = WriteFile("game.nes", InesImage().Bytes());
  output.clear();
  EXPECT_NE(RunQuietly(rom + " --wav " + (dir / "missing" / "out.wav").string() + log, &output), 0);
  EXPECT_NE(output.find("cannot write WAV file"), std::string::npos) << output;
}

}  // namespace

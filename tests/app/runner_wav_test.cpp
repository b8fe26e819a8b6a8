// halvoren-run --wav: the file is a valid WAV however many frames ran; a path that cannot be
// written is a clear failure.
#include <sys/wait.h>

#include <cstdio>
#include <fstream>

#include "support/fixture.h"

namespace {

int RunQuietly(const std::string& arguments, std::string* output) {
  const std::string command = std::string(HALVOREN_RUN_BINARY) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output->append(buffer, n);
  const int raw = pclose(pipe);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

using RunnerWavTest = MachineTest;

TEST_F(RunnerWavTest, WritesAWavFile) {
  const auto rom = WriteFile("game.nes", InesImage().Bytes());
  const auto wav = dir / "out.wav";
  std::string output;
  ASSERT_EQ(
      RunQuietly(rom + " --wav " + wav.string() + " --log " + (dir / "run.tst").string(), &output),
      0)
      << output;
  std::ifstream in(wav, std::ios::binary);
  std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
  ASSERT_GE(bytes.size(), 44u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "WAVE");
  const uint32_t dataBytes = bytes[40] | bytes[41] << 8 | bytes[42] << 16 | bytes[43] << 24;
  EXPECT_EQ(dataBytes, bytes.size() - 44);
}

TEST_F(RunnerWavTest, UnwritablePathFails) {
  const auto rom = WriteFile("game.nes", InesImage().Bytes());
  std::string output;
  EXPECT_NE(RunQuietly(rom + " --wav " + (dir / "missing" / "out.wav").string() + " --log " +
                           (dir / "run.tst").string(),
                       &output),
            0);
  EXPECT_NE(output.find("cannot write WAV file"), std::string::npos) << output;
}

}  // namespace

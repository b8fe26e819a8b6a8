#include "support/fixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "session/run_frame.h"

std::vector<uint8_t> InesImage::Bytes() const {
  const size_t trainerSize = Trainer ? 512 : 0, prgSize = PrgUnits * size_t{0x4000};
  const auto flags6 = static_cast<uint8_t>((Mapper << 4) | (Flags6Low & 0x0F) | (Trainer ? 4 : 0));
  std::vector<uint8_t> bytes = {'N',      'E',      'S',    0x1A,
                                PrgUnits, ChrUnits, flags6, uint8_t(Mapper & 0xF0)};
  bytes.resize(16 + trainerSize + prgSize + ChrUnits * size_t{0x2000});
  for (size_t i = 0; i < Header7To15.size() && i < 9; ++i) bytes[7 + i] = Header7To15[i];
  size_t at = 16;
  for (size_t i = 0; i < trainerSize; ++i) bytes[at++] = static_cast<uint8_t>(0x5A ^ i);
  for (size_t i = 0; i < prgSize; ++i) bytes[at++] = PrgTag(static_cast<uint32_t>(i / 0x2000));
  for (size_t i = 0; at < bytes.size(); ++i) bytes[at++] = ChrTag(static_cast<uint32_t>(i / 0x400));
  if (TruncateTo && TruncateTo < bytes.size()) bytes.resize(TruncateTo);
  return bytes;
}

void MachineTest::SetUp() {
  NewConsole();
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir =
      std::filesystem::temp_directory_path() / ("halvoren-test-" + std::to_string(::getpid()) +
                                                "-" + info->test_suite_name() + "-" + info->name());
  std::filesystem::remove_all(dir), std::filesystem::create_directories(dir);
  LogPath = (dir / "halvoren.tst").string(), LogStart();
}

void MachineTest::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored), LogPath = "halvoren.tst";
}

std::string MachineTest::WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
  const auto path = (dir / name).string();
  std::ofstream(path, std::ios::binary) << std::string(bytes.begin(), bytes.end());
  return path;
}

std::string MachineTest::Fifo(const std::string& name) {
  const auto path = (dir / name).string();
  mkfifo(path.c_str(), 0600);
  return path;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

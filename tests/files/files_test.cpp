// The one writer and the one reader: what they replace, what they refuse, and what a failed
// write leaves behind.
#include "files/files.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <thread>
#include <tuple>

#include "support/fixture.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public MachineTest {
 protected:
  void TearDown() override { ForgetRunInputs(), MachineTest::TearDown(); }
  std::string Path(const char* name) const { return (dir / name).string(); }
  std::string Write(const std::string& path, const std::string& text,
                    OutputTarget target = OutputTarget::RegularFile) {
    return WriteWholeFile(path, reinterpret_cast<const uint8_t*>(text.data()), text.size(), target);
  }
  // Names in the test folder other than `keep`: a temporary file left behind shows here.
  std::vector<std::string> Others(std::initializer_list<std::string> keep) const {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(dir))
      if (std::ranges::find(keep, entry.path().filename().string()) == keep.end())
        others.push_back(entry.path().filename().string());
    return others;
  }
};

// The one writer replaces only regular files and never an input; the one reader takes only
// regular files of a sensible size.
TEST_F(FilesTest, SavesReplaceOnlyRegularFilesAndNeverAnInput) {
  WriteFile("game.nes", {'N', 'E', 'S'});
  NoteRunInput(Path("game.nes"), "the cartridge");
  fs::create_hard_link(Path("game.nes"), Path("other-name.nes"));
  fs::create_directory(Path("folder")), Fifo("pipe");
  WriteFile("real.sav", {'o', 'l', 'd'});
  fs::create_symlink(Path("real.sav"), Path("link.sav"));
  // A file and a link where a fixed temporary name would be: neither is touched.
  WriteFile("x.sav.tmp", {'k', 'e', 'e', 'p'});
  fs::create_symlink(Path("real.sav"), Path("x.sav.tmp2"));

  constexpr auto kFile = OutputTarget::RegularFile, kThrough = OutputTarget::WriteThrough;
  // The path, how it is written, the error.
  const std::tuple<std::string, OutputTarget, std::string> cases[] = {
      // clang-format off
      {Path("new.sav"), kFile, ""}, {Path("x.sav"), kFile, ""},
      {Path("link.sav"), kFile, ""},  // the file it names is replaced
      {Path("game.nes"), kFile, "that is the cartridge"},
      {Path("other-name.nes"), kThrough, "that is the cartridge"},
      {Path("folder/../game.nes"), kFile, "that is the cartridge"},
      {Path("folder"), kThrough, "is a folder"}, {Path("pipe"), kFile, "not a regular file"},
      {Path("pipe"), kThrough, "no program is reading from it"},
      {"/dev/null", kFile, "not a regular file"}, {"/dev/null", kThrough, ""},
      {Path("none/x.sav"), kFile, "No such file or directory"}, {"", kFile, "no file name"},
      // clang-format on
  };
  for (const auto& [path, target, error] : cases)
    EXPECT_EQ(Write(path, "new", target), error) << path;

  EXPECT_EQ(std::tuple(FileText(Path("game.nes")), FileText(Path("real.sav")),
                       FileText(Path("x.sav.tmp"))),
            std::tuple("NES", "new", "keep"));
  EXPECT_TRUE(fs::is_symlink(Path("link.sav")) && fs::is_fifo(Path("pipe")) &&
              fs::is_symlink(Path("x.sav.tmp2")));
  const std::initializer_list<std::string> kNames = {
      "game.nes",  "other-name.nes", "folder",  "pipe",  "real.sav",    "link.sav",
      "x.sav.tmp", "x.sav.tmp2",     "new.sav", "x.sav", "halvoren.tst"};
  EXPECT_EQ(Others(kNames), std::vector<std::string>{});

  // A pipe someone reads is written through, as a picture sent to another program is.
  std::string heard;
  std::thread reader([&] { heard = FileText(Path("pipe")); });
  while (Write(Path("pipe"), "through", OutputTarget::WriteThrough) != "") usleep(1000);
  reader.join();
  EXPECT_EQ(heard, "through");

  // A disk that fills up mid-write (here a file size limit) leaves the old file whole.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old;
  getrlimit(RLIMIT_FSIZE, &old);
  const rlimit small{4096, old.rlim_max};
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string error = Write(Path("real.sav"), std::string(100000, 'x'));
  setrlimit(RLIMIT_FSIZE, &old), std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(std::tuple(error, FileText(Path("real.sav")), Others(kNames)),
            std::tuple("File too large", "new", std::vector<std::string>{}));

  // The reader refuses pipes and devices at once, never waiting on them or reading without end;
  // "new" fits in 3 bytes, not in 2.
  // clang-format off
  const std::pair<std::string, std::string> reads[] = {
      {Path("real.sav"), ""}, {Path("pipe"), "not a regular file"}, {"/dev/zero", "not a regular file"},
      {Path("folder"), "is a folder"}, {Path("missing"), "No such file or directory"}};
  // clang-format on
  std::vector<uint8_t> bytes;
  for (const auto& [path, problem] : reads)
    EXPECT_EQ(ReadWholeFile(path, bytes, 3), problem) << path;
  EXPECT_EQ(ReadWholeFile(Path("real.sav"), bytes, 2), "file too large");
  EXPECT_TRUE(bytes.empty());
}

}  // namespace

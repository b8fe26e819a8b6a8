// The paused handler's dumps: listings in the log, raw files in the current directory.
#include <fstream>

#include "core/globals.h"
#include "session/debug_fixture.h"

namespace {

class DumpsTest : public DebugTest {
 protected:
  void SetUp() override {
    DebugTest::SetUp();
    Paused = 1;
    previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);  // the dumps write into the current directory
  }
  void TearDown() override {
    std::filesystem::current_path(previous);
    DebugTest::TearDown();
  }
  std::string FileBytes(const char* name) const { return FileText(dir / name); }
  std::filesystem::path previous;
};

TEST_F(DumpsTest, EachDumpListsAndWritesItsMemory) {
  std::ofstream(dir / "DumpSpr.BIN") << std::string(1000, 'x');  // an older, longer dump
  std::memset(m().PpuMemory + 0x2000, 0x24, 0x1000);
  m().SpriteRam[0] = 255;
  m().SpriteRam[3] = 200;
  m().PpuMemory[0x3F11] = 0x16;
  RunScript("1 press 52\n1 press 51\n1 press 53\n1 press 50\n", 1, 1);
  EXPECT_NE(ReadLog().find("NameTable#3\n24 24 "), std::string::npos);
  EXPECT_NE(ReadLog().find("Sprite#0\nPattern:0\nX:200\nY:256\n"), std::string::npos)
      << "Y is logged one more than stored";
  EXPECT_NE(ReadLog().find("Sprite Palette:\n0\n22\n"), std::string::npos);
  const auto bytes = [&](uint8_t* from, size_t size) {
    return std::string(reinterpret_cast<char*>(from), size);
  };
  EXPECT_EQ(FileBytes("DumpNMT.BIN"), bytes(m().PpuMemory + 0x2000, 4096));
  EXPECT_EQ(FileBytes("DumpSpr.BIN"), bytes(m().SpriteRam, 256));
  EXPECT_EQ(FileBytes("DumpPAL.BIN").size(), 32u);
  EXPECT_EQ(FileBytes("VRAMDUMP.BIN"), bytes(m().PpuMemory, 8192));
  EXPECT_EQ(Newest(), "VRAM/VROM Dumped" + std::string(24, ' '));
}

TEST_F(DumpsTest, FileThatCannotBeWrittenIsReportedAndTheLogStillHappens) {
  std::filesystem::create_directory(dir / "DumpPAL.BIN");  // fails even for root
  RunScript("1 press 53\n", 1, 1);
  EXPECT_NE(ReadLog().find("Sprite Palette:\n"), std::string::npos);
  EXPECT_EQ(Newest(), "Cannot write DumpPAL.BIN" + std::string(16, ' '));
}

}  // namespace

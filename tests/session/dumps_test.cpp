// The paused handler's dumps: listings in the log, raw files in the current directory.
#include <fstream>

#include "core/globals.h"
#include "session/debug_fixture.h"

namespace {

using DumpsTest = DebugTest;

TEST_F(DumpsTest, EachDumpListsAndWritesItsMemoryAndAFailedFileIsReported) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir);  // the dumps write into the current directory
  Paused = 1;
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
  EXPECT_EQ(FileText(dir / "DumpNMT.BIN"), bytes(m().PpuMemory + 0x2000, 4096));
  EXPECT_EQ(FileText(dir / "DumpSpr.BIN"), bytes(m().SpriteRam, 256));
  EXPECT_EQ(FileText(dir / "DumpPAL.BIN").size(), 32u);
  EXPECT_EQ(FileText(dir / "VRAMDUMP.BIN"), bytes(m().PpuMemory, 8192));
  EXPECT_EQ(Newest(), "VRAM/VROM Dumped" + std::string(24, ' '));
  // A file that cannot be written is reported, and the log still happens.
  std::filesystem::remove(dir / "DumpPAL.BIN");
  std::filesystem::create_directory(dir / "DumpPAL.BIN");  // fails even for root
  const size_t logged = ReadLog().size();
  RunScript("2 press 53\n", 2, 2);
  EXPECT_NE(ReadLog().find("Sprite Palette:\n", logged), std::string::npos);
  EXPECT_EQ(Newest(), "Cannot write DumpPAL.BIN" + std::string(16, ' '));
  std::filesystem::current_path(previous);
}

}  // namespace

// The paused handler's dumps: listings in the log, raw files in the current directory.
#include <fstream>

#include "core/globals.h"
#include "debug/debug_fixture.h"

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

TEST_F(DumpsTest, NameTablesListedAndWritten) {
  std::memset(m().PpuMemory + 0x2000, 0x24, 0x1000);
  m().PpuMemory[0x23C0] = 0x55;  // an attribute byte: in the file, not in the listing
  m().FineX = 5;
  m().FineY = 3;
  VerticalMirroring = 1;
  RunScript("1 press 52\n", 1, 1);
  std::string table;
  for (int line = 0; line < 30; ++line) {
    for (int i = 0; i < 32; ++i) table += "24 ";
    table += "\n";
  }
  EXPECT_NE(ReadLog().find("Debug:DumpNameTable\n5\n3\nHV\nMirror flag:1\nNameTable#0\n" + table +
                           "NameTable#1\n" + table + "NameTable#2\n" + table + "NameTable#3\n" +
                           table),
            std::string::npos)
      << ReadLog();
  const auto bytes = FileBytes("DumpNMT.BIN");
  ASSERT_EQ(bytes.size(), 4096u);
  EXPECT_EQ(bytes[0x3C0], 0x55);
  EXPECT_EQ(Newest(), "NameTable Dumped" + std::string(24, ' '));
}

TEST_F(DumpsTest, SpritesPaletteAndPatternsReplaceTheirFiles) {
  std::ofstream(dir / "DumpSpr.BIN") << std::string(1000, 'x');  // an older, longer dump
  m().SpriteRam[0] = 255;
  m().SpriteRam[1] = 7;
  m().SpriteRam[2] = 0x43;
  m().SpriteRam[3] = 200;
  m().PpuMemory[0x3F11] = 0x16;
  m().PpuMemory[0x1FFF] = 0xEE;
  RunScript("1 press 51\n1 press 53\n1 press 50\n", 1, 1);
  EXPECT_NE(ReadLog().find("Debug:Dump Sprite RAM\nSprite#0\nPattern:7\nX:200\nY:256\n"
                           "Property:67\nSprite#1\n"),
            std::string::npos)
      << "Y is logged one more than stored";
  EXPECT_NE(ReadLog().find("Debug:Dump Palette\nImage Palette:\n0\n"), std::string::npos);
  EXPECT_NE(ReadLog().find("Sprite Palette:\n0\n22\n"), std::string::npos);
  EXPECT_EQ(FileBytes("DumpSpr.BIN"), std::string(reinterpret_cast<char*>(m().SpriteRam), 256));
  EXPECT_EQ(FileBytes("DumpPAL.BIN").size(), 32u);
  EXPECT_EQ(FileBytes("VRAMDUMP.BIN"), std::string(reinterpret_cast<char*>(m().PpuMemory), 8192));
  EXPECT_EQ(ScreenText(16, 416, 17), "Sprite RAM Dumped");
  EXPECT_EQ(ScreenText(16, 448, 16), "VRAM/VROM Dumped");
}

TEST_F(DumpsTest, FileThatCannotBeWrittenIsReportedAndTheLogStillHappens) {
  std::filesystem::create_directory(dir / "DumpPAL.BIN");  // fails even for root
  RunScript("1 press 53\n", 1, 1);
  EXPECT_NE(ReadLog().find("Sprite Palette:\n"), std::string::npos);
  EXPECT_EQ(Newest(), "Cannot write DumpPAL.BIN" + std::string(16, ' '));
}

}  // namespace

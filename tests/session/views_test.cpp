// The debugger views and the message area as they appear on the screen, switched by the
// paused handler's keys.
#include "session/views.h"

#include "core/globals.h"
#include "session/debug_fixture.h"

namespace {

using ViewsTest = DebugTest;

TEST_F(ViewsTest, RamPageViewShowsThePageAndErasesOnceWhenOff) {
  Paused = 1;
  m().CpuMemory[0xFFF5] = 0xC3;
  RunScript("1 press 26\n2 press 44\n", 1, 2);  // [ from page 0 to $FF, then Z
  EXPECT_EQ(ScreenText(304, 16, 13), "RAM Page View");
  EXPECT_EQ(ScreenText(304, 32 + 16 * 15, 23), "FFF0:00 00 00 00 00 C3 ");
  RunScript("1 press 44\n", 1, 1);  // Z off: the next view call erases the area
  EXPECT_EQ(ScreenText(304, 32 + 16 * 15, 23), std::string(23, ' '));
  MainScreen.DrawText(304, 16, "kept");
  RamPageView(m());
  EXPECT_EQ(ScreenText(304, 16, 4), "kept") << "erased once only";
}

TEST_F(ViewsTest, PatternAndPaletteViewsPaintPixels) {
  Paused = 1;
  m().PatternCache[33 * 64 + 3 * 8 + 2] = 3;  // tile 33 (row 1, column 1), row 3, column 2
  m().PpuMemory[0x3F13] = 0x21;
  RunScript("1 press 45\n1 press 46\n", 1, 1);  // X, C
  EXPECT_EQ(ScreenText(304, 304, 14), "VRAM/VROM View");
  EXPECT_EQ(MainScreen.PixelAt(304 + 8 + 2, 320 + 8 + 3), 3);
  EXPECT_EQ(ScreenText(16, 304, 12), "Palette View");
  EXPECT_EQ(MainScreen.PixelAt(16 + 16 * 3, 336), 0x21) << "sprite entry 3";
}

// A shorter message never shows the tail of a longer one ("file too short      artridge"),
// and the clearing stops where the older text did: the pattern view lies to the right.
TEST_F(ViewsTest, LinesScrollAndAreClearedAsFarAsTheirOlderTextReached) {
  ShowPaddedMessage("State 1 not loaded: saved from another cartridge");  // 48 characters
  ShowPaddedMessage(std::string(40, 'A'));
  ShowMessage("Memory Tracer On", 16);
  EXPECT_EQ(ScreenText(16, 448, 40), "Memory Tracer On" + std::string(24, ' '));
  EXPECT_EQ(ScreenText(16, 432, 48), std::string(40, 'A') + std::string(8, ' '));
  MainScreen.PutPixel(16 + 8 * 44, 452, 7);  // a view's pixel right of the last line's text
  ShowPaddedMessage("file too short");
  EXPECT_EQ(ScreenText(16, 416, 48), std::string(40, 'A') + std::string(8, ' '));
  EXPECT_EQ(ScreenText(16, 448, 40), "file too short" + std::string(26, ' '));
  EXPECT_EQ(MainScreen.PixelAt(16 + 8 * 44, 452), 7);
  ShowPaddedMessage(std::string(70, 'B'));
  EXPECT_EQ(NewestMessage().Length, 64u) << "at most 64 characters kept";
}

}  // namespace

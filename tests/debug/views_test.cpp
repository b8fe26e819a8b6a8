// The debugger views and the message area as they appear on the screen, switched by the
// paused handler's keys.
#include "core/globals.h"
#include "debug/debugger.h"
#include "debug/message_area.h"
#include "debug/views.h"
#include "debug/debug_fixture.h"

namespace {

class ViewsTest : public DebugTest {
 protected:
  void SetUp() override {
    DebugTest::SetUp();
    Paused = 1;
  }
};

TEST_F(ViewsTest, RamPageViewShowsTheLastPageAndErasesOnceWhenOff) {
  m().CpuMemory[0xFFF5] = 0xC3;
  RunScript("1 press 26\n2 press 44\n", 1, 2);  // [ from page 0 to $FF, then Z
  EXPECT_EQ(ScreenText(304, 16, 13), "RAM Page View");
  // 42 of the 53 characters fit on a 640-wide screen.
  EXPECT_EQ(ScreenText(304, 32 + 16 * 15, 42), "FFF0:00 00 00 00 00 C3 00 00 00 00 00 80 0");
  EXPECT_EQ(ScreenText(16, 448, 17), "Memory Tracer On ") << "16 characters, no padding";

  RunScript("1 press 44\n", 1, 1);  // Z off: the next view call erases the area
  EXPECT_EQ(ScreenText(304, 32 + 16 * 15, 42), std::string(42, ' '));
  MainScreen.DrawText(304, 16, "kept");
  RamPageView(m());
  EXPECT_EQ(ScreenText(304, 16, 4), "kept") << "erased once only";
}

TEST_F(ViewsTest, RamPageViewReadsThroughTheCpuBus) {
  m().CpuMemory[kPpuStatus] = 0x80;
  RamPage = 0x1F;
  RunScript("1 press 27\n1 press 44\n", 1, 1);  // ] to page $20, Z
  EXPECT_EQ(ScreenText(304, 32, 5), "2000:");
  EXPECT_EQ(ScreenText(304 + 8 * 11, 32, 2), "80") << "$2002 as it was read";
  EXPECT_EQ(m().CpuMemory[kPpuStatus] & 0x80, 0) << "reading the status clears its flag";
}

TEST_F(ViewsTest, PatternAndPaletteViewsPaintPixels) {
  m().PatternCache[33 * 64 + 3 * 8 + 2] = 3;  // tile 33 (row 1, column 1), row 3, column 2
  m().PpuMemory[0x3F13] = 0x21;
  RunScript("1 press 45\n1 press 46\n", 1, 1);  // X, C
  EXPECT_EQ(ScreenText(304, 304, 14), "VRAM/VROM View");
  EXPECT_EQ(MainScreen.PixelAt(304 + 8 + 2, 320 + 8 + 3), 3);
  EXPECT_EQ(MainScreen.PixelAt(304 + 8 + 3, 320 + 8 + 3), 0);
  EXPECT_EQ(ScreenText(16, 304, 12), "Palette View");
  EXPECT_EQ(MainScreen.PixelAt(16 + 16 * 3 + 15, 336 + 15), 0x21) << "sprite entry 3";
  EXPECT_EQ(MainScreen.PixelAt(16 + 16 * 3, 320), 0) << "background entry 3";

  RunScript("1 press 45\n1 press 46\n", 1, 1);  // both off: erased to colour 15
  EXPECT_EQ(MainScreen.PixelAt(304 + 8 + 2, 320 + 8 + 3), 15);
  EXPECT_EQ(MainScreen.PixelAt(16 + 16 * 3, 336), 15);
}

TEST_F(ViewsTest, ShortMessageLeavesOlderCharactersAndLinesScroll) {
  ShowPaddedMessage(std::string(40, 'A'));
  ShowMessage("Memory Tracer On", 16);
  EXPECT_EQ(ScreenText(16, 448, 40), "Memory Tracer On" + std::string(24, 'A'));
  EXPECT_EQ(ScreenText(16, 432, 40), std::string(40, 'A'));
  EXPECT_EQ(NewestMessage().Serial, 2u);
  ShowPaddedMessage(std::string(70, 'B'));
  EXPECT_EQ(NewestMessage().Length, 64u) << "at most 64 characters kept";
  EXPECT_EQ(ScreenText(16, 400, 40), std::string(40, ' ')) << "the start-up fill";
}

}  // namespace

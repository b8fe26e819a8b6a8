// The hot keys as a player and a debugging developer use them, through key scripts on a console
// running a spin loop with the NMI counting frames: held keys survive a pause, settings and
// state keys act in both handlers, screenshots count up, the debugger's views and dumps appear
// on the screen (read back as text) and in files.
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <tuple>

#include "apu/sound_buffers.h"
#include "frame/emulate_frame.h"
#include "headless/headless.h"
#include "headless/key_script.h"
#include "ppu/screen.h"
#include "session/config.h"
#include "session/debugger.h"
#include "session/main_loop.h"
#include "session/message_area.h"
#include "session/pacing.h"
#include "session/player_view.h"
#include "session/run_frame.h"
#include "session/sound_output.h"
#include "session/views.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "state/state_image.h"
#include "support/fixture.h"

namespace {

class HotKeysTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    HeadlessReset();
    MainScreen.Resize(640, 480);
    InstallSpinProgram();
    std::filesystem::current_path(dir);  // where screenshots and dumps go
  }
  void TearDown() override {
    HeadlessReset();
    FastForward = RewindHeld = DebuggerViewKey = PixelAspect8To7 = 0;
    std::filesystem::current_path(previousFolder);
    MachineTest::TearDown();
  }
  const std::filesystem::path previousFolder = std::filesystem::current_path();
  // Over whatever a loaded cartridge put at $8000, and into its ROM too, so that saved states
  // hold this cartridge's banks: 32 KB of PRG mapped straight, as NROM and mapper 3 map it.
  void InstallSpinProgram() {
    if (PrgBankCount == 0) PrgBankCount = 2;
    ASSERT_EQ(PrgBankCount, 2u);
    const uint8_t bytes[] = {0x4C, 0x00, 0x80, 0, 0x80, 0, 0x80};  // JMP $8000; NMI, reset: $8000
    for (int i = 0, at = 0; i < 7; ++i, at = i < 3 ? i : 0x7FFA + i - 3)
      m().CpuMemory[0x8000 + at] = m().PrgRom[at] = bytes[i];
    m().ResetCpu();
  }
  // Runs frames `first` to `last` (counted from 1) with the records of `script` (if given; else
  // of the script before) delivered; the player's frames, with rewind, if `playerFrames`.
  void Run(uint32_t first, uint32_t last, const std::string& script = "") {
    std::istringstream in(script);
    std::vector<ScriptedKey> keys;
    std::string error;
    ASSERT_TRUE(script.empty() || ParseKeyScript(in, keys, error)) << error;
    if (!script.empty()) HeadlessSetKeyScript(keys);
    for (uint32_t frame = first; frame <= last; ++frame) {
      HeadlessDeliverScriptedKeys(frame);
      playerFrames ? void(RunPlayerFrame(m(), 0)) : RunFrame(m(), 0);
    }
  }
  bool playerFrames = false;
  // The newest line of the message area, padded as shown.
  static std::string Newest() { return std::string(NewestMessage().Text, NewestMessage().Length); }
  // The characters shown in `count` font cells from (x, y); '~' for a cell that holds no
  // character of the font.
  static std::string ScreenText(int x, int y, int count) {
    std::string text;
    for (int cell = 0; cell < count; ++cell) {
      char c = ' ';
      while (c < '~' && !CellShows(x + cell * kFontWidth, y, c)) ++c;
      text += c;
    }
    return text;
  }
  static bool CellShows(int x, int y, char c) {
    for (int i = 0; i < kFontHeight * kFontWidth; ++i) {
      const int row = i / kFontWidth, column = i % kFontWidth;
      const bool lit = FontGlyph(c)[row / 2] & (0x80 >> column);
      if (MainScreen.PixelAt(x + column, y + row) != (lit ? kScreenWhite : kScreenBlack))
        return false;
    }
    return true;
  }
};

TEST_F(HotKeysTest, PauseStepAndResume) {
  ASSERT_EQ(OpenSound(), 1u);
  // F12 during frame 3: that frame still runs to its end; 4 while paused; F11: 4 + 1 frames
  // run, its release only shows the message again; F12 resumes.
  const auto& volume = ChannelBuffers[kPulse1Buffer].Volume;
  Run(1, 5, "3 press 88\n3 release 88\n5 press 5\n6 press 87\n6 release 87\n16 press 88\n");
  EXPECT_EQ(std::tuple(FrameCount, Paused, SaveSlot, volume),
            std::tuple(3u, 1u, 4, int(kSilentVolume)));
  EXPECT_EQ(ScreenText(16, 448, 40), "Emulation Paused" + std::string(24, ' '));
  Run(6, 15);  // exactly SaveSlot + 1 frames stepped
  EXPECT_EQ(std::tuple(FrameCount, StepCount), std::tuple(8u, 0u));
  EXPECT_EQ(ScreenText(16, 432, 12), "NMI Executed") << "the press's message, scrolled up";
  Run(16, 18);  // frame 16 only resumed; 17 and 18 ran
  EXPECT_EQ(std::tuple(FrameCount, Paused, volume), std::tuple(10u, 0u, 0));
  EXPECT_EQ(Newest(), "Emulation Started" + std::string(23, ' '));
  CloseSound();
}

// Each script runs over frames 1-3, running or paused, from the same start; the watched
// settings that it changes are listed. Held keys follow press and release even while paused;
// the APU view's channel wraps at both ends; F9 shows the next 8 KB of the cartridge's three
// CHR banks (tagged ChrTag(8 b) on bank b's first page), after the last the first again, and
// the windows' bank records no longer hold.
TEST_F(HotKeysTest, SettingsKeysInBothStates) {
  ASSERT_EQ(Load({.ChrUnits = 3, .Mapper = 3}), kLoadOk);
  InstallSpinProgram();
  std::snprintf(CartridgePath, sizeof CartridgePath, "/somewhere/Great Game.nes");
  // clang-format off
  const auto watched = [&] {
    return std::vector<std::pair<const char*, int>>{
        {"lines", ShownLines}, {"irq", m().IrqAdjust}, {"apu", ApuChannel}, {"page", RamPage},
        {"slot", SaveSlot}, {"fast", FastForward}, {"rewind", RewindHeld}, {"view", DebuggerViewKey},
        {"aspect", PixelAspect8To7}, {"paused", Paused}, {"chr", m().PpuMemory[0]},
        {"to", m().PpuMemory[0x1FFF]}, {"windows", m().ChrWindowBank[0]},
        {"shot", std::filesystem::exists("Great Game-002.png")}};
  };
  const struct { const char* name; uint32_t paused; const char* script, *changed; } cases[] = {
      {"F10 twice", 0, "1 press 68\n2 press 68\n", ""},
      {"F10 once, paused", 1, "1 press 68\n", "lines=240 "},
      {"pad keys", 0, "1 press 78\n1 press 78\n2 press 74\n", "irq=1 "},
      {"; from channel 0", 1, "1 press 39\n", "apu=4 "},
      {"' wraps back", 1, "1 press 39\n2 press 40\n", ""},
      {"' up, then ; down", 1, "1 press 40\n2 press 40\n2 press 39\n", "apu=1 "},
      {"[ from page 0", 1, "1 press 26\n", "page=255 "},
      {"releases change nothing", 1, "1 release 26\n1 release 27\n1 release 68\n1 release 3\n", ""},
      {"digit, paused", 1, "1 press 10\n", "slot=9 "},
      // Tab, Backspace, F3 (with its release), F6, then F12 pauses; let go while paused.
      {"held and view keys", 0, "1 press 15\n2 press 14\n2 press 61\n2 release 61\n2 press 64\n3 press 88\n",
       "fast=1 rewind=1 view=1 aspect=1 paused=1 "},
      {"let go while paused", 1, "1 press 15\n1 press 14\n2 release 15\n2 release 14\n", ""},
      {"F9 twice", 0, "1 press 67\n2 press 67\n", "chr=17 to=24 windows=255 "},
      {"F9 four times", 0, "1 press 67\n2 press 67\n3 press 67\n3 press 67\n", "chr=9 to=16 windows=255 "},
      // F8: screenshots numbered after the cartridge.
      {"F8 twice", 0, "1 press 66\n2 press 66\n", "shot=1 "},
  };
  // clang-format on
  for (const auto& c : cases) {
    HeadlessReset();
    ApuChannel = RamPage = SaveSlot = 0, ShownLines = 232, m().IrqAdjust = 0, ChrViewOffset = 0;
    FastForward = RewindHeld = DebuggerViewKey = PixelAspect8To7 = m().ChrWindowBank[0] = 0;
    Paused = c.paused;
    const auto before = watched();
    Run(1, 3, c.script);
    const auto after = watched();
    std::string changed;
    for (size_t i = 0; i < after.size(); ++i)
      if (after[i].second != before[i].second)
        changed += std::string(after[i].first) + "=" + std::to_string(after[i].second) + " ";
    EXPECT_EQ(changed, c.changed) << c.name;
  }
  EXPECT_EQ(Newest().rfind("Screenshot Great Game-002.png", 0), 0u) << Newest();
  // A folder that cannot be written: nothing is claimed (root writes anywhere).
  std::filesystem::permissions(
      dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  Run(1, 1, "1 press 66\n");
  if (geteuid() != 0) {
    EXPECT_EQ(Newest().rfind("Cannot write Great Game-003.png", 0), 0u) << Newest();
  }
  std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
  // Backspace held at the oldest kept frame: no frame runs, yet the keys still act (a digit,
  // the release).
  playerFrames = true;
  ResetRewind();
  Run(1, 3, "1 press 14\n2 press 10\n3 release 14\n");
  EXPECT_EQ(std::tuple(SaveSlot, RewindHeld, RewindFramesKept()), std::tuple(9, 0u, 1u));
  ResetRewind();
}

// F5 and F7 save and load the slot, F1 records, F2 plays back, in either handler. A recording
// open at F7 stops: its frames could not lead to the loaded state. No frame runs while paused,
// so the load itself must put the loaded picture on the screen, and leave the machine exactly
// as loaded (drawing moves the scroll address).
TEST_F(HotKeysTest, StateSlotsRecordingAndPlayback) {
  BuildCartridgePath((dir / "GAME.NES").string().c_str());
  const auto setBackdrop = [&](uint8_t colour) {
    for (uint8_t value : {uint8_t{0x3F}, uint8_t{0}}) m().CpuWrite(0x2006, value);
    m().CpuWrite(0x2007, colour);
  };
  const auto pictureColour = [] { return MainScreen.PixelAt(16 + 100, 16 + 100); };
  m().CpuWrite(0x2001, 0x08);  // background on: blank tiles over the backdrop
  setBackdrop(0x21);
  const uint16_t addressSaved = m().VramAddress;
  // 5, then F5 in the same read: slot 5. F1: frames 2, 3 and 4 are recorded; F1 again stops.
  // F2: frames 6, 7 and 8 play them back; 9 runs live, recorded (F1). F7 while paused: slot 5
  // back, the recording stopped.
  Run(1, 8, "1 press 6\n1 press 63\n2 press 59\n5 press 59\n6 press 60\n9 press 59\n10 press 65\n");
  EXPECT_TRUE(std::filesystem::exists(dir / "GAME.SV5"));
  EXPECT_EQ(std::filesystem::file_size(dir / "GAME.MOV"), kStateImageSize + 6);
  setBackdrop(0x16);
  Run(9, 9);
  EXPECT_EQ(std::tuple(Newest().rfind("Playback Ended", 0), PlayingBack), std::tuple(0u, 0));
  ASSERT_EQ(pictureColour(), 0x16);

  const auto [saved, frames] = std::tuple(m().CpuMemory[0x0300], FrameCount);
  m().CpuMemory[0x0300] = static_cast<uint8_t>(saved + 1), Paused = 1;
  Run(10, 10);
  EXPECT_EQ(m().CpuMemory[0x0300], saved);
  EXPECT_EQ(ScreenText(16, 432, 14), "State Loaded 5");
  EXPECT_EQ(std::tuple(Newest().rfind("Recording stopped: state 5 loaded", 0), Recording),
            std::tuple(0u, 0))
      << Newest();
  EXPECT_EQ(std::filesystem::file_size(dir / "GAME.MOV"), kStateImageSize + 2);
  EXPECT_EQ(std::tuple(pictureColour(), m().VramAddress, FrameCount),
            std::tuple(0x21, addressSaved, frames));
}

// The paused handler's views and dumps. The RAM page ([ then Z; erased once when switched
// off), the patterns (X) and the palette (C) on the screen; the dumps as listings in the log
// and raw files in the current directory, a file that cannot be written reported (and the log
// still written).
TEST_F(HotKeysTest, PausedViewsAndDumps) {
  // A shorter message never shows the tail of a longer one ("file too short      artridge"),
  // and the clearing stops where the older text did (a view's pixel lies to its right).
  ShowPaddedMessage("State 1 not loaded: saved from another cartridge");  // 48 characters
  ShowPaddedMessage(std::string(40, 'A'));
  ShowMessage("Memory Tracer On", 16);
  EXPECT_EQ(ScreenText(16, 448, 40), "Memory Tracer On" + std::string(24, ' '));
  MainScreen.PutPixel(16 + 8 * 44, 452, 7);
  ShowPaddedMessage("file too short");
  EXPECT_EQ(ScreenText(16, 416, 48), std::string(40, 'A') + std::string(8, ' '));
  EXPECT_EQ(ScreenText(16, 448, 40), "file too short" + std::string(26, ' '));
  EXPECT_EQ(MainScreen.PixelAt(16 + 8 * 44, 452), 7);
  ShowPaddedMessage(std::string(70, 'B'));
  EXPECT_EQ(NewestMessage().Length, 64u) << "at most 64 characters kept";
  Paused = 1;
  // Tile 33 (row 1, column 1), row 3, column 2 in the patterns; sprite palette entry 3.
  m().CpuMemory[0xFFF5] = 0xC3, m().PatternCache[33 * 64 + 3 * 8 + 2] = 3,
  m().PpuMemory[0x3F13] = 0x21;
  Run(1, 2, "1 press 26\n2 press 44\n2 press 45\n2 press 46\n");
  EXPECT_EQ(ScreenText(304, 16, 13), "RAM Page View");
  EXPECT_EQ(ScreenText(304, 32 + 16 * 15, 23), "FFF0:00 00 00 00 00 C3 ");
  EXPECT_EQ(ScreenText(304, 304, 14) + ScreenText(16, 304, 12), "VRAM/VROM ViewPalette View");
  EXPECT_EQ(MainScreen.PixelAt(304 + 8 + 2, 320 + 8 + 3), 3);
  EXPECT_EQ(MainScreen.PixelAt(16 + 16 * 3, 336), 0x21) << "sprite entry 3";
  Run(3, 3, "3 press 44\n");  // Z off: the next view call erases the area
  EXPECT_EQ(ScreenText(304, 32 + 16 * 15, 23), std::string(23, ' '));
  MainScreen.DrawText(304, 16, "kept");
  RamPageView(m());
  EXPECT_EQ(ScreenText(304, 16, 4), "kept") << "erased once only";

  std::ofstream(dir / "DumpSpr.BIN") << std::string(1000, 'x');  // an older, longer dump
  std::memset(m().PpuMemory + 0x2000, 0x24, 0x1000);
  m().SpriteRam[0] = 255, m().SpriteRam[3] = 200, m().PpuMemory[0x3F11] = 0x16;
  Run(4, 4, "4 press 52\n4 press 51\n4 press 53\n4 press 50\n");
  for (const char* listing : {"NameTable#3\n24 24 ", "Sprite#0\nPattern:0\nX:200\nY:256\n",
                              "Sprite Palette:\n0\n22\n"})  // Y is logged one more than stored
    EXPECT_NE(ReadLog().find(listing), std::string::npos) << listing;
  const auto bytes = [](uint8_t* from, size_t size) { return std::string((char*)from, size); };
  EXPECT_EQ(FileText(dir / "DumpNMT.BIN"), bytes(m().PpuMemory + 0x2000, 4096));
  EXPECT_EQ(FileText(dir / "DumpSpr.BIN"), bytes(m().SpriteRam, 256));
  EXPECT_EQ(FileText(dir / "DumpPAL.BIN").size(), 32u);
  EXPECT_EQ(FileText(dir / "VRAMDUMP.BIN"), bytes(m().PpuMemory, 8192));
  EXPECT_EQ(Newest(), "VRAM/VROM Dumped" + std::string(24, ' '));
  std::filesystem::remove(dir / "DumpPAL.BIN");
  std::filesystem::create_directory(dir / "DumpPAL.BIN");  // fails even for root
  const size_t logged = ReadLog().size();
  Run(5, 5, "5 press 53\n");
  EXPECT_NE(ReadLog().find("Sprite Palette:\n", logged), std::string::npos);
  EXPECT_EQ(Newest(), "Cannot write DumpPAL.BIN" + std::string(16, ' '));
}

}  // namespace

// The hot keys as a player and a debugging developer use them, through key scripts: held keys
// survive a pause, screenshots count up, views switch, settings and state keys in both handlers.
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "apu/sound_buffers.h"
#include "core/globals.h"
#include "frame/emulate_frame.h"
#include "session/config.h"
#include "session/debug_fixture.h"
#include "session/debugger.h"
#include "session/main_loop.h"
#include "session/pacing.h"
#include "session/player_view.h"
#include "session/run_frame.h"
#include "session/sound_output.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "state/state_image.h"

namespace {

using HotKeysTest = DebugTest;

TEST_F(HotKeysTest, PauseStepAndResume) {
  ASSERT_EQ(OpenSound(), 1u);
  const std::string script =
      "3 press 88\n"  // F12 during frame 3: that frame still runs to its end
      "3 release 88\n"
      "5 press 5\n"     // 4 while paused
      "6 press 87\n"    // F11: 4 + 1 frames run
      "6 release 87\n"  // a release only shows the message again
      "16 press 88\n";  // F12 resumes
  SetScript(script);
  const auto& volume = ChannelBuffers[kPulse1Buffer].Volume;
  RunFrames(1, 5);
  EXPECT_EQ(std::tuple(FrameCount, Paused, SaveSlot, volume),
            std::tuple(3u, 1u, 4, int(kSilentVolume)));
  EXPECT_EQ(ScreenText(16, 448, 40), "Emulation Paused" + std::string(24, ' '));
  RunFrames(6, 15);  // exactly SaveSlot + 1 frames stepped
  EXPECT_EQ(std::tuple(FrameCount, StepCount), std::tuple(8u, 0u));
  EXPECT_EQ(ScreenText(16, 432, 12), "NMI Executed") << "the press's message, scrolled up";
  RunFrames(16, 18);  // frame 16 only resumed; 17 and 18 ran
  EXPECT_EQ(std::tuple(FrameCount, Paused, volume), std::tuple(10u, 0u, 0));
  EXPECT_EQ(Newest(), "Emulation Started" + std::string(23, ' '));
  CloseSound();
}

TEST_F(HotKeysTest, SettingsKeysInBothStates) {
  struct Case {
    const char* name;
    uint32_t paused;
    const char* script;
    int shownLines, irqAdjust, apuChannel, ramPage, saveSlot;
  } cases[] = {
      {"F10 twice", 0, "1 press 68\n2 press 68\n", 232, 0, 0, 0, 0},
      {"F10 once, paused", 1, "1 press 68\n", 240, 0, 0, 0, 0},
      {"pad keys", 0, "1 press 78\n1 press 78\n2 press 74\n", 232, 1, 0, 0, 0},
      {"; from channel 0", 1, "1 press 39\n", 232, 0, 4, 0, 0},
      {"' wraps back", 1, "1 press 39\n2 press 40\n", 232, 0, 0, 0, 0},
      {"[ from page 0", 1, "1 press 26\n", 232, 0, 0, 255, 0},
      {"releases change nothing", 1, "1 release 26\n1 release 27\n1 release 68\n1 release 3\n", 232,
       0, 0, 0, 0},
      {"digit, paused", 1, "1 press 10\n", 232, 0, 0, 0, 9},
  };
  for (const Case& c : cases) {
    ResetSession();
    HeadlessReset();
    m().IrqAdjust = 0;  // the machine's, so the session's reset leaves it
    Paused = c.paused;
    RunScript(c.script, 1, 2);
    EXPECT_EQ(std::tuple(ShownLines, m().IrqAdjust, ApuChannel, RamPage, SaveSlot),
              std::tuple(c.shownLines, c.irqAdjust, c.apuChannel, c.ramPage, c.saveSlot))
        << c.name;
  }
}

TEST_F(HotKeysTest, ChrViewerWrapsWithinTheCartridgesBanks) {
  InesImage image;
  image.ChrUnits = 3;
  image.Mapper = 3;
  ASSERT_EQ(Load(image), kLoadOk);
  InstallSpinProgram();
  // Bank b's first 1 KB page is tagged ChrTag(8 b); pages beyond 3 banks would read zero.
  const uint8_t expected[] = {ChrTag(8), ChrTag(16), ChrTag(0), ChrTag(8)};
  for (uint32_t press = 0; press < 4; ++press) {
    m().ChrWindowBank[0] = 0;
    RunScript("1 press 67\n", 1, 1);
    EXPECT_EQ(m().PpuMemory[0x0000], expected[press]) << "press " << press + 1;
    EXPECT_EQ(m().PpuMemory[0x1FFF], static_cast<uint8_t>(expected[press] + 7));
    EXPECT_EQ(m().ChrWindowBank[0], 255) << "the windows' bank records no longer hold";
  }
}

// F5 and F7 save and load the slot, F1 records, F2 plays back, in either handler. A recording
// open at F7 stops: its frames could not lead to the loaded state.
TEST_F(HotKeysTest, StateSlotsRecordingAndPlayback) {
  BuildCartridgePath((dir / "GAME.NES").string().c_str());
  const std::string script =
      "1 press 6\n1 press 63\n"  // 5, then F5 in the same read: slot 5
      "2 press 59\n"             // F1: frames 2, 3 and 4 are recorded
      "5 press 59\n"             // F1 again stops
      "6 press 60\n"             // F2: frames 6, 7 and 8 play them back; 9 runs live
      "9 press 59\n"             // F1: frame 9 is recorded
      "10 press 65\n";           // F7 while paused: slot 5 back, the recording stopped
  SetScript(script);
  RunFrames(1, 8);
  EXPECT_TRUE(std::filesystem::exists(dir / "GAME.SV5"));
  EXPECT_EQ(std::filesystem::file_size(dir / "GAME.MOV"), kStateImageSize + 6);
  RunFrames(9, 9);
  EXPECT_EQ(std::tuple(Newest().rfind("Playback Ended", 0), PlayingBack), std::tuple(0u, 0));

  const uint8_t saved = m().CpuMemory[0x0300];
  m().CpuMemory[0x0300] = static_cast<uint8_t>(saved + 1);
  Paused = 1;
  RunFrames(10, 10);
  EXPECT_EQ(m().CpuMemory[0x0300], saved);
  EXPECT_EQ(ScreenText(16, 432, 14), "State Loaded 5");
  EXPECT_EQ(std::tuple(Newest().rfind("Recording stopped: state 5 loaded", 0), Recording),
            std::tuple(0u, 0))
      << Newest();
  EXPECT_EQ(std::filesystem::file_size(dir / "GAME.MOV"), kStateImageSize + 2);
}

// Backspace held past the oldest kept frame: the picture holds, and the keys still act (a
// digit, the release, Esc).
TEST_F(HotKeysTest, KeysActWhileRewindIsHeldAtTheOldestFrame) {
  ResetRewind();
  RewindHeld = 0;
  SetScript(
      "2 press 14\n"    // frame 2 reads it; frame 3 steps back to frame 1, the oldest
      "5 press 10\n"    // 9
      "6 release 14\n"  // frame 7 runs
      "7 press 14\n"
      "10 press 1\n");  // Esc
  const auto run = [&](uint32_t first, uint32_t last) {
    for (uint32_t frame = first; frame <= last; ++frame)
      HeadlessDeliverScriptedKeys(frame), RunPlayerFrame(m(), 0);
  };
  run(1, 5);
  EXPECT_EQ(std::tuple(FrameCount, RewindFramesKept(), SaveSlot, RewindHeld),
            std::tuple(3u, 1u, 9, 1u));
  run(6, 7);
  EXPECT_EQ(std::tuple(FrameCount, RewindFramesKept(), RewindHeld), std::tuple(4u, 2u, 1u));
  run(8, 10);
  EXPECT_TRUE(HeadlessHost.CloseRequested);
  ResetRewind();
  RewindHeld = 0;
}

// No frame runs while paused, so the load itself must put the loaded picture on the screen,
// and leave the machine exactly as loaded (drawing moves the scroll address).
TEST_F(HotKeysTest, AStateLoadedWhilePausedIsShownAtOnce) {
  BuildCartridgePath((dir / "GAME.NES").string().c_str());
  const auto setBackdrop = [&](uint8_t colour) {
    m().CpuWrite(0x2006, 0x3F);
    m().CpuWrite(0x2006, 0x00);
    m().CpuWrite(0x2007, colour);
  };
  const auto pictureColour = [] { return MainScreen.PixelAt(16 + 100, 16 + 100); };
  m().CpuWrite(0x2001, 0x08);  // background on: blank tiles over the backdrop
  setBackdrop(0x21);
  const uint16_t addressSaved = m().VramAddress;
  RunScript("1 press 63\n", 1, 1);  // F5: slot 0 holds a light blue backdrop
  setBackdrop(0x16);
  RunFrames(2, 2);
  ASSERT_EQ(pictureColour(), 0x16);
  Paused = 1;
  RunScript("3 press 65\n", 3, 3);  // F7 while paused
  EXPECT_EQ(Newest().rfind("State Loaded 0", 0), 0u) << Newest();
  EXPECT_EQ(pictureColour(), 0x21);
  EXPECT_EQ(std::tuple(m().VramAddress, FrameCount), std::tuple(addressSaved, 2u));
}

TEST_F(HotKeysTest, HeldKeysFollowPressAndReleaseEvenWhilePausedAndViewKeysFlip) {
  FastForward = RewindHeld = DebuggerViewKey = PixelAspect8To7 = 0;
  // Tab, Backspace, F3 (with its release), F6, then F12 pauses.
  RunScript("1 press 15\n2 press 14\n2 press 61\n2 release 61\n2 press 64\n3 press 88\n", 1, 3);
  EXPECT_EQ(std::tuple(FastForward + RewindHeld, DebuggerViewShown(), PixelAspect8To7, Paused),
            std::tuple(2u, true, 1u, 1u));
  RunScript("4 release 15\n4 release 14\n", 4, 4);  // let go while paused
  EXPECT_EQ(FastForward + RewindHeld, 0u);
  DebuggerViewKey = PixelAspect8To7 = 0;
}

TEST_F(HotKeysTest, ScreenshotsAreNumberedAfterTheCartridge) {
  const auto oldDir = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  std::snprintf(CartridgePath, sizeof CartridgePath, "/somewhere/Great Game.nes");
  MainScreen.FillRect(16, 16, 256, 240, 0x21);
  RunScript("1 press 66\n2 press 66\n", 1, 2);
  for (const char* name : {"Great Game-001.png", "Great Game-002.png"})
    EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
  EXPECT_EQ(Newest().rfind("Screenshot Great Game-002.png", 0), 0u) << Newest();
  // A folder that cannot be written: nothing is claimed.
  std::filesystem::create_directory(dir / "locked");
  std::filesystem::current_path(dir / "locked");
  std::filesystem::permissions(
      dir / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  RunScript("3 press 66\n", 3, 3);
  if (geteuid() != 0) {  // root writes anywhere
    EXPECT_EQ(Newest().rfind("Cannot write Great Game-001.png", 0), 0u) << Newest();
  }
  std::filesystem::current_path(oldDir);
  std::filesystem::permissions(dir / "locked", std::filesystem::perms::owner_all);
}

}  // namespace

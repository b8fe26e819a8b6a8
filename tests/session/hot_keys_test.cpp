// The hot keys as a player and a debugging developer use them, through key scripts on a console
// running a spin loop with the NMI counting frames: held keys survive a pause, settings and
// state keys act in both handlers, screenshots count up.
#include <unistd.h>

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
#include "session/sound_output.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "state/state_image.h"
#include "support/fixture.h"

namespace {

class HotKeysTest : public MachineTest {
 protected:
  void SetUp() override {
    MachineTest::SetUp(), HeadlessReset(), MainScreen.Resize(640, 480), InstallSpinProgram();
    std::filesystem::current_path(dir);  // where screenshots go
  }
  void TearDown() override {
    HeadlessReset(), FastForward = RewindHeld = DebuggerViewKey = PixelAspect8To7 = 0;
    std::filesystem::current_path(previousFolder), MachineTest::TearDown();
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
  // A line of the message area (3 the newest), padded as shown.
  static std::string Line(int index = 3) {
    return std::string(MessageAreaLine(index).Text, MessageAreaLine(index).Length);
  }
};

TEST_F(HotKeysTest, PauseStepAndResume) {
  ASSERT_EQ(OpenSound(), 1u);
  ShowPaddedMessage(std::string(70, 'B'));
  EXPECT_EQ(NewestMessage().Length, 64u) << "at most 64 characters kept";
  // F12 during frame 3: that frame still runs to its end; 4 while paused; F11: 4 + 1 frames
  // run, its release only shows the message again; F12 resumes.
  const auto& volume = ChannelBuffers[kPulse1Buffer].Volume;
  Run(1, 5, "3 press 88\n3 release 88\n5 press 5\n6 press 87\n6 release 87\n16 press 88\n");
  EXPECT_EQ(std::tuple(FrameCount, Paused, SaveSlot, volume, Line()),
            std::tuple(3u, 1u, 4, int(kSilentVolume), "Emulation Paused" + std::string(24, ' ')));
  Run(6, 15);  // exactly SaveSlot + 1 frames stepped
  EXPECT_EQ(std::tuple(FrameCount, StepCount, Line(2).substr(0, 12)),
            std::tuple(8u, 0u, "NMI Executed"));
  Run(16, 18);  // frame 16 only resumed; 17 and 18 ran
  EXPECT_EQ(std::tuple(FrameCount, Paused, volume, Line()),
            std::tuple(10u, 0u, 0, "Emulation Started" + std::string(23, ' ')));
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
    return std::vector<std::pair<std::string, int>>{
        {"lines", ShownLines}, {"irq", m().IrqAdjust}, {"apu", ApuChannel}, {"page", RamPage}, {"slot", SaveSlot},
        {"fast", FastForward}, {"rewind", RewindHeld}, {"view", DebuggerViewKey}, {"aspect", PixelAspect8To7},
        {"paused", Paused}, {"chr", m().PpuMemory[0]}, {"to", m().PpuMemory[0x1FFF]}, {"windows", m().ChrWindowBank[0]},
        {"shot", std::filesystem::exists("Great Game-002.png")}};
  };
  const struct { const char* name; uint32_t paused; const char* script, *changed; } cases[] = {
      {"F10 twice", 0, "1 press 68\n2 press 68\n", ""}, {"F10 once, paused", 1, "1 press 68\n", "lines=240 "},
      {"pad keys", 0, "1 press 78\n1 press 78\n2 press 74\n", "irq=1 "},
      {"; from channel 0", 1, "1 press 39\n", "apu=4 "}, {"' wraps back", 1, "1 press 39\n2 press 40\n", ""},
      {"' up, then ; down", 1, "1 press 40\n2 press 40\n2 press 39\n", "apu=1 "},
      {"[ from page 0", 1, "1 press 26\n", "page=255 "}, {"digit, paused", 1, "1 press 10\n", "slot=9 "},
      {"releases change nothing", 1, "1 release 26\n1 release 27\n1 release 68\n1 release 3\n", ""},
      // Tab, Backspace, F3 (with its release), F6, then F12 pauses; let go while paused.
      {"held and view keys", 0, "1 press 15\n2 press 14\n2 press 61\n2 release 61\n2 press 64\n3 press 88\n",
       "fast=1 rewind=1 view=1 aspect=1 paused=1 "},
      {"let go while paused", 1, "1 press 15\n1 press 14\n2 release 15\n2 release 14\n", ""},
      {"F9 twice", 0, "1 press 67\n2 press 67\n", "chr=17 to=24 windows=255 "},
      {"F9 four times", 0, "1 press 67\n2 press 67\n3 press 67\n3 press 67\n", "chr=9 to=16 windows=255 "},
      {"F8 twice", 0, "1 press 66\n2 press 66\n", "shot=1 "},  // named after the cartridge
  };
  // clang-format on
  for (const auto& c : cases) {
    HeadlessReset(), Paused = c.paused, ShownLines = 232, m().IrqAdjust = 0, ChrViewOffset = 0;
    ApuChannel = RamPage = SaveSlot = 0;
    FastForward = RewindHeld = DebuggerViewKey = PixelAspect8To7 = m().ChrWindowBank[0] = 0;
    const auto before = watched();
    Run(1, 3, c.script);
    std::string changed;
    for (size_t i = 0; const auto& [name, value] : watched())
      if (value != before[i++].second) changed += name + "=" + std::to_string(value) + " ";
    EXPECT_EQ(changed, c.changed) << c.name;
  }
  EXPECT_EQ(Line().rfind("Screenshot Great Game-002.png", 0), 0u) << Line();
  // A folder that cannot be written: nothing is claimed (root writes anywhere).
  using std::filesystem::perms;
  std::filesystem::permissions(dir, perms::owner_read | perms::owner_exec);
  Run(1, 1, "1 press 66\n");
  if (geteuid() != 0) EXPECT_EQ(Line().rfind("Cannot write Great Game-003.png", 0), 0u) << Line();
  std::filesystem::permissions(dir, perms::owner_all);
  // Backspace held at the oldest kept frame: no frame runs, yet the keys still act (a digit,
  // the release).
  playerFrames = true, ResetRewind(), Run(1, 3, "1 press 14\n2 press 10\n3 release 14\n");
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
    m().CpuWrite(0x2006, 0x3F), m().CpuWrite(0x2006, 0), m().CpuWrite(0x2007, colour);
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
  setBackdrop(0x16), Run(9, 9);
  EXPECT_EQ(std::tuple(Line().rfind("Playback Ended", 0), PlayingBack), std::tuple(0u, 0));
  ASSERT_EQ(pictureColour(), 0x16);

  const auto [saved, frames] = std::tuple(m().CpuMemory[0x0300], FrameCount);
  m().CpuMemory[0x0300] = static_cast<uint8_t>(saved + 1), Paused = 1;
  Run(10, 10);
  EXPECT_EQ(std::tuple(Line(2).substr(0, 14), Line().rfind("Recording stopped: state 5 loaded", 0),
                       Recording),
            std::tuple("State Loaded 5", 0u, 0));
  EXPECT_EQ(std::filesystem::file_size(dir / "GAME.MOV"), kStateImageSize + 2);
  EXPECT_EQ(std::tuple(m().CpuMemory[0x0300], pictureColour(), m().VramAddress, FrameCount),
            std::tuple(saved, 0x21, addressSaved, frames));
}

}  // namespace

// Save states, recordings, rewind and battery RAM on a running cartridge (tests/roms/
// state_walk.s: the picture scrolls every frame, its sprite walks with the D-pad, A counts up
// $6000).
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "headless/headless.h"
#include "session/config.h"
#include "session/frame_keys.h"
#include "state/battery.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "state/state_files.h"
#include "state/state_image.h"
#include "support/cartridge_run.h"

namespace {

constexpr int kA = 0x01, kUp = 0x10, kLeft = 0x40, kRight = 0x80, kScripted = -1;
constexpr uint16_t kSpriteX = 0x11;
using Hashes = std::vector<uint64_t>;

namespace fs = std::filesystem;

class StateRunTest : public CartridgeTest {
 protected:
  // The cartridge lives in the test folder, so its state files are made there.
  void SetUp() override {
    CartridgeTest::SetUp();
    fs::copy_file(TestRomPath("state_walk.nes"), dir / "GAME.NES");
    Restart(), ResetRewind();
  }
  void TearDown() override { ResetRewind(), HeldPadBits[0] = 0, CartridgeTest::TearDown(); }
  void Restart(bool battery = false) {
    NewConsole(), BuildCartridgePath((dir / "GAME.NES").c_str()), Start(CartridgePath);
    if (battery) LoadBatteryRam(m());
  }
  // `count` frames played as the main loop plays them, player 1 holding `buttons` or, from
  // frame `first` on, a walk that turns every few frames with A now and then. Their pictures'
  // hashes; in `carries` the CPU cycles each left over for the next (the state image lacks them).
  Hashes Play(int count, int buttons = kScripted, int first = 0) {
    Hashes hashes;
    for (int frame = first; frame < first + count; ++frame) {
      constexpr uint8_t kTurns[4] = {0x80, 0x20, 0x40, 0x10};
      HeldPadBits[0] = static_cast<uint8_t>(
          buttons != kScripted ? buttons : kTurns[frame / 7 % 4] | (frame % 5 == 0 ? kA : 0));
      RunRememberedFrame(m(), 0);
      hashes.push_back(PictureHash()), carries.push_back(m().CycleCarry);
    }
    return hashes;
  }
  std::vector<int16_t> carries;
  // The state image of the running console, as a slot file holds it.
  std::string Image() {
    std::string image(kStateImageSize, '\0');
    WriteStateImage(m(), reinterpret_cast<uint8_t*>(image.data()));
    return image;
  }
  std::string File(const char* name) const { return (dir / name).string(); }
  std::string Bytes(const char* name) const { return FileText(dir / name); }
  // Saves or loads slot `slot` and gives the message shown.
  std::string Slot(uint8_t slot, bool save) {
    SaveSlot = slot, save ? void(SaveState(m())) : void(LoadState(m()));
    return LastStateMessage;
  }
};

// A loaded state runs on as the uninterrupted run; slots that cannot be used change nothing.
TEST_F(StateRunTest, LoadedStatesRunOnAndUnusableSlotsChangeNothingAndSaySo) {
  Play(30);
  EXPECT_EQ(Slot(3, true), "State Saved 3");
  const auto good = Bytes("GAME.SV3");
  const Hashes uninterrupted = Play(300);
  EXPECT_NE(uninterrupted[0], uninterrupted[1]);  // the picture moves
  EXPECT_EQ(Slot(3, false), "State Loaded 3");
  EXPECT_EQ(Image(), good);
  EXPECT_EQ(Play(300), uninterrupted);
  const auto running = Image();
  EXPECT_EQ(Slot(7, false), "State 7 not loaded: No such file or directory");  // never saved
  // The slot is a pipe: refused, the pipe stays.
  Fifo("GAME.SV2");
  EXPECT_EQ(Slot(2, true), "State 2 not saved: not a regular file");
  EXPECT_TRUE(fs::is_fifo(File("GAME.SV2")));
  EXPECT_EQ(Image(), running);
}

// A battery file the program could not load is another emulator's or a damaged one: it is
// moved aside before the first write, never replaced. A last write that fails is reported.
TEST_F(StateRunTest, ABatteryFileNotLoadedIsKeptAsideAndAFailedLastWriteIsReported) {
  const std::string theirs(16384, 'x');
  std::ofstream(File("GAME.SAV"), std::ios::binary) << theirs;
  std::ofstream(File("GAME.SAV.bak"), std::ios::binary) << "older";
  LoadBatteryRam(m());
  EXPECT_NE(LastStateMessage.find("ignored: 16384 bytes, not 8192"), std::string::npos);
  Play(kBatteryCheckFrames, kA);
  EXPECT_EQ(std::tuple(Bytes("GAME.SAV.bak2"), Bytes("GAME.SAV.bak"), Bytes("GAME.SAV").size()),
            std::tuple(theirs, "older", size_t{8192}));

  fs::remove(File("GAME.SAV")), fs::create_directory(File("GAME.SAV"));
  Restart(true), Play(10, kA);
  EXPECT_EQ(CloseStateFiles(), "is a folder");
  EXPECT_TRUE(fs::is_directory(File("GAME.SAV")));
  fs::remove(File("GAME.SAV"));

  // Battery RAM survives a restart and is saved while it changes.
  Restart(true), Play(10, kA);
  EXPECT_FALSE(fs::exists(File("GAME.SAV")));  // not yet due
  const uint8_t count = Ram(0x6000);           // the program counts from its first NMI on
  EXPECT_GT(count, 0);
  CloseStateFiles();
  ASSERT_EQ(Bytes("GAME.SAV").size(), 8192u);
  EXPECT_EQ(uint8_t(Bytes("GAME.SAV")[0]), count);
  Restart(true);
  EXPECT_EQ(Ram(0x6000), count);
  Play(kBatteryCheckFrames, kA);
  // Written on its own, without an ending: a killed program keeps nearly all of it.
  EXPECT_GT(uint8_t(Bytes("GAME.SAV")[0]), count);
}

// On read-only media the files go to the player's data folder, and are found there again.
TEST_F(StateRunTest, AReadOnlyCartridgeFolderSavesInTheDataFolder) {
  EXPECT_EXIT(
      {
        const auto data = dir / "data";
        fs::create_directories(data);
        fs::permissions(data, fs::perms::all);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        chmod(dir.c_str(), 0555);
        // Permissions do not bind root: run as nobody, for whom the folder is read-only.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(2);
        Play(5);
        const bool named = Slot(4, true) == "State Saved 4 in " + (data / "halvoren").string();
        const auto saved = Image();
        const bool there = Bytes("data/halvoren/GAME.SV4").size() == kStateImageSize;
        Play(5);
        Slot(4, false);
        std::_Exit(named && there && Image() == saved ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  chmod(dir.c_str(), 0755);
}

TEST_F(StateRunTest, PlaybackRepeatsTheRecordedFramesThenTakesLiveInput) {
  Play(10), ToggleRecording(m());
  EXPECT_EQ(LastStateMessage, "Recording");
  const Hashes recorded = Play(100);
  ToggleRecording(m());
  EXPECT_EQ(LastStateMessage, "Recording Stopped");
  EXPECT_EQ(Bytes("GAME.MOV").size(), kStateImageSize + 200);
  Play(20);

  TogglePlayback(m());
  EXPECT_EQ(LastStateMessage, "Playback");
  EXPECT_EQ(Play(100, kRight), recorded);  // live input is overridden, to the last frame
  const uint8_t x = Ram(kSpriteX);
  Play(1, kLeft);
  EXPECT_EQ(std::tuple(PlayingBack, LastStateMessage), std::tuple(0, "Playback Ended"));
  EXPECT_EQ(Ram(kSpriteX), static_cast<uint8_t>(x - 1));

  // Recording during playback keeps the live buttons.
  TogglePlayback(m());
  ToggleRecording(m());  // replaces GAME.MOV, whose frames are already being played
  Play(5, kUp), ToggleRecording(m());
  const std::string up = {char(kUp), 0};  // a frame's two pads
  EXPECT_EQ(Bytes("GAME.MOV").substr(kStateImageSize), up + up + up + up + up);
}

// A recording open across the steps back is cut to the frame shown, so its playback ends in
// the session's final state; stepping back past its start stops it.
TEST_F(StateRunTest, StepsBackThroughTheFramesAsTheyWereShownAndPlaysOnTheSame) {
  ToggleRecording(m());
  const Hashes hashes = Play(300);  // hashes[n] is frame n's picture
  HeldPadBits[0] = kLeft;           // live buttons play no part in frames played again
  for (int back = 1; back <= 120; ++back) {
    ASSERT_TRUE(RewindStep(m()));
    ASSERT_EQ(PictureHash(), hashes[300 - back - 1]) << "step " << back;
  }
  EXPECT_EQ(std::pair(RewindFramesKept(), Bytes("GAME.MOV").size()),
            std::pair(size_t{180}, kStateImageSize + 180 * 2));
  // Played on from frame 180 with the same buttons: the same frames as the first time.
  EXPECT_EQ(Play(20, kScripted, 180), Hashes(hashes.begin() + 180, hashes.begin() + 200));
  // A few kilobytes a frame, not a whole image each.
  EXPECT_LT(RewindBytesKept(), 200u * kStateImageSize / 8);
  ToggleRecording(m());
  const auto final = Image();
  TogglePlayback(m()), Play(200, kLeft);
  EXPECT_EQ(std::tuple(PlayingBack, Image()), std::tuple(1, final));
  StopPlayback();

  ToggleRecording(m()), Play(2, kScripted, 200);
  for (int back = 1; back <= 3; ++back) ASSERT_TRUE(RewindStep(m()));
  EXPECT_EQ(std::tuple(Recording, LastStateMessage, Bytes("GAME.MOV").size()),
            std::tuple(0, "Recording stopped: rewound past its start", kStateImageSize));

  // F1 read in a frame played again: the recording starts where that frame started.
  Play(8, kScripted, 202);
  HeadlessPushKey(kKeyF1, true);
  ASSERT_TRUE(RewindStep(m()));
  HeadlessPushKey(kKeyF1, false);
  Play(5, kScripted, 209), ToggleRecording(m());
  const auto end = Image();
  TogglePlayback(m()), Play(6, kLeft);
  EXPECT_EQ(Image(), end);
}

// A step back puts back what the state image does not hold, such as the CPU's carried cycles:
// with a counting loop that never waits every frame leaves a different remainder to the next,
// and a frame played again comes out the same only with the remainder it first started with.
TEST_F(StateRunTest, AStepBackRunsTheFrameFromTheCyclesItFirstStartedWith) {
  const uint8_t loop[] = {0xE6, 0x10, 0xD0, 0xFC, 0xE6, 0x11, 0x4C, 0x00, 0x03};  // INC; BNE
  std::memcpy(m().CpuMemory + 0x300, loop, sizeof loop);
  m().CpuMemory[kPpuControl] = 0, m().PC = 0x300;  // no NMI
  Play(20);
  ASSERT_NE(carries[8], carries[9]);
  for (int back = 1; back <= 19; ++back) {
    ASSERT_TRUE(RewindStep(m()));
    EXPECT_EQ(m().CycleCarry, carries[20 - back - 1]) << "step " << back;
  }
  // It stops at the oldest frame, and stays there.
  const std::string first = Image();
  EXPECT_FALSE(RewindStep(m())) << "nothing older than the first frame";
  EXPECT_EQ(std::pair(Image(), RewindFramesKept()), std::pair(first, size_t{1}));
}

TEST_F(StateRunTest, KeepsTheHistoryBounded) {
  Play(3);  // whatever the first frames allocate once is not the history's
  carries.reserve(kRewindFrames + 300);
  [[maybe_unused]] const size_t heapBefore = mallinfo2().uordblks, keptBefore = RewindBytesKept();
  Play(kRewindFrames + 197, kScripted, 3);
  EXPECT_NEAR(RewindFramesKept(), kRewindFrames + 15.0, 15.0);
  EXPECT_LE(RewindBytesKept(), kRewindMemoryLimit);
  // The bound is on the heap the history really holds, whole buffers and all: what it counts
  // is what the heap grew by, give or take the allocator's headers (16 bytes a buffer).
  // (The address sanitizer's heap is its own: the C library's counts do not see it.)
#ifndef __SANITIZE_ADDRESS__
  EXPECT_NEAR(static_cast<double>(mallinfo2().uordblks - heapBefore),
              static_cast<double>(RewindBytesKept() - keptBefore), 24.0 * RewindFramesKept());
#endif
}

}  // namespace

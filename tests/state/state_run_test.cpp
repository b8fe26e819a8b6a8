// Save states, recordings, rewind and battery RAM on a running cartridge (tests/roms/
// state_walk.s: the picture scrolls every frame, its sprite walks with the D-pad, A counts up
// $6000).
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "files/files.h"
#include "headless/headless.h"
#include "session/config.h"
#include "session/frame_keys.h"
#include "session/run_frame.h"
#include "state/battery.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "state/state_files.h"
#include "state/state_image.h"
#include "support/cartridge_run.h"

namespace {

constexpr uint8_t kA = 0x01, kUp = 0x10, kLeft = 0x40, kRight = 0x80;
constexpr uint16_t kSpriteX = 0x11;
// The address sanitizer's heap is its own: the C library's counts do not see it.
#ifdef __SANITIZE_ADDRESS__
constexpr bool kHeapCounted = false;
#else
constexpr bool kHeapCounted = true;
#endif

// A walk that turns every few frames, with A now and then.
uint8_t ScriptedButtons(int frame) {
  constexpr uint8_t kTurns[4] = {0x80, 0x20, 0x40, 0x10};
  return static_cast<uint8_t>(kTurns[frame / 7 % 4] | (frame % 5 == 0 ? kA : 0));
}

class StateRunTest : public CartridgeTest {
 protected:
  // The cartridge lives in the test folder, so its state files are made there.
  void SetUp() override {
    CartridgeTest::SetUp();
    std::filesystem::copy_file(TestRomPath("state_walk.nes"), dir / "GAME.NES");
    Restart();
    ResetRewind();
  }
  void TearDown() override {
    ResetRewind();
    HeldPadBits[0] = 0;
    CartridgeTest::TearDown();
  }
  void Restart() {
    ResetSession();
    machine = std::make_unique<Machine>();
    BuildCartridgePath((dir / "GAME.NES").c_str());
    Start(CartridgePath);
  }
  // One frame with `buttons` as player 1's live input; the picture's hash.
  uint64_t Frame(uint8_t buttons) {
    HeldPadBits[0] = buttons;
    RunFrame(m(), 0);
    return PictureHash();
  }
  std::vector<uint64_t> ScriptedFrames(int count) {
    std::vector<uint64_t> hashes;
    for (int i = 0; i < count; ++i) hashes.push_back(Frame(ScriptedButtons(i)));
    return hashes;
  }
  // Frames `first` to `last` (1-based) played as the main loop plays them; their hashes, and
  // in `carries` the CPU cycles each left over for the next (the state image lacks them).
  void Play(int first, int last, std::vector<uint64_t>& hashes) {
    for (int frame = first; frame <= last; ++frame) {
      HeldPadBits[0] = ScriptedButtons(frame);
      RunRememberedFrame(m(), 0);
      hashes.push_back(PictureHash());
      carries.push_back(m().CycleCarry);
    }
  }
  std::vector<int16_t> carries;
  std::string Image() {
    std::string image(kStateImageSize, '\0');
    WriteStateImage(m(), reinterpret_cast<uint8_t*>(image.data()));
    return image;
  }
  std::string File(const char* name) const { return (dir / name).string(); }
  std::string Bytes(const char* name) const { return FileText(dir / name); }
};

// A loaded state runs on as the uninterrupted run; slots that cannot be used change nothing.
TEST_F(StateRunTest, LoadedStatesRunOnAndUnusableSlotsChangeNothingAndSaySo) {
  ScriptedFrames(30);
  SaveSlot = 3;
  SaveState(m());
  EXPECT_EQ(LastStateMessage, "State Saved 3");
  const auto good = Bytes("GAME.SV3");
  ASSERT_EQ(good.size(), kStateImageSize);
  const auto uninterrupted = ScriptedFrames(300);
  EXPECT_NE(uninterrupted[0], uninterrupted[1]);  // the picture moves
  LoadState(m());
  EXPECT_EQ(LastStateMessage, "State Loaded 3");
  EXPECT_EQ(Image(), good);
  EXPECT_EQ(ScriptedFrames(300), uninterrupted);
  const auto running = Image();

  SaveSlot = 7;  // never saved
  LoadState(m());
  EXPECT_EQ(LastStateMessage, "State 7 not loaded: No such file or directory");
  EXPECT_EQ(Image(), running);

  // A cartridge of the same shape whose program differs in one unused byte: its state does
  // not load here, though counts and mapper agree.
  std::string other = Bytes("GAME.NES");
  other[16 + 0x4000] ^= 1;
  std::ofstream(File("OTHER.NES"), std::ios::binary) << other;
  machine = std::make_unique<Machine>();
  ResetSession();
  BuildCartridgePath(File("OTHER.NES").c_str());
  Start(CartridgePath);
  ScriptedFrames(20);
  SaveSlot = 4;
  SaveState(m());
  std::filesystem::copy_file(File("OTHER.SV4"), File("GAME.SV4"));
  Restart();
  ScriptedFrames(20);
  const auto game = Image();
  SaveSlot = 4;
  LoadState(m());
  EXPECT_EQ(LastStateMessage, "State 4 not loaded: saved from another cartridge");
  EXPECT_EQ(Image(), game);

  // The slot is a pipe: refused, the pipe stays; a cartridge named like the slot file (or
  // reached through another name) is never overwritten.
  SaveSlot = 2;
  Fifo("GAME.SV2");
  SaveState(m());
  EXPECT_EQ(LastStateMessage, "State 2 not saved: not a regular file");
  EXPECT_TRUE(std::filesystem::is_fifo(File("GAME.SV2")));
  std::filesystem::remove(File("GAME.SV3"));
  std::filesystem::create_hard_link(File("GAME.NES"), File("GAME.SV3"));
  NoteRunInput(File("GAME.NES"), "the cartridge");
  SaveSlot = 3;
  SaveState(m());
  ForgetRunInputs();
  EXPECT_EQ(LastStateMessage, "State 3 not saved: that is the cartridge");
  EXPECT_EQ(Bytes("GAME.SV3"), FileText(TestRomPath("state_walk.nes")));
  EXPECT_NE(good, Bytes("GAME.SV3"));
}

// A battery file the program could not load is another emulator's or a damaged one: it is
// moved aside before the first write, never replaced. A last write that fails is reported.
TEST_F(StateRunTest, ABatteryFileNotLoadedIsKeptAsideAndAFailedLastWriteIsReported) {
  const std::string theirs(16384, 'x');
  std::ofstream(File("GAME.SAV"), std::ios::binary) << theirs;
  std::ofstream(File("GAME.SAV.bak"), std::ios::binary) << "older";
  LoadBatteryRam(m());
  EXPECT_NE(LastStateMessage.find("ignored: 16384 bytes, not 8192"), std::string::npos);
  for (int i = 0; i < kBatteryCheckFrames; ++i) Frame(kA);
  EXPECT_EQ(Bytes("GAME.SAV.bak2"), theirs);
  EXPECT_EQ(Bytes("GAME.SAV.bak"), "older");
  EXPECT_EQ(Bytes("GAME.SAV").size(), 8192u);

  std::filesystem::remove(File("GAME.SAV"));
  std::filesystem::create_directory(File("GAME.SAV"));
  Restart();
  LoadBatteryRam(m());
  for (int i = 0; i < 10; ++i) Frame(kA);
  EXPECT_EQ(CloseStateFiles(), "is a folder");
  EXPECT_TRUE(std::filesystem::is_directory(File("GAME.SAV")));
  std::filesystem::remove(File("GAME.SAV"));

  // Battery RAM survives a restart and is saved while it changes.
  Restart();
  LoadBatteryRam(m());
  for (int i = 0; i < 10; ++i) Frame(kA);
  EXPECT_FALSE(std::filesystem::exists(File("GAME.SAV")));  // not yet due
  const uint8_t count = Ram(0x6000);  // the program counts from its first NMI on
  EXPECT_GT(count, 0);
  CloseStateFiles();
  ASSERT_EQ(Bytes("GAME.SAV").size(), 8192u);
  EXPECT_EQ(uint8_t(Bytes("GAME.SAV")[0]), count);
  Restart();
  LoadBatteryRam(m());
  EXPECT_EQ(Ram(0x6000), count);
  for (int i = 0; i < kBatteryCheckFrames; ++i) Frame(kA);
  // Written on its own, without an ending: a killed program keeps nearly all of it.
  EXPECT_GT(uint8_t(Bytes("GAME.SAV")[0]), count);
}

// On read-only media the files go to the player's data folder, and are found there again.
TEST_F(StateRunTest, AReadOnlyCartridgeFolderSavesInTheDataFolder) {
  EXPECT_EXIT(
      {
        const auto data = dir / "data";
        std::filesystem::create_directories(data);
        std::filesystem::permissions(dir, std::filesystem::perms::all);
        std::filesystem::permissions(data, std::filesystem::perms::all);
        setenv("XDG_DATA_HOME", data.c_str(), 1);
        chmod(dir.c_str(), 0555);
        // Permissions do not bind root: run as nobody, for whom the folder is read-only.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) std::_Exit(2);
        ScriptedFrames(5);
        SaveSlot = 4;
        SaveState(m());
        const auto saved = Image();
        const bool named = LastStateMessage == "State Saved 4 in " + (data / "halvoren").string();
        const bool there =
            std::filesystem::file_size(data / "halvoren" / "GAME.SV4") == kStateImageSize;
        ScriptedFrames(5);
        LoadState(m());
        std::_Exit(named && there && Image() == saved ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
  chmod(dir.c_str(), 0755);
}

TEST_F(StateRunTest, PlaybackRepeatsTheRecordedFramesThenTakesLiveInput) {
  ScriptedFrames(10);
  ToggleRecording(m());
  EXPECT_EQ(LastStateMessage, "Recording");
  const auto recorded = ScriptedFrames(100);
  ToggleRecording(m());
  EXPECT_EQ(LastStateMessage, "Recording Stopped");
  EXPECT_EQ(Bytes("GAME.MOV").size(), kStateImageSize + 200);
  ScriptedFrames(20);

  TogglePlayback(m());
  EXPECT_EQ(LastStateMessage, "Playback");
  std::vector<uint64_t> played;
  for (int i = 0; i < 100; ++i) played.push_back(Frame(kRight));  // live input is overridden
  EXPECT_EQ(played, recorded);
  EXPECT_EQ(PlayingBack, 1);
  const uint8_t x = Ram(kSpriteX);
  Frame(kLeft);
  EXPECT_EQ(PlayingBack, 0);
  EXPECT_EQ(LastStateMessage, "Playback Ended");
  EXPECT_EQ(Ram(kSpriteX), static_cast<uint8_t>(x - 1));

  // Recording during playback keeps the live buttons.
  TogglePlayback(m());
  ToggleRecording(m());  // replaces GAME.MOV, whose frames are already being played
  for (int i = 0; i < 5; ++i) Frame(kUp);
  ToggleRecording(m());
  std::string frames;
  for (int i = 0; i < 5; ++i) frames += {char(kUp), 0};
  EXPECT_EQ(Bytes("GAME.MOV").substr(kStateImageSize), frames);
}

// A recording open across the steps back is cut to the frame shown, so its playback ends in
// the session's final state; stepping back past its start stops it. A step back also puts
// back what the state image does not hold, such as the CPU's carried cycles.
TEST_F(StateRunTest, StepsBackThroughTheFramesAsTheyWereShownAndPlaysOnTheSame) {
  std::vector<uint64_t> hashes;  // hashes[n - 1] is frame n's picture
  ToggleRecording(m());
  Play(1, 300, hashes);
  EXPECT_EQ(RewindFramesKept(), 300u);
  HeldPadBits[0] = 0x40;  // live buttons play no part in frames played again
  for (int back = 1; back <= 120; ++back) {
    ASSERT_TRUE(RewindStep(m()));
    ASSERT_EQ(PictureHash(), hashes[300 - back - 1]) << "step " << back;
    ASSERT_EQ(m().CycleCarry, carries[300 - back - 1]) << "step " << back;
  }
  EXPECT_EQ(RewindFramesKept(), 180u);
  EXPECT_EQ(Bytes("GAME.MOV").size(), kStateImageSize + 180 * 2);
  // Played on from frame 180 with the same buttons: the same frames as the first time.
  std::vector<uint64_t> again;
  Play(181, 200, again);
  EXPECT_EQ(again, std::vector<uint64_t>(hashes.begin() + 180, hashes.begin() + 200));
  // A few kilobytes a frame, not a whole image each.
  EXPECT_LT(RewindBytesKept(), 200u * kStateImageSize / 8);
  ToggleRecording(m());
  const auto final = Image();

  TogglePlayback(m());
  for (int i = 0; i < 200; ++i) Frame(kLeft);
  EXPECT_EQ(PlayingBack, 1);
  EXPECT_EQ(Image(), final);
  StopPlayback();

  ToggleRecording(m());
  Play(201, 202, again);
  for (int back = 1; back <= 3; ++back) ASSERT_TRUE(RewindStep(m()));
  EXPECT_EQ(Recording, 0);
  EXPECT_EQ(LastStateMessage, "Recording stopped: rewound past its start");
  EXPECT_EQ(Bytes("GAME.MOV").size(), kStateImageSize);

  // F1 read in a frame played again: the recording starts where that frame started.
  Play(203, 210, again);
  HeadlessPushKey(kKeyF1, true);
  ASSERT_TRUE(RewindStep(m()));
  HeadlessPushKey(kKeyF1, false);
  Play(210, 214, again);
  ToggleRecording(m());
  const auto end = Image();
  TogglePlayback(m());
  for (int i = 0; i < 6; ++i) Frame(kLeft);
  EXPECT_EQ(Image(), end);
}

// A counting loop that never waits, so every frame leaves a different remainder of cycles to
// the next: a frame played again from its start comes out the same only with the remainder
// it first started with.
TEST_F(StateRunTest, AStepBackRunsTheFrameFromTheCyclesItFirstStartedWith) {
  const uint8_t loop[] = {0xE6, 0x10, 0xD0, 0xFC, 0xE6, 0x11, 0x4C, 0x00, 0x03};  // INC; BNE
  std::memcpy(m().CpuMemory + 0x300, loop, sizeof loop);
  m().CpuMemory[kPpuControl] = 0;  // no NMI
  m().PC = 0x300;
  std::vector<uint64_t> hashes;
  Play(1, 20, hashes);
  ASSERT_NE(carries[8], carries[9]);
  for (int back = 1; back <= 10; ++back) {
    ASSERT_TRUE(RewindStep(m()));
    EXPECT_EQ(m().CycleCarry, carries[20 - back - 1]) << "step " << back;
  }
}

TEST_F(StateRunTest, StopsAtTheOldestFrameAndKeepsTheHistoryBounded) {
  std::vector<uint64_t> hashes;
  Play(1, 3, hashes);
  EXPECT_TRUE(RewindStep(m()) && RewindStep(m()));
  const uint64_t first = PictureHash();
  EXPECT_FALSE(RewindStep(m())) << "nothing older than the first frame";
  EXPECT_EQ(PictureHash(), first);
  EXPECT_EQ(RewindFramesKept(), 1u);

  hashes.reserve(kRewindFrames + 200);
  const size_t heapBefore = mallinfo2().uordblks, keptBefore = RewindBytesKept();
  Play(4, kRewindFrames + 200, hashes);
  EXPECT_NEAR(RewindFramesKept(), kRewindFrames + 15.0, 15.0);
  EXPECT_LE(RewindBytesKept(), kRewindMemoryLimit);
  // The bound is on the heap the history really holds, whole buffers and all: what it counts
  // is what the heap grew by, give or take the allocator's headers (16 bytes a buffer).
  const double heapGrowth = static_cast<double>(mallinfo2().uordblks - heapBefore);
  if (kHeapCounted) {
    EXPECT_NEAR(heapGrowth, static_cast<double>(RewindBytesKept() - keptBefore),
                24.0 * RewindFramesKept());
  }
}

}  // namespace

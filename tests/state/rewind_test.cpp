// Rewind on a running cartridge (tests/roms/state_walk.s: the picture scrolls every frame and
// its sprite walks with the D-pad).
#include <filesystem>
#include <vector>

#include "host/config.h"
#include "state/recording.h"
#include "state/rewind.h"
#include "support/cartridge_run.h"

namespace {

uint8_t ScriptedButtons(int frame) {
  constexpr uint8_t kTurns[4] = {0x80, 0x20, 0x40, 0x10};
  return static_cast<uint8_t>(kTurns[frame / 9 % 4] | (frame % 5 == 0 ? 0x01 : 0));
}

class RewindTest : public CartridgeTest {
 protected:
  void SetUp() override {
    CartridgeTest::SetUp();
    ResetRewind();
    Start("state_walk.nes");
  }
  void TearDown() override {
    ResetRewind();
    HeldPadBits[0] = 0;
    CartridgeTest::TearDown();
  }
  // Frames `first` to `last` (1-based) played as the main loop plays them; their hashes.
  void Play(int first, int last, std::vector<uint64_t>& hashes) {
    for (int frame = first; frame <= last; ++frame) {
      HeldPadBits[0] = ScriptedButtons(frame);
      RunRememberedFrame(m(), 0);
      hashes.push_back(PictureHash());
    }
  }
};

TEST_F(RewindTest, StepsBackThroughTheFramesAsTheyWereShownAndPlaysOnTheSame) {
  std::vector<uint64_t> hashes;  // hashes[n - 1] is frame n's picture
  Play(1, 300, hashes);
  EXPECT_EQ(RewindFramesKept(), 300u);
  HeldPadBits[0] = 0x40;  // live buttons play no part in frames played again
  for (int back = 1; back <= 120; ++back) {
    ASSERT_TRUE(RewindStep(m()));
    ASSERT_EQ(PictureHash(), hashes[300 - back - 1]) << "step " << back;
  }
  EXPECT_EQ(RewindFramesKept(), 180u);
  // Played on from frame 180 with the same buttons: the same frames as the first time.
  std::vector<uint64_t> again;
  Play(181, 200, again);
  EXPECT_EQ(again, std::vector<uint64_t>(hashes.begin() + 180, hashes.begin() + 200));
  // A few kilobytes a frame, not a whole image each.
  EXPECT_LT(RewindBytesKept(), 200u * 83482 / 8);
}

TEST_F(RewindTest, StopsAtTheOldestFrameAndKeepsTheHistoryBounded) {
  std::vector<uint64_t> hashes;
  Play(1, 3, hashes);
  EXPECT_TRUE(RewindStep(m()));
  EXPECT_TRUE(RewindStep(m()));
  const uint64_t first = PictureHash();  // frame 1 again
  EXPECT_FALSE(RewindStep(m())) << "nothing older than the first frame";
  EXPECT_EQ(PictureHash(), first);
  EXPECT_EQ(RewindFramesKept(), 1u);

  Play(4, kRewindFrames + 200, hashes);
  EXPECT_GE(RewindFramesKept(), kRewindFrames);
  EXPECT_LE(RewindFramesKept(), kRewindFrames + 30u);
  EXPECT_LE(RewindBytesKept(), kRewindMemoryLimit);
}

TEST_F(RewindTest, ARecordingTakesNoFrameFromRewinding) {
  const std::string movie = (dir / "GAME.MOV").string();
  std::vector<uint64_t> hashes;
  ASSERT_EQ(StartRecordingFile(m(), movie), "");
  Play(1, 10, hashes);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(RewindStep(m()));
  EXPECT_EQ(StopRecording(), "");
  EXPECT_EQ(std::filesystem::file_size(movie), 83482u + 10 * 2);
}

}  // namespace

// F1, F2, F5 and F7 through the keyboard, in the running and the paused handler.
#include <filesystem>

#include "core/globals.h"
#include "debug/debug_fixture.h"
#include "debug/message_area.h"
#include "host/config.h"
#include "state/recording.h"
#include "state/state_image.h"

namespace {

using StateKeysTest = DebugTest;

std::string Line(int index) {
  const MessageLine& line = MessageAreaLine(index);
  return std::string(line.Text, line.Length);
}
std::string Padded(const std::string& text) { return text + std::string(40 - text.size(), ' '); }

TEST_F(StateKeysTest, SlotsRecordingAndPlaybackFromBothHandlers) {
  BuildCartridgePath((dir / "GAME.NES").string().c_str());
  const std::string script =
      "1 press 6\n1 press 63\n"  // 5, then F5 in the same read: slot 5
      "2 press 59\n"             // F1: frames 2, 3 and 4 are recorded
      "5 press 59\n"             // F1 again stops
      "6 press 60\n"             // F2: frames 6, 7 and 8 play them back; 9 runs live
      "10 press 65\n";           // F7 while paused: slot 5 back
  SetScript(script);
  RunFrames(1, 9);
  EXPECT_TRUE(std::filesystem::exists(dir / "GAME.SV5"));
  EXPECT_EQ(std::filesystem::file_size(dir / "GAME.MOV"), kStateImageSize + 6);
  EXPECT_EQ(PlayingBack, 0);
  const std::string messages[] = {"Recording", "Recording Stopped", "Playback", "Playback Ended"};
  for (int i = 0; i < kMessageLines; ++i) EXPECT_EQ(Line(i), Padded(messages[i]));

  const uint8_t saved = m().CpuMemory[0x0300];
  m().CpuMemory[0x0300] = static_cast<uint8_t>(saved + 1);
  Paused = 1;
  RunFrames(10, 10);
  EXPECT_EQ(m().CpuMemory[0x0300], saved);
  EXPECT_EQ(Line(3), Padded("State Loaded 5"));
}

}  // namespace

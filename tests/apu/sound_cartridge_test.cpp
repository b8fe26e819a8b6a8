// The frame loop and the sound: one sound frame per RunFrame while sound is on, none with
// SOUND=N.
#include "apu/channels.h"
#include "apu/sound_buffers.h"
#include "host/headless/headless_audio.h"
#include "host/settings.h"
#include "support/cartridge_run.h"

namespace {

using SoundCartridgeTest = CartridgeTest;

TEST_F(SoundCartridgeTest, EveryFrameMakesSoundOnlyWhileSoundIsOn) {
  std::vector<int16_t> queued;
  HeadlessAudioSink = &queued;
  ASSERT_EQ(OpenSound(), 1u);
  Start("sound_note.nes");
  Frames(4);
  EXPECT_EQ(WritePosition, 367u + 368u + 367u + 368u);
  EXPECT_EQ(queued.size(), 367u + 368u) << "frames 2 and 3 are heard";

  SoundOn = 0;
  Frames(4);
  EXPECT_EQ(WritePosition, 367u + 368u + 367u + 368u);
  EXPECT_EQ(queued.size(), 367u + 368u);
  CloseSound();
  HeadlessAudioSink = nullptr;
}

}  // namespace

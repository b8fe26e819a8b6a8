#include "state/recording.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/machine.h"
#include "files/places.h"
#include "state/battery.h"
#include "state/state_files.h"
#include "state/state_image.h"

uint8_t Recording;
uint8_t PlayingBack;
uint8_t HeldPadBits[2];

namespace {

// Committed once its state image is on disk, then appended to frame by frame.
OutputFile RecordingOutput;
std::FILE* RecordingFile;
std::string RecordingFailure;  // the first write failure of the open recording
uint32_t RecordedFrames;       // frames in the open recording
// A recording or playback begun by a key read in the current frame: it starts from the state
// this frame started from, so this frame is its first even when rewind plays it again.
bool RecordingBegun;
bool PlaybackBegun;
// The whole playback file is read at the start, so a bad file changes nothing.
std::vector<uint8_t> PlaybackBytes;
size_t PlaybackAt;

const char kRecordingExtension[] = "MOV";

void FailRecording(const std::string& why) {
  if (RecordingFailure.empty()) RecordingFailure = why;
  RecordingOutput.Close();
  RecordingFile = nullptr;
  Recording = 0;
  ShowStateMessage("Recording stopped: " + why);
}

// Flushed every frame: a killed or crashed program loses no recorded frame.
void AppendPads(const uint8_t pads[2]) {
  if (std::fwrite(pads, 1, 2, RecordingFile) != 2 || std::fflush(RecordingFile) != 0)
    FailRecording(std::strerror(errno));
  else
    ++RecordedFrames;
}

void PlayPads(Machine& m) {
  if (PlaybackAt + 2 > PlaybackBytes.size()) {
    StopPlayback();
    ShowStateMessage("Playback Ended");
    return;
  }
  m.PadBits[0] = PlaybackBytes[PlaybackAt];
  m.PadBits[1] = PlaybackBytes[PlaybackAt + 1];
  PlaybackAt += 2;
}

}  // namespace

std::string StartRecordingFile(Machine& m, const std::string& path) {
  StopRecording();
  // The state image goes through the temporary file, so a recording that cannot start
  // leaves the previous one in place.
  std::vector<uint8_t> image(kStateImageSize);
  WriteStateImage(m, image.data());
  std::string error = RecordingOutput.Open(path);
  if (error.empty() &&
      std::fwrite(image.data(), 1, image.size(), RecordingOutput.Stream()) != image.size())
    error = std::strerror(errno);
  if (error.empty()) error = RecordingOutput.Commit();
  if (!error.empty()) {
    RecordingOutput.Close();
    return error;
  }
  RecordingFile = RecordingOutput.Stream();
  RecordingFailure.clear();
  RecordedFrames = 0;
  RecordingBegun = true;
  Recording = 1;
  return "";
}

std::string StopRecording() {
  const std::string closing = RecordingOutput.Close();
  if (RecordingFile && !closing.empty() && RecordingFailure.empty()) RecordingFailure = closing;
  RecordingFile = nullptr;
  Recording = 0;
  std::string failure;
  failure.swap(RecordingFailure);
  return failure;
}

void StopRecordingFor(const std::string& why) {
  if (!Recording) return;
  const std::string failure = StopRecording();
  ShowStateMessage("Recording stopped: " + why +
                   (failure.empty() ? "" : ", frames lost: " + failure));
}

void RewindRecording() {
  if (!Recording) return;
  if (RecordedFrames == 0) {
    StopRecordingFor("rewound past its start");
    return;
  }
  --RecordedFrames;
  const off_t size = static_cast<off_t>(kStateImageSize + 2 * RecordedFrames);
  // The next frame is written where the cut ends, not where the file used to end.
  if (std::fflush(RecordingFile) != 0 || ::ftruncate(::fileno(RecordingFile), size) != 0 ||
      std::fseek(RecordingFile, size, SEEK_SET) != 0)
    FailRecording(std::strerror(errno));
}

std::string StartPlaybackFile(Machine& m, const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error = ReadWholeFile(path, bytes);
  if (!error.empty()) return error;
  if (const char* problem = LoadStateImage(m, bytes.data(), bytes.size())) return problem;
  PlaybackBytes.swap(bytes);
  PlaybackAt = kStateImageSize;
  PlaybackBegun = true;
  PlayingBack = 1;
  return "";
}

void StopPlayback() {
  PlayingBack = 0;
  PlaybackBytes.clear();
  PlaybackBytes.shrink_to_fit();
  PlaybackAt = 0;
}

void ToggleRecording(Machine& m) {
  if (Recording) {
    const std::string failure = StopRecording();
    ShowStateMessage(failure.empty() ? "Recording Stopped" : "Recording lost frames: " + failure);
    return;
  }
  std::string where;
  const std::string error =
      StartRecordingFile(m, SavedFileForWriting(CartridgeFileName(kRecordingExtension), where));
  ShowStateMessage(error.empty() ? "Recording" + where : "Recording failed: " + error);
}

void TogglePlayback(Machine& m) {
  if (PlayingBack) {
    StopPlayback();
    ShowStateMessage("Playback Stopped");
    return;
  }
  const std::string error =
      StartPlaybackFile(m, PlaceForReading(CartridgeFileName(kRecordingExtension)));
  ShowStateMessage(error.empty() ? "Playback" : "Playback failed: " + error);
}

void RecordAndPlayPads(Machine& m) {
  m.PadBits[0] |= HeldPadBits[0];
  m.PadBits[1] |= HeldPadBits[1];
  // The live buttons are recorded, also while a playback replaces them.
  if (Recording) AppendPads(m.PadBits);
  if (PlayingBack) PlayPads(m);
  RecordingBegun = PlaybackBegun = false;
}

void RecordAndPlayReplayedPads(Machine& m) {
  if (Recording && RecordingBegun) AppendPads(m.PadBits);
  if (PlayingBack && PlaybackBegun) PlayPads(m);
  RecordingBegun = PlaybackBegun = false;
}

std::string CloseStateFiles() {
  StopRecording();
  return SaveBatteryRam(true);
}

void ResetRecording() {
  StopRecording();
  StopPlayback();
  HeldPadBits[0] = HeldPadBits[1] = 0;
}

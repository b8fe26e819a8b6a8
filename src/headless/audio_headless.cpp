// Headless audio: 22050 Hz 16-bit PCM appended to a WAV file. The header's sizes are written
// when the output closes.
#include <cerrno>
#include <cstdio>

#include "files/files.h"
#include "headless/headless_audio.h"
#include "host/platform.h"

std::string HeadlessWavPath;
std::vector<int16_t>* HeadlessAudioSink;
int HeadlessWavError;

namespace {
// Keeps the reason of the first failure; the run goes on and its caller reports it.
void NoteWavError() {
  if (!HeadlessWavError) HeadlessWavError = errno ? errno : EIO;
}
}  // namespace

namespace {

OutputFile WavOutput;  // committed at once; the header's sizes are mended at the close
FILE* WavFile;
uint32_t WavDataBytes;

void PutLe(uint8_t* at, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool WriteWavHeader(FILE* file, bool stereo, uint32_t dataBytes) {
  const uint32_t channels = stereo ? 2 : 1;
  const uint32_t rate = 22050;
  uint8_t h[44] = {'R', 'I', 'F', 'F', 0,   0,  0, 0, 'W', 'A', 'V',
                   'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,   1,   0};
  PutLe(h + 4, 36 + dataBytes, 4);
  PutLe(h + 22, channels, 2);
  PutLe(h + 24, rate, 4);
  PutLe(h + 28, rate * channels * 2, 4);
  PutLe(h + 32, channels * 2, 2);
  PutLe(h + 34, 16, 2);
  h[36] = 'd', h[37] = 'a', h[38] = 't', h[39] = 'a';
  PutLe(h + 40, dataBytes, 4);
  return std::fseek(file, 0, SEEK_SET) == 0 && std::fwrite(h, 1, sizeof h, file) == sizeof h;
}

bool WavStereo;

}  // namespace

bool PlatformOpenAudio(bool stereo) {
  PlatformCloseAudio();
  HeadlessWavError = 0;
  if (HeadlessWavPath.empty()) return true;
  errno = 0;
  if (!WavOutput.Open(HeadlessWavPath, OutputTarget::WriteThrough).empty()) {
    NoteWavError();
    return false;
  }
  WavFile = WavOutput.Stream();
  WavStereo = stereo;
  WavDataBytes = 0;
  if (!WriteWavHeader(WavFile, stereo, 0) || !WavOutput.Commit().empty()) {
    NoteWavError();
    WavOutput.Close();
    WavFile = nullptr;
    return false;
  }
  return true;
}

void PlatformQueueAudio(const int16_t* samples, size_t frames, bool stereo) {
  const size_t count = frames * (stereo ? 2 : 1);
  if (HeadlessAudioSink)
    HeadlessAudioSink->insert(HeadlessAudioSink->end(), samples, samples + count);
  if (!WavFile) return;
  // WAV data is little-endian, as is every host this builds for.
  const size_t written = std::fwrite(samples, sizeof(int16_t), count, WavFile);
  if (written < count) NoteWavError();
  WavDataBytes += static_cast<uint32_t>(written * sizeof(int16_t));
}

void PlatformCloseAudio() {
  if (!WavFile) return;
  if (!WriteWavHeader(WavFile, WavStereo, WavDataBytes)) NoteWavError();
  if (!WavOutput.Close().empty()) NoteWavError();
  WavFile = nullptr;
}

#include "state/state_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "core/globals.h"
#include "debug/message_area.h"
#include "host/config.h"
#include "state/recording.h"
#include "state/state_image.h"

std::string LastStateMessage;

namespace {
// Days of recorded play; anything larger is not a file of ours.
constexpr size_t kLargestReadFile = 64u << 20;
}  // namespace

void ShowStateMessage(const std::string& text) {
  LastStateMessage = text;
  ShowPaddedMessage(text);
}

std::string CartridgeFileName(const char* extension) {
  std::string path = CartridgePath;
  const size_t length = path.size();
  const size_t slash = path.find_last_of('/');
  const bool hasExtension = length >= 4 && path[length - 4] == '.' &&
                            (slash == std::string::npos || slash < length - 4);
  if (hasExtension)
    path.resize(length - 3);
  else
    path += '.';
  return path + extension;
}

std::string SlotFileName(uint8_t slot) {
  const char extension[4] = {'S', 'V', static_cast<char>('0' + slot % 10), 0};
  return CartridgeFileName(extension);
}

std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::strerror(errno);
  bytes.clear();
  uint8_t buffer[16384];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.insert(bytes.end(), buffer, buffer + got);
    if (bytes.size() > kLargestReadFile) {  // not ours, or a device that never ends
      std::fclose(file);
      bytes.clear();
      return "file too large";
    }
  }
  // A folder opens but reads with an error.
  const std::string error = std::ferror(file) ? std::strerror(errno) : "";
  std::fclose(file);
  return error;
}

std::string WriteWholeFile(const std::string& path, const uint8_t* data, size_t size) {
  const std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return std::strerror(errno);
  bool written = std::fwrite(data, 1, size, file) == size && std::fflush(file) == 0;
  int error = errno;
  // On disk before the rename, so a crash cannot leave an empty file under the good name.
  if (written && ::fsync(::fileno(file)) != 0) written = false, error = errno;
  if (std::fclose(file) != 0 && written) written = false, error = errno;
  if (written && std::rename(temporary.c_str(), path.c_str()) != 0) written = false, error = errno;
  if (!written) {
    std::remove(temporary.c_str());
    return std::strerror(error);
  }
  return "";
}

std::string SaveStateFile(Machine& m, const std::string& path) {
  std::vector<uint8_t> image(kStateImageSize);
  WriteStateImage(m, image.data());
  return WriteWholeFile(path, image.data(), image.size());
}

std::string LoadStateFile(Machine& m, const std::string& path) {
  std::vector<uint8_t> bytes;
  std::string error = ReadWholeFile(path, bytes);
  if (!error.empty()) return error;
  // Anything after the image is ignored: a recording's start loads as a state.
  const char* problem = LoadStateImage(m, bytes.data(), bytes.size());
  return problem ? problem : "";
}

void SaveState(Machine& m) {
  const std::string slot = std::to_string(SaveSlot);
  const std::string error = SaveStateFile(m, SlotFileName(SaveSlot));
  ShowStateMessage(error.empty() ? "State Saved " + slot : "State " + slot + " not saved: " + error);
}

void LoadState(Machine& m) {
  const std::string slot = std::to_string(SaveSlot);
  const std::string error = LoadStateFile(m, SlotFileName(SaveSlot));
  ShowStateMessage(error.empty() ? "State Loaded " + slot
                                 : "State " + slot + " not loaded: " + error);
  // The recording's frames led to the state before the load; played back they cannot reach
  // the loaded one.
  if (error.empty()) StopRecordingFor("state " + slot + " loaded");
}

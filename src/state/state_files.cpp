#include "state/state_files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/globals.h"
#include "core/settings.h"
#include "files/places.h"
#include "state/recording.h"
#include "state/state_image.h"

std::string LastStateMessage;
void (*StateMessageSink)(std::string_view text);

void ShowStateMessage(const std::string& text) {
  LastStateMessage = text;
  if (StateMessageSink) StateMessageSink(text);
}

std::string CartridgeFileName(const char* extension) {
  std::string path = CartridgePath;
  const size_t length = path.size();
  const size_t slash = path.find_last_of('/');
  const bool hasExtension =
      length >= 4 && path[length - 4] == '.' && (slash == std::string::npos || slash < length - 4);
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

std::string SavedFileForWriting(const std::string& beside, std::string& where) {
  std::string notice;
  const std::string path = PlaceForWriting(beside, notice);
  where.clear();
  if (!notice.empty()) {
    std::fprintf(stderr, "halvoren: %s\n", notice.c_str());
    where = " in " + DataFolder();
  }
  return path;
}

void SaveState(Machine& m) {
  const std::string slot = std::to_string(SaveSlot);
  std::string where;
  const std::string error = SaveStateFile(m, SavedFileForWriting(SlotFileName(SaveSlot), where));
  ShowStateMessage(error.empty() ? "State Saved " + slot + where
                                 : "State " + slot + " not saved: " + error);
}

bool LoadState(Machine& m) {
  const std::string slot = std::to_string(SaveSlot);
  const std::string error = LoadStateFile(m, PlaceForReading(SlotFileName(SaveSlot)));
  ShowStateMessage(error.empty() ? "State Loaded " + slot
                                 : "State " + slot + " not loaded: " + error);
  // The recording's frames led to the state before the load; played back they cannot reach
  // the loaded one.
  if (error.empty()) StopRecordingFor("state " + slot + " loaded");
  return error.empty();
}

// Every file the programs read or write goes through here, so that what a player owns is never
// replaced by accident: not by a crash half-way, not through a link, not by a second program,
// and never when the output is the cartridge or another file the run reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Days of recorded play; anything larger is not a file of ours.
constexpr size_t kLargestReadFile = 64u << 20;

// Reads a regular file whole, opened without blocking (a pipe or a device is refused at once,
// never waited on). An empty text on success, else why not.
std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes,
                          size_t largest = kLargestReadFile);

// What a target that exists but is not a regular file means. Saves (states, recordings,
// battery RAM, screenshots, dumps) refuse it: a rename would replace the device or the pipe
// itself. The runner's picture, sound, trace and log are often sent to /dev/null, a pipe or
// the terminal on purpose, so they write through such a target.
enum class OutputTarget { RegularFile, WriteThrough };

// Why `path` cannot be written, or an empty text: no name, a folder, a device or pipe where
// only a regular file will do, or an input of this run (the cartridge, a state being loaded).
std::string CheckOutputTarget(const std::string& path, OutputTarget target);

// One file being written: a unique temporary file beside the target (never a link), renamed
// over it by Commit once all is on disk. Closing without a Commit leaves the target as it was.
// A link as the target is followed: the file it names is replaced, the link stays.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() { Close(); }

  std::string Open(const std::string& path, OutputTarget target = OutputTarget::RegularFile);
  std::FILE* Stream() const { return File; }
  // Flushed, synced and renamed into place; the stream stays open for appending (a recording,
  // a log). Written-through targets need nothing.
  std::string Commit();
  // Closes; an empty text when everything written reached the file.
  std::string Close();

 private:
  std::FILE* File = nullptr;
  std::string Temporary;  // empty once committed or when writing through
  std::string Target;
};

// Writes `size` bytes as the whole new content of `path`; an empty text on success.
std::string WriteWholeFile(const std::string& path, const uint8_t* data, size_t size,
                           OutputTarget target = OutputTarget::RegularFile);

// The files this run reads from outside (the cartridge, the configuration, a state or
// recording given at start): no output may replace one of them. `role` names it in refusals,
// e.g. "the cartridge".
void NoteRunInput(const std::string& path, const char* role);
void ForgetRunInputs();

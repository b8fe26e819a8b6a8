#include "log/log.h"

#include <cstdio>
#include <utility>

#include "files/files.h"

std::string LogPath = "halvoren.tst";

namespace {

bool Holding;
std::string Held;

// The log stays open between calls and is flushed after each one, so it is complete on disk
// without reopening the file for every line. A new LogPath is opened at the next call; a path
// that cannot be opened is not tried again until it changes or the log restarts.
OutputFile StartedLog;  // the log LogStart began afresh
FILE* File;             // StartedLog's stream, or a log appended to after LogPath changed
std::string OpenPath;
bool OpenFailed;

int BoardLines;
LogSink Sink;

void CloseLog() {
  if (File && File != StartedLog.Stream()) std::fclose(File);
  StartedLog.Close();
  File = nullptr;
}

FILE* LogFile() {
  if (OpenPath != LogPath) {
    CloseLog();
    OpenPath = LogPath;
    OpenFailed = false;
  }
  if (!File && !OpenFailed) {
    // Never appended to the cartridge, another input, or a folder.
    if (CheckOutputTarget(LogPath, OutputTarget::WriteThrough).empty())
      File = std::fopen(LogPath.c_str(), "ab");
    OpenFailed = File == nullptr;
  }
  return File;
}

void Write(const char* text, size_t length) {
  if (Sink) {
    if (length) Sink(text, length);
    return;
  }
  FILE* f = LogFile();
  if (!f) return;
  if (length) std::fwrite(text, 1, length, f);
  std::fflush(f);
}

}  // namespace

bool LogStart() {
  Holding = false;
  BoardLines = 0;
  const std::string held = std::move(Held);
  Held.clear();
  CloseLog();
  if (Sink) {
    Write(held.data(), held.size());
    return true;
  }
  OpenPath = LogPath;
  // A new log replaces the old one whole, through the writer every file goes through.
  OpenFailed =
      !StartedLog.Open(LogPath, OutputTarget::WriteThrough).empty() || !StartedLog.Commit().empty();
  File = OpenFailed ? nullptr : StartedLog.Stream();
  if (!File) {
    StartedLog.Close();
    return false;
  }
  const bool written = std::fwrite(held.data(), 1, held.size(), File) == held.size();
  return std::fflush(File) == 0 && written;
}

void SetLogSink(LogSink sink) {
  CloseLog();
  OpenPath.clear();
  Sink = sink;
}

void LogHold() {
  Holding = true;
  Held.clear();
}

void LogText(const char* text, size_t length) {
  if (Holding) {
    Held.append(text, length);
    return;
  }
  Write(text, length);
}

void LogNumberLine(int32_t value) {
  const std::string line = std::to_string(value) + "\n";
  LogText(line.data(), line.size());
}

bool LogBoardLine() {
  if (BoardLines > kBoardLogLines) return false;
  if (++BoardLines <= kBoardLogLines) return true;
  const std::string line =
      "Board write log stopped after " + std::to_string(kBoardLogLines) + " lines\n";
  LogText(line.data(), line.size());
  return false;
}

void LogBoardNumberLine(int32_t value) {
  if (LogBoardLine()) LogNumberLine(value);
}

void LogBoardMarker(const char* text, size_t length) {
  if (BoardLines < kBoardLogLines) LogText(text, length);
}

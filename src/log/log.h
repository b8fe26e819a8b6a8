// Line-oriented text log. The file stays open and every call is flushed, so the log is
// complete on disk even if the program dies; failures are ignored so the log never stops the
// emulator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Where the log goes; one global so tests and the runner can point it elsewhere.
extern std::string LogPath;

// A host that keeps its own log (a libretro front-end) takes every piece of text instead of
// the file; while one is set no log file is opened or written. Null gives the file back.
using LogSink = void (*)(const char* text, size_t length);
void SetLogSink(LogSink sink);

// Empties the log file (writing any held lines); false when it cannot be created.
bool LogStart();
// Holds the lines in memory until the next LogStart, so that a run refused early leaves an
// existing log file as it was.
void LogHold();
void LogText(const char* text, size_t length);
void LogNumberLine(int32_t value);

// Boards that log every write to their unknown registers would fill a disk in a long run, so
// those lines stop after kBoardLogLines a run (counted from LogStart), with one line saying so.
constexpr int kBoardLogLines = 1000;
// One board-write line: the value and a line break, while the bound allows.
void LogBoardNumberLine(int32_t value);
// A marker written before a board's logged write, dropped with the lines it goes with.
void LogBoardMarker(const char* text, size_t length);

// Convenience for literals: the whole string, line break included if it has one.
template <size_t N>
inline void LogText(const char (&text)[N]) {
  LogText(text, N - 1);
}

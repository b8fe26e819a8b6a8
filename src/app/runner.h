// halvoren-run: loads a cartridge, runs frames as fast as it can with no devices, reports on
// one key=value summary line. Options are rows of one table, so adding one is one row.
#pragma once

#include <cstdint>
#include <string>

struct RunnerOptions {
  std::string RomPath;
  int Frames = 60;
  int Core = -1;  // -1 the configured default, 0 alternate, 1 main
  std::string PngPath;
  int PngFrame = 0;  // 1-based; 0 means the last frame
  bool Hash = false;
  bool Bench = false;
  bool SkipRender = false;
  std::string TracePath;
  int StartPc = -1;  // -1: the reset vector
  std::string LogPath;
  std::string WavPath;
  std::string KeysPath;  // scripted keyboard records
};

// Fills `options` from the command line. On a bad command line returns false with a message
// in `error`; `helpWanted` is set for --help.
bool ParseRunnerOptions(int argc, char** argv, RunnerOptions& options, std::string& error,
                        bool& helpWanted);

void PrintRunnerUsage();

// Exit statuses: 0 a normal run, 1 a file that cannot be read or written, 2 a bad option,
// 3 the CPU halted on a bad opcode (after the summary line).
constexpr int kRunnerHalted = 3;

// Runs as the options say; returns the process exit status.
int RunRunner(const RunnerOptions& options);

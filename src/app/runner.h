// halvoren-run: loads a cartridge, runs frames as fast as it can with no devices, reports on
// one key=value summary line. Options are rows of one table, so adding one is one row.
#pragma once

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

struct Machine;

struct RunnerOptions {
  std::string RomPath;
  int Frames = 60;
  int Core = -1;  // -1 the configured default, 0 alternate, 1 main, 2 exact
  std::string PngPath;
  int PngFrame = 0;  // 1-based; 0 means the last frame
  bool Hash = false;
  bool Bench = false;
  bool SkipRender = false;
  bool IdleSkip = true;  // --no-idle-skip interprets every pass of idle and counting loops
  std::string TracePath;
  int StartPc = -1;  // -1: the reset vector
  std::string LogPath;
  std::string WavPath;
  std::string KeysPath;    // scripted keyboard records
  std::string ConfigPath;  // the configuration to read; empty: the built-in key map
  // State files (runner_state.cpp).
  std::string SaveStatePath;
  int StateFrame = 0;  // 1-based; 0 means after the last frame
  std::string LoadStatePath;
  std::string RecordPath;
  std::string PlayPath;
  struct Hold {
    int First, Last;  // 1-based frames, both included
    uint8_t Buttons;  // PadBits of player 1
  };
  std::vector<Hold> Holds;
};

// Fills `options` from the command line. On a bad command line returns false with a message
// in `error`; `helpWanted` is set for --help.
bool ParseRunnerOptions(int argc, char** argv, RunnerOptions& options, std::string& error,
                        bool& helpWanted);

// One usage line, to standard error, after a bad option.
void PrintRunnerUsage();
// --help: every option with a line each and the exit statuses, to standard output.
void PrintRunnerHelp();

// --hold K-L:BUTTONS, e.g. 60-65:start or 100-400:right+a; an error text, empty when good.
std::string ParseHold(const std::string& text, RunnerOptions::Hold& hold);
// The state options' checks across options; an error text, empty when good.
std::string CheckStateOptions(const RunnerOptions& options);

// No output is the cartridge or another input, a folder, a device where a plain file is wanted,
// or in a missing folder; false after printing which file and why, before anything has run.
bool CheckOutputs(const RunnerOptions& options);
// The configuration (or the built-in one) and the key maps, as the desktop program sets them
// up, so --keys drives the players' buttons; false after printing why the file was not read.
bool SetUpRunnerConfiguration(const RunnerOptions& options);

// The state files around the frames. Each returns false after printing why a file could not
// be read or written. Start: --load-state, --play, --record, before the first frame.
bool StartRunnerStateFiles(Machine& m, const RunnerOptions& options);
// Before frame `frame` (1-based): the buttons --hold holds in it.
void BeforeRunnerFrame(const RunnerOptions& options, int frame);
// After frame `frame`: --save-state when it is the state frame.
bool AfterRunnerFrame(Machine& m, const RunnerOptions& options, int frame);
// After the run, `framesRun` frames: a --save-state still due, and the recording closed.
bool FinishRunnerStateFiles(Machine& m, const RunnerOptions& options, int framesRun);

// SIGINT, SIGTERM and SIGHUP end the run after the current frame, files closed and summary
// printed; StopSignal is then the signal's number.
extern volatile std::sig_atomic_t StopSignal;
void CatchStopSignals();

// Exit statuses: 0 a normal run, 1 a file that cannot be read or written, 2 a bad option,
// 3 the CPU halted on a bad opcode (after the summary line), 128 + N stopped by signal N.
constexpr int kRunnerHalted = 3;

// Runs as the options say; returns the process exit status.
int RunRunner(const RunnerOptions& options);

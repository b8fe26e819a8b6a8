// The runner's state options: save and load states, record and play back input, hold buttons.
#include <cctype>
#include <cstdio>

#include "app/runner.h"
#include "state/recording.h"
#include "state/state_files.h"

volatile std::sig_atomic_t StopSignal;

namespace {

struct ButtonName {
  const char* Name;
  uint8_t Bit;
};
constexpr ButtonName kButtons[] = {{"a", 0x01},  {"b", 0x02},    {"select", 0x04}, {"start", 0x08},
                                   {"up", 0x10}, {"down", 0x20}, {"left", 0x40},   {"right", 0x80}};

bool ParseFrame(const std::string& text, int& frame) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  frame = std::stoi(text);
  return frame >= 1;
}

bool ParseButton(std::string name, uint8_t& buttons) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& button : kButtons)
    if (name == button.Name) {
      buttons |= button.Bit;
      return true;
    }
  return false;
}

bool Fail(const std::string& what, const std::string& path, const std::string& why) {
  std::fprintf(stderr, "halvoren-run: %s %s: %s\n", what.c_str(), path.c_str(), why.c_str());
  return false;
}

void OnStopSignal(int signal) { StopSignal = signal; }

}  // namespace

std::string ParseHold(const std::string& text, RunnerOptions::Hold& hold) {
  const std::string usage =
      "--hold takes K-L:BUTTONS with frames from 1 to 999999999, e.g. 60-65:start or "
      "100-400:right+a";
  const size_t dash = text.find('-');
  const size_t colon = text.find(':');
  if (dash == std::string::npos || colon == std::string::npos || colon < dash) return usage;
  if (!ParseFrame(text.substr(0, dash), hold.First) ||
      !ParseFrame(text.substr(dash + 1, colon - dash - 1), hold.Last))
    return usage;
  if (hold.Last < hold.First) return "--hold " + text + ": the range ends before it starts";
  hold.Buttons = 0;
  size_t start = colon + 1;
  for (;;) {
    const size_t plus = text.find('+', start);
    const std::string name = text.substr(start, plus == std::string::npos ? plus : plus - start);
    if (!ParseButton(name, hold.Buttons))
      return "--hold " + text + ": unknown button '" + name +
             "' (a, b, select, start, up, down, left, right)";
    if (plus == std::string::npos) return "";
    start = plus + 1;
  }
}

std::string CheckStateOptions(const RunnerOptions& options) {
  if (options.StateFrame && options.SaveStatePath.empty())
    return "--state-frame needs --save-state FILE";
  if (options.StateFrame > options.Frames)
    return "--state-frame " + std::to_string(options.StateFrame) + " is past the last frame (" +
           std::to_string(options.Frames) + ")";
  if (!options.LoadStatePath.empty() && !options.PlayPath.empty())
    return "--load-state and --play both set the starting state; give one";
  return "";
}

bool StartRunnerStateFiles(Machine& m, const RunnerOptions& options) {
  if (!options.LoadStatePath.empty()) {
    const std::string error = LoadStateFile(m, options.LoadStatePath);
    if (!error.empty()) return Fail("cannot load the state", options.LoadStatePath, error);
  }
  if (!options.PlayPath.empty()) {
    const std::string error = StartPlaybackFile(m, options.PlayPath);
    if (!error.empty()) return Fail("cannot play", options.PlayPath, error);
  }
  if (!options.RecordPath.empty()) {
    const std::string error = StartRecordingFile(m, options.RecordPath);
    if (!error.empty()) return Fail("cannot record to", options.RecordPath, error);
  }
  return true;
}

void BeforeRunnerFrame(const RunnerOptions& options, int frame) {
  HeldPadBits[0] = 0;
  for (const auto& hold : options.Holds)
    if (frame >= hold.First && frame <= hold.Last) HeldPadBits[0] |= hold.Buttons;
}

bool AfterRunnerFrame(Machine& m, const RunnerOptions& options, int frame) {
  if (options.SaveStatePath.empty() || frame != options.StateFrame) return true;
  const std::string error = SaveStateFile(m, options.SaveStatePath);
  return error.empty() || Fail("cannot save the state to", options.SaveStatePath, error);
}

bool FinishRunnerStateFiles(Machine& m, const RunnerOptions& options, int framesRun) {
  bool good = true;
  if (!options.SaveStatePath.empty()) {
    // A run stopped by a signal before its frame leaves any old file as it was.
    const int frame = options.StateFrame ? options.StateFrame : options.Frames;
    if (options.StateFrame == 0 && framesRun == options.Frames) {
      const std::string error = SaveStateFile(m, options.SaveStatePath);
      if (!error.empty()) good = Fail("cannot save the state to", options.SaveStatePath, error);
    } else if (framesRun < frame) {
      good = Fail("no state saved to", options.SaveStatePath,
                  "the run ended before frame " + std::to_string(frame));
    }
  }
  if (!options.RecordPath.empty()) {
    const std::string error = StopRecording();
    if (!error.empty()) good = Fail("cannot write the recording", options.RecordPath, error);
  }
  HeldPadBits[0] = 0;
  return good;
}

void CatchStopSignals() {
  StopSignal = 0;
  std::signal(SIGINT, OnStopSignal);
  std::signal(SIGTERM, OnStopSignal);
  std::signal(SIGHUP, OnStopSignal);
}

#include "app/runner.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include "apu/expansion.h"
#include "apu/sound_buffers.h"
#include "cart/loader.h"
#include "core/globals.h"
#include "core/halt_reason.h"
#include "core/machine.h"
#include "core/settings.h"
#include "core/trace.h"
#include "files/files.h"
#include "headless/headless.h"
#include "headless/headless_audio.h"
#include "headless/key_script.h"
#include "log/log.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/png_file.h"
#include "ppu/screen.h"
#include "session/config.h"
#include "session/run_frame.h"
#include "session/sound_output.h"

namespace {

OutputFile TraceOutput;  // the trace's file, written as the instructions run

using Picture = std::vector<uint8_t>;  // 256 x 240 colour numbers

// The picture as the screen shows it: a skipped frame leaves the previous one there.
Picture ScreenPicture() {
  Picture picture(kPictureWidth * kPictureHeight);
  for (int y = 0; y < kPictureHeight; ++y)
    for (int x = 0; x < kPictureWidth; ++x)
      picture[y * kPictureWidth + x] = MainScreen.PixelAt(kPictureLeft + x, kPictureTop + y);
  return picture;
}

// Prepares the machine as the main loop does before its first frame.
void StartMachine(Machine& m, const RunnerOptions& options) {
  MainScreen.Fill(kScreenBlack);
  m.IrqAdjust = IrqAdjustSetting;
  m.ResetCpu();
  if (options.StartPc >= 0) m.PC = static_cast<uint16_t>(options.StartPc);
  m.RebuildPatternCache();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Prints why an output file failed; the run's status is then 1.
void OutputFailure(const std::string& what, const std::string& path, int error) {
  std::fprintf(stderr, "halvoren-run: cannot write %s %s: %s\n", what.c_str(), path.c_str(),
               std::strerror(error));
}

// The log, the WAV file and the trace, opened only once the cartridge has loaded and every
// output has been checked.
bool OpenOutputs(const Machine& m, const RunnerOptions& options) {
  if (!options.LogPath.empty()) LogPath = options.LogPath;
  if (!LogStart() && !options.LogPath.empty()) {
    OutputFailure("the log", LogPath, errno);
    return false;
  }
  // Sound runs as in the desktop program (the CPU can read the delta level back from $4011);
  // only --wav keeps what it plays.
  HeadlessWavPath = options.WavPath;
  if (SoundOn && !OpenSound()) {
    LogText("Fail to initialize Direct Sound\n");
    OutputFailure("the WAV file", HeadlessWavPath, HeadlessWavError);
    return false;
  }
  CreateExpansionChannels(m);
  if (!options.TracePath.empty()) {
    std::string error = TraceOutput.Open(options.TracePath, OutputTarget::WriteThrough);
    if (error.empty()) error = TraceOutput.Commit();
    if (!error.empty()) {
      std::fprintf(stderr, "halvoren-run: cannot write the trace %s: %s\n",
                   options.TracePath.c_str(), error.c_str());
      return false;
    }
    TraceFile = TraceOutput.Stream();
  }
  return true;
}

// Closes the trace and the WAV file; false (and said why) when what they hold is incomplete.
bool CloseOutputs(const RunnerOptions& options) {
  bool whole = true;
  if (TraceFile) {
    const std::string error = TraceOutput.Close();
    if (!error.empty()) {
      std::fprintf(stderr, "halvoren-run: cannot write the trace %s: %s\n",
                   options.TracePath.c_str(), error.c_str());
      whole = false;
    }
    TraceFile = nullptr;
  }
  CloseSound();
  if (HeadlessWavError && !HeadlessWavPath.empty()) {
    OutputFailure("the WAV file", HeadlessWavPath, HeadlessWavError);
    whole = false;
  }
  return whole;
}

int RunLoaded(const RunnerOptions& options) {
  auto machine = std::make_unique<Machine>();
  Machine& m = *machine;
  // The state and recording names come from this buffer, so a path it cannot hold is refused.
  if (!BuildCartridgePath(options.RomPath.c_str())) {
    std::fprintf(stderr, "halvoren-run: the cartridge path is longer than %zu characters\n",
                 kTextValueSize - 1);
    return 1;
  }
  const uint8_t code = m.LoadCartridge(options.RomPath.c_str());
  if (code != kLoadOk) {
    std::fprintf(stderr, "halvoren-run: %s: %s\n", options.RomPath.c_str(),
                 LoadFailureText(code).c_str());
    return 1;
  }
  if (ImageBytesMissing)
    std::fprintf(stderr,
                 "halvoren-run: %s: %u bytes shorter than its header declares, played as zeros\n",
                 options.RomPath.c_str(), ImageBytesMissing);
  if (!OpenOutputs(m, options)) {
    CloseOutputs(options);
    return 1;
  }
  StartMachine(m, options);
  if (!StartRunnerStateFiles(m, options)) {
    CloseOutputs(options);
    return 1;
  }
  CatchStopSignals();
  bool stateFilesGood = true;

  // The bench splits the run into passes and reports the median pass; the frames run are
  // the same with or without it.
  const int passes = options.Bench ? std::min(options.Frames, 5) : 1;
  std::vector<double> passRates;
  Picture pngPicture;
  const int pngFrame = options.PngFrame ? options.PngFrame : options.Frames;
  int framesRun = 0;
  for (int pass = 0; pass < passes && !CpuHalted && !StopSignal; ++pass) {
    const int passEnd = options.Frames * (pass + 1) / passes;
    const int passStart = framesRun;
    const auto start = std::chrono::steady_clock::now();
    while (framesRun < passEnd && !CpuHalted && !HeadlessHost.CloseRequested && !StopSignal) {
      HeadlessDeliverScriptedKeys(framesRun + 1);
      BeforeRunnerFrame(options, framesRun + 1);
      RunFrame(m, options.SkipRender ? 1 : 0);
      ++framesRun;
      if (!AfterRunnerFrame(m, options, framesRun)) stateFilesGood = false;
      if (framesRun == pngFrame && !options.PngPath.empty()) pngPicture = ScreenPicture();
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (seconds.count() > 0) passRates.push_back((framesRun - passStart) / seconds.count());
  }
  int status = CloseOutputs(options) ? 0 : 1;
  if (!FinishRunnerStateFiles(m, options, framesRun) || !stateFilesGood) status = 1;
  if (!options.PngPath.empty()) {
    if (pngPicture.empty()) pngPicture = ScreenPicture();  // the run stopped early
    std::string error;
    if (!WritePicturePng(options.PngPath, pngPicture.data(), kPictureWidth, kPictureHeight,
                         SystemPalette, error, OutputTarget::WriteThrough)) {
      std::fprintf(stderr, "halvoren-run: %s\n", error.c_str());
      status = 1;
    }
  }

  std::printf("mapper=%u prg=%u chr=%u frames=%d", MapperNumber, PrgBankCount, ChrBankCount,
              framesRun);
  if (options.Bench) std::printf(" fps=%.0f", passRates.empty() ? 0.0 : Median(passRates));
  if (options.Hash)
    std::printf(" hash=%016llx", static_cast<unsigned long long>(ShownPictureHash()));
  std::printf("\n");
  if (CpuHalted) {
    // The summary comes first so that scripts still read how far the run got.
    std::fflush(stdout);
    std::fprintf(stderr, "halvoren-run: %s (see %s)\n", HaltReason().c_str(), LogPath.c_str());
    return kRunnerHalted;
  }
  if (StopSignal) {
    std::fprintf(stderr, "halvoren-run: stopped by signal %d after %d frames\n",
                 static_cast<int>(StopSignal), framesRun);
    return 128 + StopSignal;
  }
  return status;
}

constexpr size_t kLargestKeyScript = 16u << 20;

// The key script is read whole before anything else happens: a refused run changes nothing.
int LoadRunnerKeys(const std::string& path) {
  if (path.empty()) return 0;
  std::vector<uint8_t> bytes;
  if (const std::string error = ReadWholeFile(path, bytes, kLargestKeyScript); !error.empty()) {
    std::fprintf(stderr, "halvoren-run: cannot read %s: %s\n", path.c_str(), error.c_str());
    return 1;
  }
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::vector<ScriptedKey> keys;
  std::string error;
  if (!ParseKeyScript(in, keys, error)) {
    std::fprintf(stderr, "halvoren-run: %s: %s\n", path.c_str(), error.c_str());
    return 2;
  }
  HeadlessSetKeyScript(std::move(keys));
  return 0;
}

}  // namespace

int RunRunner(const RunnerOptions& options) {
  ResetSession();
  // No output may replace a file the run reads, whatever name it is given under.
  ForgetRunInputs();
  NoteRunInput(options.RomPath, "the cartridge");
  NoteRunInput(options.KeysPath, "the key script");
  NoteRunInput(options.LoadStatePath, "the state loaded");
  NoteRunInput(options.PlayPath, "the recording played");
  NoteRunInput(options.ConfigPath, "the configuration file");
  if (!SetUpRunnerConfiguration(options) || !CheckOutputs(options)) return 1;
  if (const int status = LoadRunnerKeys(options.KeysPath)) return status;
  LogHold();
  if (options.Core >= 0) {
    UseMainCore = options.Core == 1;
    ExactMode = options.Core == 2;
  }
  IdleSkip = options.IdleSkip ? 1 : 0;
  BuildSystemPalette();
  return RunLoaded(options);
}

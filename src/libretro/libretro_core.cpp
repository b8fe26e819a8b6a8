// Halvoren as a libretro core: the front-end paces, shows, plays, saves and loads; each
// retro_run is one frame of emulation with the joypads' buttons.
#include <libretro.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "apu/expansion.h"
#include "apu/mixer.h"
#include "apu/sound_buffers.h"
#include "cart/loader.h"
#include "core/exact_state.h"
#include "core/globals.h"
#include "core/halt_reason.h"
#include "core/machine.h"
#include "core/settings.h"
#include "frame/emulate_frame.h"
#include "libretro/core_options.h"
#include "log/log.h"
#include "ppu/colour_table.h"
#include "ppu/palette.h"
#include "ppu/picture.h"
#include "ppu/screen.h"
#include "state/state_image.h"

namespace {

constexpr unsigned kWidth = kPictureWidth;
constexpr unsigned kHeight = kPictureHeight;
constexpr double kSampleRate = 22050.0;
constexpr size_t kWorkRamSize = 0x800;
constexpr size_t kCartridgeRamSize = 0x2000;
constexpr int kTurboFrames = 3;  // a turbo button is down 3 frames, up 3

retro_environment_t Environment;
retro_video_refresh_t VideoRefresh;
retro_audio_sample_t AudioSample;
retro_audio_sample_batch_t AudioBatch;
retro_input_poll_t InputPoll;
retro_input_state_t InputState;
retro_log_printf_t FrontLog;

std::unique_ptr<Machine> Console;
CoreOptions Options;
bool Xrgb = true;
uint32_t TurboCount;
std::vector<uint32_t> Video32;
std::vector<uint16_t> Video16;
std::vector<int16_t> Stereo;
std::string LogLine;
bool HaltReported;

// The log arrives in pieces; the front-end's log takes whole lines.
void LogToFrontEnd(const char* text, size_t length) {
  LogLine.append(text, length);
  size_t end;
  while ((end = LogLine.find('\n')) != std::string::npos) {
    if (FrontLog) FrontLog(RETRO_LOG_INFO, "[Halvoren] %s\n", LogLine.substr(0, end).c_str());
    LogLine.erase(0, end + 1);
  }
}

void ApplyLiveOptions() {
  UseMainCore = Options.MainCore;
  ExactMode = Options.Exact;
  if (Monochrome != Options.Grey) {
    Monochrome = Options.Grey;
    BuildSystemPalette();
  }
  if (Console) Console->IrqAdjust = IrqAdjustSetting = Options.IrqAdjust;
}

// The desktop program's start-up without its window, keys or files.
void StartEmulation() {
  ResetEmulation();
  Options = ReadCoreOptions(Environment);
  Vrc6Extension = Options.Vrc6Sound;
  NamcoExtension = Options.NamcoSound;
  Monochrome = Options.Grey;
  PalConsole = Options.Pal;
  IrqAdjustSetting = Options.IrqAdjust;
  UseMainCore = Options.MainCore;
  ExactMode = Options.Exact;
  ResetFrameGlobals();
  CycleAdjust = PalConsole ? -25 : 0;
  BuildSystemPalette();
  TurboCount = 0;
}

void StartMachine(Machine& m) {
  SetUpSoundOutput();
  CreateExpansionChannels(m);
  MainScreen.Fill(kScreenBlack);
  m.IrqAdjust = IrqAdjustSetting;
  m.ResetCpu();
  m.RebuildPatternCache();
}

uint8_t PadFor(unsigned port) {
  static constexpr struct {
    unsigned Button;
    uint8_t Bit;
  } kButtons[] = {
      {RETRO_DEVICE_ID_JOYPAD_A, 0x01},      {RETRO_DEVICE_ID_JOYPAD_B, 0x02},
      {RETRO_DEVICE_ID_JOYPAD_SELECT, 0x04}, {RETRO_DEVICE_ID_JOYPAD_START, 0x08},
      {RETRO_DEVICE_ID_JOYPAD_UP, 0x10},     {RETRO_DEVICE_ID_JOYPAD_DOWN, 0x20},
      {RETRO_DEVICE_ID_JOYPAD_LEFT, 0x40},   {RETRO_DEVICE_ID_JOYPAD_RIGHT, 0x80},
  };
  uint8_t bits = 0;
  for (const auto& button : kButtons)
    if (InputState(port, RETRO_DEVICE_JOYPAD, 0, button.Button)) bits |= button.Bit;
  const bool turboDown = (TurboCount / kTurboFrames) % 2 == 0;
  if (turboDown && InputState(port, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_X)) bits |= 0x01;
  if (turboDown && InputState(port, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_Y)) bits |= 0x02;
  // Opposite directions at once confuse many games and no real pad can press them.
  if ((bits & 0x30) == 0x30) bits &= ~0x30;
  if ((bits & 0xC0) == 0xC0) bits &= ~0xC0;
  return bits;
}

void SendVideo() {
  const int x0 = kPictureLeft, y0 = kPictureTop;
  if (Xrgb) {
    // The picture lies whole inside the screen, so the desktop's table conversion serves
    // (the front-end ignores the top byte it sets).
    static ColourTable table;
    table.Follow(SystemPalette);
    const int stride = MainScreen.Width;
    ConvertToColours(MainScreen.Pixels.data() + y0 * stride + x0, stride, kWidth, kHeight, table,
                     Video32.data(), kWidth * sizeof(uint32_t));
    VideoRefresh(Video32.data(), kWidth, kHeight, kWidth * sizeof(uint32_t));
    return;
  }
  for (unsigned y = 0; y < kHeight; ++y)
    for (unsigned x = 0; x < kWidth; ++x) {
      const PaletteEntry& c = SystemPalette[MainScreen.PixelAt(x0 + x, y0 + y)];
      Video16[y * kWidth + x] =
          static_cast<uint16_t>((c.Red >> 3) << 11 | (c.Green >> 2) << 5 | c.Blue >> 3);
    }
  VideoRefresh(Video16.data(), kWidth, kHeight, kWidth * sizeof(uint16_t));
}

void SendAudio() {
  MixedSound block;
  if (!TakeMixedSound(block) || block.Frames == 0) return;
  const int16_t* frames = block.Samples;
  if (!block.Stereo) {
    Stereo.resize(block.Frames * 2);
    for (size_t i = 0; i < block.Frames; ++i) Stereo[2 * i] = Stereo[2 * i + 1] = block.Samples[i];
    frames = Stereo.data();
  }
  size_t sent = 0;
  while (sent < block.Frames) {
    const size_t taken = AudioBatch(frames + 2 * sent, block.Frames - sent);
    if (taken == 0) break;  // a front-end that takes nothing would otherwise hold us forever
    sent += taken;
  }
}

bool LoadImage(const uint8_t* data, size_t size, const char* path) {
  auto m = std::make_unique<Machine>();
  uint8_t code = kLoadCannotOpen;
  if (data && size) {
    // The loader reads a stream; the front-end's copy is read through one without a file.
    if (std::FILE* stream = fmemopen(const_cast<uint8_t*>(data), size, "rb"))
      code = m->LoadCartridgeStream(stream);
  } else if (path) {
    code = m->LoadCartridge(path);
  }
  if (code != kLoadOk) {
    if (FrontLog)
      FrontLog(RETRO_LOG_ERROR, "[Halvoren] %s: %s\n", path ? path : "the game",
               LoadFailureText(code).c_str());
    return false;
  }
  Console = std::move(m);
  StartMachine(*Console);
  return true;
}

}  // namespace

RETRO_API unsigned retro_api_version() { return RETRO_API_VERSION; }

RETRO_API void retro_set_environment(retro_environment_t environment) {
  Environment = environment;
  bool noGame = false;
  environment(RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME, &noGame);
  retro_log_callback log{};
  FrontLog = environment(RETRO_ENVIRONMENT_GET_LOG_INTERFACE, &log) ? log.log : nullptr;
  DeclareCoreOptions(environment);
}

RETRO_API void retro_set_video_refresh(retro_video_refresh_t cb) { VideoRefresh = cb; }
RETRO_API void retro_set_audio_sample(retro_audio_sample_t cb) { AudioSample = cb; }
RETRO_API void retro_set_audio_sample_batch(retro_audio_sample_batch_t cb) { AudioBatch = cb; }
RETRO_API void retro_set_input_poll(retro_input_poll_t cb) { InputPoll = cb; }
RETRO_API void retro_set_input_state(retro_input_state_t cb) { InputState = cb; }

RETRO_API void retro_init() {
  SetLogSink(LogToFrontEnd);
  LogLine.clear();
  Video32.assign(kWidth * kHeight, 0);
  Video16.assign(kWidth * kHeight, 0);
}

RETRO_API void retro_deinit() {
  Console.reset();
  ReleaseSoundOutput();
  SetLogSink(nullptr);
  Video32.clear();
  Video16.clear();
}

RETRO_API void retro_get_system_info(retro_system_info* info) {
  std::memset(info, 0, sizeof *info);
  info->library_name = "Halvoren";
  info->library_version = "1.0";
  info->valid_extensions = "nes";
  info->need_fullpath = false;
  info->block_extract = false;
}

RETRO_API void retro_get_system_av_info(retro_system_av_info* info) {
  std::memset(info, 0, sizeof *info);
  info->geometry.base_width = info->geometry.max_width = kWidth;
  info->geometry.base_height = info->geometry.max_height = kHeight;
  info->geometry.aspect_ratio = 4.0f / 3.0f;  // as a television showed the picture
  info->timing.fps = PalConsole ? 50.007 : 60.0988;
  info->timing.sample_rate = kSampleRate;
}

RETRO_API void retro_set_controller_port_device(unsigned, unsigned) {}

RETRO_API void retro_reset() {
  if (!Console) return;
  Console->ResetCpu();
}

RETRO_API void retro_run() {
  if (Environment && CoreOptionsChanged(Environment)) {
    Options = ReadCoreOptions(Environment);
    ApplyLiveOptions();
  }
  InputPoll();
  if (Console && !CpuHalted) {
    Machine& m = *Console;
    PrepareFrame(m, true);
    m.PadBits[0] = PadFor(0);
    m.PadBits[1] = PadFor(1);
    EmulateFrame(m, true);
    ++TurboCount;
    SendAudio();
  } else if (Console && !HaltReported) {
    // The picture stays as the halt left it; the player learns why from the front-end's log.
    HaltReported = true;
    if (FrontLog) FrontLog(RETRO_LOG_ERROR, "[Halvoren] %s\n", HaltReason().c_str());
  }
  SendVideo();
}

// The front-end's rewind and run-ahead load a state every frame or so, and a loaded state must
// run on exactly as the uninterrupted run. The state image holds neither the exact mode's
// counters and latches (a load starts them afresh) nor the cycles the CPU carries into its next
// line, so they follow the image here: without them the frame interrupt's sequence would
// restart on every load, and a run-ahead frame could go another way. Older states (the image
// alone, or without the carried cycles) still load, with what they lack left as it is.
template <typename Copy>
void ExactExtras(Machine& m, Copy copy) {
  ApuCounters& apu = m.ExactApu;
  copy(apu.Lengths, sizeof apu.Lengths);
  copy(&apu.SequencerMode, 1);
  copy(&apu.SequencerStep, 1);
  copy(&apu.SequencerTime, sizeof apu.SequencerTime);
  copy(&apu.DmcBytesLeft, sizeof apu.DmcBytesLeft);
  copy(&apu.DmcFetchTime, sizeof apu.DmcFetchTime);
  copy(&m.ExactPpu.ReadBuffer, 1);
  copy(&m.ExactPpu.DataLatch, 1);
  copy(&m.CycleThirds, 1);
  copy(&m.NmiPending, 1);
  copy(&m.IrqLine, 1);
}
constexpr size_t kExtrasSize = 4 + 1 + 1 + 4 + 2 + 4 + 5;
constexpr size_t kCarrySize = sizeof(Machine::CycleCarry);
constexpr size_t kSerializedSize = kStateImageSize + kExtrasSize + kCarrySize;

RETRO_API size_t retro_serialize_size() { return kSerializedSize; }

RETRO_API bool retro_serialize(void* data, size_t size) {
  if (!Console || size < kSerializedSize) return false;
  uint8_t* at = static_cast<uint8_t*>(data);
  WriteStateImage(*Console, at);
  at += kStateImageSize;
  ExactExtras(*Console, [&at](void* field, size_t n) {
    std::memcpy(at, field, n);
    at += n;
  });
  std::memcpy(at, &Console->CycleCarry, kCarrySize);
  return true;
}

RETRO_API bool retro_unserialize(const void* data, size_t size) {
  if (!Console) return false;
  const auto* at = static_cast<const uint8_t*>(data);
  const bool carry = size == kSerializedSize;
  const bool extras = carry || size == kStateImageSize + kExtrasSize;
  const char* problem = extras || size == kStateImageSize
                            ? LoadStateImage(*Console, at, kStateImageSize)
                            : "cut short";
  if (problem && FrontLog) FrontLog(RETRO_LOG_WARN, "[Halvoren] state refused: %s\n", problem);
  if (problem) return false;
  at += kStateImageSize;
  if (extras)
    ExactExtras(*Console, [&at](void* field, size_t n) {
      std::memcpy(field, at, n);
      at += n;
    });
  if (carry) std::memcpy(&Console->CycleCarry, at, kCarrySize);
  return true;
}

RETRO_API void retro_cheat_reset() {}
RETRO_API void retro_cheat_set(unsigned, bool, const char*) {}

RETRO_API bool retro_load_game(const retro_game_info* game) {
  if (!game || !Environment) return false;
  HaltReported = false;
  retro_pixel_format format = RETRO_PIXEL_FORMAT_XRGB8888;
  Xrgb = Environment(RETRO_ENVIRONMENT_SET_PIXEL_FORMAT, &format);
  if (!Xrgb) {
    format = RETRO_PIXEL_FORMAT_RGB565;
    if (!Environment(RETRO_ENVIRONMENT_SET_PIXEL_FORMAT, &format)) return false;
  }
  Console.reset();
  ReleaseSoundOutput();
  StartEmulation();
  LogStart();
  return LoadImage(static_cast<const uint8_t*>(game->data), game->size, game->path);
}

RETRO_API bool retro_load_game_special(unsigned, const retro_game_info*, size_t) { return false; }

RETRO_API void retro_unload_game() {
  Console.reset();
  ReleaseSoundOutput();
}

RETRO_API unsigned retro_get_region() { return PalConsole ? RETRO_REGION_PAL : RETRO_REGION_NTSC; }

RETRO_API void* retro_get_memory_data(unsigned id) {
  if (!Console) return nullptr;
  if (id == RETRO_MEMORY_SAVE_RAM) return SramEnable ? Console->CpuMemory + 0x6000 : nullptr;
  if (id == RETRO_MEMORY_SYSTEM_RAM) return Console->CpuMemory;
  return nullptr;
}

RETRO_API size_t retro_get_memory_size(unsigned id) {
  if (!Console) return 0;
  if (id == RETRO_MEMORY_SAVE_RAM) return SramEnable ? kCartridgeRamSize : 0;
  if (id == RETRO_MEMORY_SYSTEM_RAM) return kWorkRamSize;
  return 0;
}

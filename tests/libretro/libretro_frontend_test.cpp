// A small libretro front-end: loads the built core with dlopen and calls it in the order a
// front-end does, then compares what it shows and plays with the headless runner's output.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <libretro.h>
#include <png.h>

#include <cstdarg>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "support/run_command.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

struct Received {
  std::vector<uint32_t> Picture;  // the last frame, XRGB
  std::vector<int16_t> Sound;     // every stereo frame played
  bool RefuseXrgb = false;
  unsigned Format = 99;
  std::string Log;
  uint16_t Buttons[2] = {};  // joypad bits by RETRO_DEVICE_ID_JOYPAD_*
  const char* CpuCore = nullptr;
} Front;

// The core stays loaded for the whole test program, as a front-end keeps it.
void* Library() {
  static void* library = dlopen(HALVOREN_LIBRETRO_CORE, RTLD_NOW | RTLD_LOCAL);
  return library;
}
#define CORE(name) reinterpret_cast<decltype(&::name)>(dlsym(Library(), #name))

void Log(retro_log_level, const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  Front.Log += line;
}

bool Environment(unsigned command, void* data) {
  if (command == RETRO_ENVIRONMENT_SET_PIXEL_FORMAT) {
    const auto format = *static_cast<retro_pixel_format*>(data);
    if (format == RETRO_PIXEL_FORMAT_XRGB8888 && Front.RefuseXrgb) return false;
    Front.Format = format;
  } else if (command == RETRO_ENVIRONMENT_GET_LOG_INTERFACE) {
    static_cast<retro_log_callback*>(data)->log = Log;
  } else if (command == RETRO_ENVIRONMENT_GET_CORE_OPTIONS_VERSION) {
    *static_cast<unsigned*>(data) = 1;
  } else if (command == RETRO_ENVIRONMENT_GET_VARIABLE) {
    auto* variable = static_cast<retro_variable*>(data);
    const bool ours = std::strcmp(variable->key, "halvoren_cpu_core") == 0 && Front.CpuCore;
    variable->value = ours ? Front.CpuCore : nullptr;
    return ours;
  } else {
    return command == RETRO_ENVIRONMENT_SET_CORE_OPTIONS ||
           command == RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME;
  }
  return true;
}

void Video(const void* data, unsigned width, unsigned height, size_t pitch) {
  if (Front.Format != RETRO_PIXEL_FORMAT_XRGB8888) return;
  Front.Picture.resize(width * height);
  for (unsigned y = 0; y < height; ++y)
    std::memcpy(&Front.Picture[y * width], static_cast<const uint8_t*>(data) + y * pitch,
                width * 4);
  for (uint32_t& pixel : Front.Picture) pixel &= 0xFFFFFF;  // a front-end ignores the X byte
}

size_t AudioBatch(const int16_t* data, size_t frames) {
  Front.Sound.insert(Front.Sound.end(), data, data + frames * 2);
  return frames;
}

int16_t Input(unsigned port, unsigned device, unsigned, unsigned id) {
  return device == RETRO_DEVICE_JOYPAD && port < 2 ? (Front.Buttons[port] >> id) & 1 : 0;
}

std::string Rom(const std::string& name) { return std::string(HALVOREN_TEST_ROM_DIR) + "/" + name; }
Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Starts the core as a front-end does and loads `image` (from memory) or, with none, `path`.
bool Start(const Bytes& image, const std::string& path = "") {
  CORE(retro_set_environment)(Environment), CORE(retro_init)();
  CORE(retro_set_video_refresh)(Video), CORE(retro_set_audio_sample_batch)(AudioBatch);
  CORE(retro_set_input_poll)([] {}), CORE(retro_set_input_state)(Input);
  Front.Sound.clear();
  retro_game_info game{path.empty() ? nullptr : path.c_str(),
                       image.empty() ? nullptr : image.data(), image.size(), nullptr};
  return CORE(retro_load_game)(&game);
}

void Stop() { CORE(retro_unload_game)(), CORE(retro_deinit)(); }
void RunFrames(int frames) {
  for (int i = 0; i < frames; ++i) CORE(retro_run)();
}

Bytes State() {
  Bytes state(CORE(retro_serialize_size)());
  EXPECT_TRUE(CORE(retro_serialize)(state.data(), state.size()));
  return state;
}
bool Load(const Bytes& state, size_t size) { return CORE(retro_unserialize)(state.data(), size); }
// The cartridge RAM or the console RAM the core shows the front-end, and its size.
std::pair<void*, size_t> Memory(unsigned id) {
  return {CORE(retro_get_memory_data)(id), CORE(retro_get_memory_size)(id)};
}

class LibretroCore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Library(), nullptr) << dlerror();
    folder = fs::temp_directory_path() / ("halvoren_libretro_" + std::to_string(getpid()));
    fs::create_directories(folder / "cwd");
    // The core must write nothing in its working folder.
    previous = fs::current_path(), fs::current_path(folder / "cwd");
    Front = Received{};
  }
  void TearDown() override {
    EXPECT_TRUE(fs::is_empty(folder / "cwd")) << "the core wrote a file of its own";
    fs::current_path(previous), fs::remove_all(folder);
  }
  // The runner's picture (as XRGB, through its PNG) and its mono sound, on both sides, after
  // the same frames.
  void RunnerOutput(const std::string& rom, int frames, const char* core, Received& runner) const {
    const fs::path png = folder / "runner.png", wav = folder / "runner.wav";
    const CommandResult run = RunRunner(rom + " --frames " + std::to_string(frames) + " --png " +
                                        png.string() + " --wav " + wav.string() + " --log " +
                                        (folder / "log").string() + " --core " + core);
    ASSERT_EQ(run.status, 0) << run.output;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, png.c_str()));
    image.format = PNG_FORMAT_BGRA;
    runner.Picture.resize(image.width * image.height);
    png_image_finish_read(&image, nullptr, runner.Picture.data(), 0, nullptr);
    for (uint32_t& pixel : runner.Picture) pixel &= 0x00FFFFFF;
    const Bytes bytes = ReadBytes(wav.string());
    const size_t data = std::string(bytes.begin(), bytes.end()).find("data") + 8;
    for (size_t at = data; at + 1 < bytes.size(); at += 2)
      runner.Sound.insert(runner.Sound.end(), 2,
                          static_cast<int16_t>(bytes[at] | bytes[at + 1] << 8));
  }
  fs::path folder, previous;
};

TEST_F(LibretroCore, ShowsAndPlaysWhatTheRunnerDoes) {
  // The cartridge, the core's CPU option (null: its default), the runner's core, the frames.
  const std::tuple<const char*, const char*, const char*, int> kRuns[] = {
      {"demo.nes", nullptr, "alt", 240},
      {"demo.nes", "main", "main", 120},
      {"mmc3_split.nes", nullptr, "alt", 90},
      {"exact_cpu.nes", "exact", "exact", 30},  // the described mode halts on its LAX
  };
  for (const auto& [rom, cpuCore, runnerCore, frames] : kRuns) {
    SCOPED_TRACE(std::string(rom) + " " + runnerCore);
    Front.CpuCore = cpuCore;
    ASSERT_TRUE(Start(ReadBytes(Rom(rom))));
    RunFrames(frames), Stop();
    Received runner;
    RunnerOutput(Rom(rom), frames, runnerCore, runner);
    EXPECT_FALSE(runner.Sound.empty());
    EXPECT_EQ(std::tie(Front.Picture, Front.Sound), std::tie(runner.Picture, runner.Sound));
  }
}

TEST_F(LibretroCore, DescribesItselfAndSaysWhyItStops) {
  // Loaded from a path, with a front-end that has no XRGB: RGB565 instead.
  Front.RefuseXrgb = true;
  ASSERT_TRUE(Start({}, Rom("ppu_sprites.nes")));
  EXPECT_EQ(Front.Format, RETRO_PIXEL_FORMAT_RGB565);
  retro_system_av_info av{};
  CORE(retro_get_system_av_info)(&av);
  EXPECT_EQ(std::tuple(av.geometry.base_width, av.geometry.base_height, av.timing.sample_rate),
            std::tuple(256u, 240u, 22050.0));
  RunFrames(2), Stop();
  // A program that halts the CPU keeps its picture and says why in the front-end's log, once.
  ASSERT_TRUE(Start({}, Rom("bad_opcode.nes")));
  RunFrames(30);
  const size_t said = Front.Log.find("bad opcode");
  ASSERT_NE(said, std::string::npos);
  EXPECT_EQ(Front.Log.find("bad opcode", said + 1), std::string::npos);
  Stop();
  // A file that is no cartridge is refused, and said why.
  Front = Received{};
  EXPECT_FALSE(Start(Bytes(4096, 0x55)));
  EXPECT_NE(Front.Log.find("Halvoren"), std::string::npos);
  Stop();
}

TEST_F(LibretroCore, StatesRoundTripAndBadOnesChangeNothing) {
  const Bytes other = ReadBytes(Rom("ppu_sprites.nes"));
  ASSERT_TRUE(Start(other));
  RunFrames(10);
  const Bytes foreign = State();
  Stop();

  // 30 frames with Right and A held from frame 20. A state's size: the image, the exact mode's
  // extras, the CPU's carried cycles.
  ASSERT_TRUE(Start(ReadBytes(Rom("state_walk.nes"))));
  EXPECT_EQ(CORE(retro_serialize_size)(), 83482u + 21 + 2);
  RunFrames(20);
  Front.Buttons[0] = 1 << RETRO_DEVICE_ID_JOYPAD_RIGHT | 1 << RETRO_DEVICE_ID_JOYPAD_A;
  RunFrames(10);
  const Bytes now = State();
  // Another cartridge's state and a cut state: refused, nothing changed (what the image
  // itself refuses is the state image tests' business).
  for (const auto& [bad, size] : {std::pair{&foreign, foreign.size()}, {&now, now.size() - 1}}) {
    EXPECT_FALSE(Load(*bad, size));
    EXPECT_EQ(State(), now);
  }
  // The carried cycles (the last two bytes) come back from a state as they went in.
  Bytes carried = now;
  carried.end()[-2] = 0xFB;
  ASSERT_TRUE(Load(carried, carried.size()));
  EXPECT_EQ(State(), carried);

  // The battery bit gives the front-end the cartridge RAM, which the A button counts up.
  const auto [ram, ramSize] = Memory(RETRO_MEMORY_SAVE_RAM);
  const auto [system, systemSize] = Memory(RETRO_MEMORY_SYSTEM_RAM);
  ASSERT_EQ(std::tuple(ram && system, ramSize, systemSize), std::tuple(true, 0x2000u, 0x800u));
  EXPECT_NE(static_cast<uint8_t*>(ram)[0], 0);
  Stop();
  // Without the battery bit there is none; and a load after another cartridge starts as clean
  // as the first.
  Front.Buttons[0] = 0;
  ASSERT_TRUE(Start(other));
  EXPECT_EQ(Memory(RETRO_MEMORY_SAVE_RAM), (std::pair<void*, size_t>(nullptr, 0)));
  RunFrames(10);
  EXPECT_EQ(State(), foreign);
  Stop();

  // The exact mode's frame interrupt and the CPU's carried cycles keep their pace through a
  // load (the front-end's rewind), and older states (the image alone, without the carried
  // cycles) still load.
  Front.CpuCore = "exact";
  ASSERT_TRUE(Start(ReadBytes(Rom("exact_apu.nes"))));
  RunFrames(3);
  const Bytes early = State();
  RunFrames(5);
  const Bytes later = State();
  ASSERT_TRUE(Load(early, early.size()));
  RunFrames(5);
  EXPECT_EQ(State(), later);
  EXPECT_TRUE(Load(early, 83482) && Load(early, 83482 + 21));
  Stop();
}

}  // namespace

#include "libretro/core_options.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kCpuKey = "halvoren_cpu_core";
constexpr const char* kIrqKey = "halvoren_irq_adjust";
constexpr const char* kVrc6Key = "halvoren_vrc6_sound";
constexpr const char* kNamcoKey = "halvoren_namco_sound";
constexpr const char* kColourKey = "halvoren_palette";
constexpr const char* kConsoleKey = "halvoren_console";

#define IRQ_VALUES                                                                                \
  {"0", nullptr}, {"1", nullptr}, {"2", nullptr}, {"3", nullptr}, {"4", nullptr}, {"5", nullptr}, \
      {"6", nullptr}, {"7", nullptr}, {"8", nullptr}, {"-8", nullptr}, {"-7", nullptr},           \
      {"-6", nullptr}, {"-5", nullptr}, {"-4", nullptr}, {"-3", nullptr}, {"-2", nullptr},        \
      {"-1", nullptr}, {                                                                          \
    nullptr, nullptr                                                                              \
  }

const retro_core_option_definition kDefinitions[] = {
    {kCpuKey,
     "CPU interpreter",
     "The alternate interpreter is the one the desktop program starts with; exact runs the "
     "console as the hardware does.",
     {{"alternate", "Alternate"}, {"main", "Main"}, {"exact", "Exact"}, {nullptr, nullptr}},
     "alternate"},
    {kIrqKey,
     "Scanline IRQ timing adjustment",
     "Cycles added to the cartridge counters per scanline, for games whose split bar shakes.",
     {IRQ_VALUES},
     "0"},
    {kVrc6Key,
     "VRC6 expansion sound",
     "Takes effect when a game is loaded.",
     {{"enabled", nullptr}, {"disabled", nullptr}, {nullptr, nullptr}},
     "enabled"},
    {kNamcoKey,
     "Namco 106 expansion sound",
     "Takes effect when a game is loaded.",
     {{"enabled", nullptr}, {"disabled", nullptr}, {nullptr, nullptr}},
     "enabled"},
    {kColourKey,
     "Palette",
     "Colour, or the greys of a black-and-white set.",
     {{"colour", "Colour"}, {"grey", "Grey"}, {nullptr, nullptr}},
     "colour"},
    {kConsoleKey,
     "Console",
     "NTSC (60 Hz) or PAL (50 Hz) timing; takes effect when a game is loaded.",
     {{"ntsc", "NTSC"}, {"pal", "PAL"}, {nullptr, nullptr}},
     "ntsc"},
    {nullptr, nullptr, nullptr, {{nullptr, nullptr}}, nullptr},
};

const retro_variable kVariables[] = {
    {kCpuKey, "CPU interpreter; alternate|main|exact"},
    {kIrqKey, "Scanline IRQ timing adjustment; 0|1|2|3|4|5|6|7|8|-8|-7|-6|-5|-4|-3|-2|-1"},
    {kVrc6Key, "VRC6 expansion sound; enabled|disabled"},
    {kNamcoKey, "Namco 106 expansion sound; enabled|disabled"},
    {kColourKey, "Palette; colour|grey"},
    {kConsoleKey, "Console; ntsc|pal"},
    {nullptr, nullptr},
};

const char* Value(retro_environment_t environment, const char* key) {
  retro_variable variable{key, nullptr};
  if (!environment(RETRO_ENVIRONMENT_GET_VARIABLE, &variable)) return nullptr;
  return variable.value;
}

bool Is(const char* value, const char* expected) {
  return value && std::strcmp(value, expected) == 0;
}

}  // namespace

void DeclareCoreOptions(retro_environment_t environment) {
  unsigned version = 0;
  if (environment(RETRO_ENVIRONMENT_GET_CORE_OPTIONS_VERSION, &version) && version >= 1 &&
      environment(RETRO_ENVIRONMENT_SET_CORE_OPTIONS,
                  const_cast<retro_core_option_definition*>(kDefinitions)))
    return;
  environment(RETRO_ENVIRONMENT_SET_VARIABLES, const_cast<retro_variable*>(kVariables));
}

CoreOptions ReadCoreOptions(retro_environment_t environment) {
  CoreOptions options;
  if (const char* cpu = Value(environment, kCpuKey)) {
    options.MainCore = Is(cpu, "main");
    options.Exact = Is(cpu, "exact");
  }
  if (const char* irq = Value(environment, kIrqKey)) {
    const long value = std::strtol(irq, nullptr, 10);
    if (value >= -8 && value <= 8) options.IrqAdjust = static_cast<int16_t>(value);
  }
  if (const char* vrc6 = Value(environment, kVrc6Key)) options.Vrc6Sound = !Is(vrc6, "disabled");
  if (const char* namco = Value(environment, kNamcoKey))
    options.NamcoSound = !Is(namco, "disabled");
  options.Grey = Is(Value(environment, kColourKey), "grey");
  options.Pal = Is(Value(environment, kConsoleKey), "pal");
  return options;
}

bool CoreOptionsChanged(retro_environment_t environment) {
  bool changed = false;
  return environment(RETRO_ENVIRONMENT_GET_VARIABLE_UPDATE, &changed) && changed;
}

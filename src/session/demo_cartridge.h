// The built-in demo cartridge (demo/demo.s), started when no cartridge is named.
#pragma once

#include <cstddef>
#include <cstdint>

struct Machine;

extern const uint8_t DemoCartridge[];
extern const size_t DemoCartridgeSize;

// The loader's result code, as for a cartridge file.
uint8_t LoadDemoCartridge(Machine& m);

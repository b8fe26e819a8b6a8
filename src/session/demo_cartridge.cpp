#include "session/demo_cartridge.h"

#include <cstdio>

#include "cart/loader.h"
#include "core/machine.h"

uint8_t LoadDemoCartridge(Machine& m) {
  // The loader reads a stream; the image in memory becomes one without touching the disk.
  std::FILE* file = fmemopen(const_cast<uint8_t*>(DemoCartridge), DemoCartridgeSize, "rb");
  if (!file) return kLoadCannotOpen;
  return m.LoadCartridgeStream(file);
}

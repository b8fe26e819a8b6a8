// A host with no devices: time from the monotonic clock, the screen and sound discarded unless
// a consumer is attached, no keys, message boxes on standard error.
#include <chrono>
#include <cstdio>
#include <thread>

#include "host/platform.h"

uint32_t PlatformTimeMs() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void PlatformSleepMs(uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void PlatformShowScreen(const uint8_t*, int, int, const PaletteEntry*) {}

int PlatformReadKeyEvents(KeyEvent*, int) { return 0; }

bool PlatformPollEvents() { return true; }

void PlatformMessageBox(const char* text, const char* caption) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
}

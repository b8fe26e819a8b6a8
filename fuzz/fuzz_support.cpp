#include "fuzz/fuzz_support.h"

#include <sanitizer/asan_interface.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <new>

#include "core/machine_guards.h"
#include "log/log.h"

namespace fs = std::filesystem;

std::FILE* MemoryFile(const uint8_t* data, size_t size) {
  if (size == 0) return nullptr;
  return fmemopen(const_cast<uint8_t*>(data), size, "rb");
}

void EnterScratchFolder(const char* name) {
  const fs::path folder = fs::temp_directory_path() /
                          (std::string("halvoren-fuzz-") + name + "-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::current_path(folder);
  if (!std::freopen("/dev/null", "r", stdin)) std::abort();
  LogPath = (folder / "halvoren.tst").string();
  // Removed when the fuzzer ends normally; a crash leaves it to look at.
  static const fs::path kept = folder;
  std::atexit([] {
    std::error_code ignored;
    fs::remove_all(kept, ignored);
  });
}

void ClearScratchFolder(const std::vector<std::string>& keep) {
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(fs::current_path(), ignored)) {
    const std::string name = entry.path().filename().string();
    bool kept = false;
    for (const std::string& k : keep) kept = kept || k == name;
    if (!kept) fs::remove_all(entry.path(), ignored);
  }
}

void WriteScratchFile(const std::string& name, const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) std::abort();
  if (size) std::fwrite(data, 1, size, file);
  std::fclose(file);
}

std::vector<uint8_t> SmallCartridge(uint8_t mapper) {
  std::vector<uint8_t> image = {'N',
                                'E',
                                'S',
                                0x1A,
                                1,
                                1,
                                static_cast<uint8_t>(mapper << 4),
                                static_cast<uint8_t>(mapper & 0xF0),
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0};
  image.resize(16 + 0x4000 + 0x2000, 0);
  uint8_t* prg = image.data() + 16;
  // $C000: JMP $C000; every vector points at it.
  prg[0] = 0x4C, prg[1] = 0x00, prg[2] = 0xC0;
  for (int v = 0x3FFA; v < 0x4000; v += 2) prg[v] = 0x00, prg[v + 1] = 0xC0;
  return image;
}

Machine& FreshMachine() {
  alignas(Machine) static uint8_t storage[sizeof(Machine)];
  static Machine* current = nullptr;
  if (current) {
    current->~Machine();
    ASAN_UNPOISON_MEMORY_REGION(storage, sizeof storage);  // the old guards
  }
  current = new (storage) Machine();
  return *current;
}

namespace {
// Calls `span` for every stretch of the machine between guards.
template <class Span>
void ForEachSpan(Span span) {
  size_t start = 0;
#ifdef HALVOREN_MACHINE_GUARDS
  for (size_t i = 0; i < kMachineGuardCount; ++i) {
    span(start, kMachineGuardOffsets[i] - start);
    start = kMachineGuardOffsets[i] + kMachineGuardBytes;
  }
#endif
  span(start, sizeof(Machine) - start);
}
}  // namespace

void CopyMachine(Machine& to, const Machine& from) {
  auto* dest = reinterpret_cast<uint8_t*>(&to);
  const auto* source = reinterpret_cast<const uint8_t*>(&from);
  ForEachSpan([&](size_t at, size_t size) { std::memcpy(dest + at, source + at, size); });
}

bool SameMachine(const Machine& a, const Machine& b) {
  const auto* left = reinterpret_cast<const uint8_t*>(&a);
  const auto* right = reinterpret_cast<const uint8_t*>(&b);
  bool same = true;
  ForEachSpan([&](size_t at, size_t size) {
    same = same && std::memcmp(left + at, right + at, size) == 0;
  });
  return same;
}

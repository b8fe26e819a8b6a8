#include "log/log.h"

#include <cstdio>
#include <utility>

std::string LogPath = "halvoren.tst";

namespace {
bool Holding;
std::string Held;
}  // namespace

bool LogStart() {
  Holding = false;
  const std::string held = std::move(Held);
  Held.clear();
  FILE* f = std::fopen(LogPath.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(held.data(), 1, held.size(), f) == held.size();
  return std::fclose(f) == 0 && written;
}

void LogHold() {
  Holding = true;
  Held.clear();
}

void LogText(const char* text, size_t length) {
  if (Holding) {
    Held.append(text, length);
    return;
  }
  FILE* f = std::fopen(LogPath.c_str(), "ab");
  if (!f) return;
  if (length) std::fwrite(text, 1, length, f);
  std::fclose(f);
}

void LogNumberLine(int32_t value) {
  if (Holding) {
    Held += std::to_string(value) + "\n";
    return;
  }
  FILE* f = std::fopen(LogPath.c_str(), "ab");
  if (!f) return;
  std::fprintf(f, "%ld\n", static_cast<long>(value));
  std::fclose(f);
}

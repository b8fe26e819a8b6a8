#include "log/log.h"

#include <cstdio>

std::string LogPath = "halvoren.tst";

void LogStart() {
  if (FILE* f = std::fopen(LogPath.c_str(), "wb")) std::fclose(f);
}

void LogText(const char* text, size_t length) {
  FILE* f = std::fopen(LogPath.c_str(), "ab");
  if (!f) return;
  if (length) std::fwrite(text, 1, length, f);
  std::fclose(f);
}

void LogNumberLine(int32_t value) {
  FILE* f = std::fopen(LogPath.c_str(), "ab");
  if (!f) return;
  std::fprintf(f, "%ld\n", static_cast<long>(value));
  std::fclose(f);
}

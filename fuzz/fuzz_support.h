// Shared pieces of the fuzz targets: checks that stop the run on a wrong result, images built
// from fuzz bytes, a scratch folder to run in, and machine copies that step around the guards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/machine.h"

// A wrong result is a finding: say what, then abort so the fuzzer keeps the input.
#define FUZZ_CHECK(condition, what)                                           \
  do {                                                                        \
    if (!(condition)) {                                                       \
      std::fprintf(stderr, "fuzz check failed: %s (%s)\n", what, #condition); \
      std::abort();                                                           \
    }                                                                         \
  } while (0)

// Reads the fuzz bytes in order; past the end every read gives zero.
struct FuzzBytes {
  const uint8_t* Data;
  size_t Size;
  size_t At = 0;
  uint8_t Byte() { return At < Size ? Data[At++] : 0; }
  uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
  bool Empty() const { return At >= Size; }
};

// The bytes as a stream the loader can read (a memory file); null for no bytes.
std::FILE* MemoryFile(const uint8_t* data, size_t size);

// Makes a fresh folder under the system's temporary folder, moves into it, sends standard
// input to /dev/null (nothing may wait on a terminal) and points the log there. Call once.
void EnterScratchFolder(const char* name);
// Removes every file of the scratch folder except the ones named.
void ClearScratchFolder(const std::vector<std::string>& keep);
// Writes a file in the current folder.
void WriteScratchFile(const std::string& name, const uint8_t* data, size_t size);

// A small image: one PRG unit whose vectors run an endless loop, one CHR unit.
std::vector<uint8_t> SmallCartridge(uint8_t mapper = 0);

// A newly made machine in storage kept across runs: a fresh heap allocation each run costs more
// in page faults than the run itself. The previous one ends when the next is made.
Machine& FreshMachine();

// Whole-machine copy and comparison that leave the guard bytes of a fuzz build alone.
void CopyMachine(Machine& to, const Machine& from);
bool SameMachine(const Machine& a, const Machine& b);

// Shared test helpers: a fresh console per test and iNES images built in memory.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cart/loader.h"
#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"
#include "session/run_frame.h"

// Describes an iNES image. PRG unit n is filled with bytes tagging it as unit n (see PrgTag),
// CHR 1 KB page k with ChrTag(k), so a test can read back which bank sits in which window.
struct InesImage {
  // Flags6Low: the low nibble of byte 6 (mirroring, battery, trainer, four-screen).
  uint8_t PrgUnits = 2, ChrUnits = 1, Mapper = 0, Flags6Low = 0;
  bool Trainer = false;
  std::vector<uint8_t> Header7To15{};  // optional override of bytes 7-15
  size_t TruncateTo = 0;               // 0 = full size

  std::vector<uint8_t> Bytes() const;
};

// The tag byte that fills 8 KB PRG bank n (bank 2u and 2u+1 make up 16 KB unit u).
inline uint8_t PrgTag(uint32_t bank8k) { return static_cast<uint8_t>(0x80 | bank8k); }
// The tag byte that fills 1 KB CHR page n.
inline uint8_t ChrTag(uint32_t page1k) { return static_cast<uint8_t>(page1k + 1); }

// A whole file's bytes ("" when it cannot be read).
std::string FileText(const std::filesystem::path& path);
inline std::string TestRomPath(const std::string& name) {
  return std::string(HALVOREN_TEST_ROM_DIR) + "/" + name;
}

// Each test gets a zeroed Machine, reset globals, and a log in its own temporary folder.
class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the image to a file in the test folder and loads it; returns the loader's code.
  uint8_t Load(const InesImage& image) { return LoadBytes(image.Bytes()); }
  uint8_t LoadBytes(const std::vector<uint8_t>& bytes) {
    return m().LoadCartridge(WriteFile("image.nes", bytes).c_str());
  }
  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes);
  // A named pipe in the test folder that nothing reads or writes.
  std::string Fifo(const std::string& name);
  std::string ReadLog() const { return FileText(LogPath); }
  // A zeroed console and the session's globals as at program start.
  void NewConsole() { ResetSession(), machine = std::make_unique<Machine>(); }

  std::unique_ptr<Machine> machine;
  Machine& m() { return *machine; }
  std::filesystem::path dir;
};

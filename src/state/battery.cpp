#include "state/battery.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/globals.h"
#include "core/machine.h"
#include "state/state_files.h"

namespace {

constexpr uint16_t kBatteryRamStart = 0x6000;
const char kBatteryExtension[] = "SAV";

Machine* BatteryMachine;  // null: the cartridge keeps no RAM across runs
uint8_t OnDisk[kBatteryRamSize];  // what the file holds, to see whether the game changed it
int FramesToCheck;
bool LastWriteFailed;  // one message per run of failures, not one every few seconds

uint8_t* BatteryRam() { return BatteryMachine->CpuMemory + kBatteryRamStart; }

// The message area has room for the file's name only; standard error gets the whole path.
void Report(const std::string& path, const std::string& what) {
  const size_t slash = path.find_last_of('/');
  ShowStateMessage((slash == std::string::npos ? path : path.substr(slash + 1)) + what);
  std::fprintf(stderr, "halvoren: %s%s\n", path.c_str(), what.c_str());
}

}  // namespace

void LoadBatteryRam(Machine& m) {
  ResetBattery();
  if (!SramEnable) return;
  BatteryMachine = &m;
  const std::string path = CartridgeFileName(kBatteryExtension);
  std::vector<uint8_t> bytes;
  const std::string error = ReadWholeFile(path, bytes);
  if (error.empty() && bytes.size() == kBatteryRamSize)
    std::memcpy(BatteryRam(), bytes.data(), kBatteryRamSize);
  else if (error.empty())
    Report(path, " ignored: " + std::to_string(bytes.size()) + " bytes, not 8192");
  else if (error != std::strerror(ENOENT))  // no file yet: the game starts afresh
    Report(path, " not read: " + error);
  // The RAM as it now stands is what a save would write anyway.
  std::memcpy(OnDisk, BatteryRam(), kBatteryRamSize);
}

void BatteryFrameStep() {
  if (!BatteryMachine || --FramesToCheck > 0) return;
  FramesToCheck = kBatteryCheckFrames;
  SaveBatteryRam();
}

std::string SaveBatteryRam() {
  if (!BatteryMachine || std::memcmp(OnDisk, BatteryRam(), kBatteryRamSize) == 0) return "";
  const std::string path = CartridgeFileName(kBatteryExtension);
  const std::string error = WriteWholeFile(path, BatteryRam(), kBatteryRamSize);
  if (error.empty()) {
    std::memcpy(OnDisk, BatteryRam(), kBatteryRamSize);
    LastWriteFailed = false;
  } else if (!LastWriteFailed) {
    LastWriteFailed = true;
    Report(path, " not written: " + error);
  }
  return error;
}

void ResetBattery() {
  BatteryMachine = nullptr;
  FramesToCheck = kBatteryCheckFrames;
  LastWriteFailed = false;
}

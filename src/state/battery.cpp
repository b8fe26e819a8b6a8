#include "state/battery.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/globals.h"
#include "core/machine.h"
#include "files/places.h"
#include "log/log.h"
#include "state/state_files.h"

namespace {

constexpr uint16_t kBatteryRamStart = 0x6000;
const char kBatteryExtension[] = "SAV";

Machine* BatteryMachine;          // null: the cartridge keeps no RAM across runs
uint8_t OnDisk[kBatteryRamSize];  // what the file holds, to see whether the game changed it
int FramesToCheck;
bool LastWriteFailed;  // one message per run of failures, not one every few seconds
// A file that was there but not loaded (another emulator's, a damaged one): it is moved aside
// before the first write instead of being replaced. Empty when there is none.
std::string NotLoadedPath;

uint8_t* BatteryRam() { return BatteryMachine->CpuMemory + kBatteryRamStart; }

// The message area has room for the file's name only; standard error gets the whole path.
void Report(const std::string& path, const std::string& what) {
  const std::string line = path + what + "\n";
  LogText(line.data(), line.size());
  const size_t slash = path.find_last_of('/');
  ShowStateMessage((slash == std::string::npos ? path : path.substr(slash + 1)) + what);
  std::fprintf(stderr, "halvoren: %s%s\n", path.c_str(), what.c_str());
}

// A rename that never replaces a file, also where the file system cannot promise that itself.
int Rename(const std::string& from, const std::string& to) {
  const int done = renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
  if (done == 0 || errno != EINVAL) return done;
  struct stat info;
  if (lstat(to.c_str(), &info) == 0) {
    errno = EEXIST;
    return -1;
  }
  return std::rename(from.c_str(), to.c_str());
}

// Renames the file that was not loaded to GAME.SAV.bak (GAME.SAV.bak2, ... when that exists),
// never over another file; an empty text when it is out of the way.
std::string MoveAside(const std::string& path) {
  for (int n = 1; n < 1000; ++n) {
    const std::string aside = path + ".bak" + (n > 1 ? std::to_string(n) : "");
    if (Rename(path, aside) == 0) {
      Report(path, " kept as " + aside);
      NotLoadedPath.clear();
      return "";
    }
    if (errno == ENOENT) {  // gone meanwhile: nothing to keep
      NotLoadedPath.clear();
      return "";
    }
    if (errno != EEXIST)
      return std::string("cannot keep the old file aside: ") + std::strerror(errno);
  }
  return "cannot keep the old file aside: too many kept files";
}

}  // namespace

void LoadBatteryRam(Machine& m) {
  ResetBattery();
  if (!SramEnable) return;
  BatteryMachine = &m;
  const std::string path = PlaceForReading(CartridgeFileName(kBatteryExtension));
  std::vector<uint8_t> bytes;
  const std::string error = ReadWholeFile(path, bytes);
  if (error.empty() && bytes.size() == kBatteryRamSize) {
    std::memcpy(BatteryRam(), bytes.data(), kBatteryRamSize);
  } else if (error != std::strerror(ENOENT)) {  // no file yet: the game starts afresh
    // Only a regular file is moved aside; anything else the writer refuses to replace.
    const bool regular = error != "is a folder" && error != "not a regular file";
    if (regular) NotLoadedPath = path;
    Report(path, (error.empty() ? " ignored: " + std::to_string(bytes.size()) + " bytes, not 8192"
                                : " not read: " + error) +
                     (regular ? "; it will be kept aside" : ""));
  }
  // The RAM as it now stands is what a save would write anyway.
  std::memcpy(OnDisk, BatteryRam(), kBatteryRamSize);
}

void BatteryFrameStep() {
  if (!BatteryMachine || --FramesToCheck > 0) return;
  FramesToCheck = kBatteryCheckFrames;
  SaveBatteryRam();
}

std::string SaveBatteryRam(bool last) {
  if (!BatteryMachine || std::memcmp(OnDisk, BatteryRam(), kBatteryRamSize) == 0) return "";
  std::string where;
  const std::string path = SavedFileForWriting(CartridgeFileName(kBatteryExtension), where);
  std::string error = path == NotLoadedPath ? MoveAside(path) : "";
  if (error.empty()) error = WriteWholeFile(path, BatteryRam(), kBatteryRamSize);
  if (error.empty()) {
    if (!where.empty()) Report(path, " written" + where);
    std::memcpy(OnDisk, BatteryRam(), kBatteryRamSize);
    LastWriteFailed = false;
  } else if (!LastWriteFailed || last) {
    LastWriteFailed = true;
    Report(path, " not written: " + error);
  }
  return error;
}

void ResetBattery() {
  BatteryMachine = nullptr;
  NotLoadedPath.clear();
  FramesToCheck = kBatteryCheckFrames;
  LastWriteFailed = false;
}

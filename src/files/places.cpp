#include "files/places.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace {

bool Announced;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool Writable(const std::string& folder) { return access(folder.c_str(), W_OK | X_OK) == 0; }

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

// The data folder's copy of `beside`, or empty when there is no data folder.
std::string InDataFolder(const std::string& beside) {
  const std::string folder = DataFolder();
  return folder.empty() ? "" : folder + "/" + NameOf(beside);
}

}  // namespace

std::string DataFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && data[0] == '/') return std::string(data) + "/halvoren";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.local/share/halvoren";
  return "";
}

std::string PlaceForWriting(const std::string& beside, std::string& notice) {
  notice.clear();
  const std::string folder = FolderOf(beside);
  const std::string other = InDataFolder(beside);
  if (Writable(folder) || other.empty()) return beside;
  std::error_code ignored;
  std::filesystem::create_directories(DataFolder(), ignored);
  if (!Announced) {
    Announced = true;
    notice = "Cannot write in " + folder + ": saving in " + DataFolder();
  }
  return other;
}

std::string PlaceForReading(const std::string& beside) {
  const std::string other = InDataFolder(beside);
  if (other.empty()) return beside;
  const bool besideFirst = Writable(FolderOf(beside));
  const std::string& first = besideFirst ? beside : other;
  const std::string& second = besideFirst ? other : beside;
  return Exists(first) || !Exists(second) ? first : second;
}

void ResetPlaces() { Announced = false; }

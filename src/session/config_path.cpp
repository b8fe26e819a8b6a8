#include "session/config_path.h"

#include <sys/stat.h>

#include <cstdlib>

namespace {

constexpr char kConfigName[] = "Halvoren.CFG";

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// An unset or relative XDG_CONFIG_HOME is to be ignored, by the XDG rules.
std::string XdgConfigFolder() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  if (home && home[0] != 0) return std::string(home) + "/.config";
  return "";
}

}  // namespace

std::string DefaultConfigurationPath() {
  if (IsRegularFile(kConfigName)) return kConfigName;
  const std::string folder = XdgConfigFolder();
  if (!folder.empty()) {
    const std::string path = folder + "/halvoren/" + kConfigName;
    if (IsRegularFile(path)) return path;
  }
  return kConfigName;
}

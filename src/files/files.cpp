#include "files/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

struct RunInput {
  dev_t Device;
  ino_t Inode;
  std::string Resolved;  // for names the output does not yet have
  const char* Role;
};
std::vector<RunInput> RunInputs;

std::string ResolvedName(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ignored);
  return resolved.empty() ? path : resolved.string();
}

// The input an output named `resolved` would replace, or null.
const char* InputRole(const std::string& resolved, const struct stat* existing) {
  const std::string name = existing ? "" : ResolvedName(resolved);
  for (const RunInput& input : RunInputs) {
    if (existing ? existing->st_dev == input.Device && existing->st_ino == input.Inode
                 : name == input.Resolved)
      return input.Role;
  }
  return nullptr;
}

// The file a name stands for: a link is followed to the file it names, which is then the one
// replaced (the link stays a link). `exists` tells whether `info` describes it.
std::string ResolveTarget(const std::string& path, std::string& resolved, struct stat& info,
                          bool& exists) {
  resolved = path;
  exists = lstat(path.c_str(), &info) == 0;
  if (!exists) return errno == ENOENT ? "" : std::strerror(errno);
  if (!S_ISLNK(info.st_mode)) return "";
  char* real = realpath(path.c_str(), nullptr);
  const bool named = real != nullptr;
  if (real) {
    resolved = real;
    std::free(real);
  }
  exists = stat(resolved.c_str(), &info) == 0;
  if (!exists) return "a link to a missing file";
  // /dev/stdout through /proc names a pipe that has no path of its own: it is written through
  // as given. A plain file reached so could only be replaced by replacing the link itself.
  if (!named && S_ISREG(info.st_mode)) return "a link to a file that has no name";
  return "";
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, size_t largest) {
  bytes.clear();
  if (path.empty()) return "no file name";
  // Without O_NONBLOCK, opening a pipe nobody writes to would wait for ever.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct stat info;
  std::string error;
  if (fstat(fd, &info) != 0)
    error = std::strerror(errno);
  else if (S_ISDIR(info.st_mode))
    error = "is a folder";
  else if (!S_ISREG(info.st_mode))
    error = "not a regular file";
  else if (static_cast<uint64_t>(info.st_size) > largest)
    error = "file too large";
  if (error.empty()) {
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t got = 0;
    while (got < bytes.size()) {
      const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) error = std::strerror(errno);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    bytes.resize(error.empty() ? got : 0);  // a file cut short while read is read as it stands
  }
  close(fd);
  return error;
}

std::string CheckOutputTarget(const std::string& path, OutputTarget target) {
  if (path.empty()) return "no file name";
  std::string resolved;
  struct stat info;
  bool exists;
  if (std::string error = ResolveTarget(path, resolved, info, exists); !error.empty()) return error;
  if (exists && S_ISDIR(info.st_mode)) return "is a folder";
  if (!exists) {
    const size_t slash = resolved.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : resolved.substr(0, slash + 1);
    struct stat folderInfo;
    if (stat(folder.c_str(), &folderInfo) != 0) return std::strerror(errno);
    if (!S_ISDIR(folderInfo.st_mode)) return "not in a folder";
  }
  if (const char* role = InputRole(resolved, exists ? &info : nullptr))
    return std::string("that is ") + role;
  const bool through = exists && (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode));
  if (exists && !S_ISREG(info.st_mode) && (target != OutputTarget::WriteThrough || !through))
    return "not a regular file";
  return "";
}

std::string OutputFile::Open(const std::string& path, OutputTarget target) {
  Close();
  if (std::string error = CheckOutputTarget(path, target); !error.empty()) return error;
  struct stat info;
  bool exists;
  ResolveTarget(path, Target, info, exists);
  if (exists && !S_ISREG(info.st_mode)) {
    // A pipe with no reader is refused at once instead of waiting for one.
    const int fd = open(Target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == ENXIO ? "no program is reading from it" : std::strerror(errno);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    File = fdopen(fd, "wb");
    if (!File) close(fd);
    return File ? "" : std::strerror(errno);
  }
  // A unique name, created only if absent: an old temporary file, a link placed there or a
  // second program saving the same file is never written through.
  std::string temporary = Target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  fchmod(fd, exists ? info.st_mode & 07777 : NewFileMode());
  File = fdopen(fd, "wb");
  if (!File) {
    const int error = errno;
    close(fd);
    unlink(temporary.c_str());
    return std::strerror(error);
  }
  Temporary = temporary;
  return "";
}

std::string OutputFile::Commit() {
  if (!File) return "not open";
  int error = 0;
  if (std::fflush(File) != 0) error = errno;
  if (!error && std::ferror(File)) error = EIO;
  if (Temporary.empty()) return error ? std::strerror(error) : "";
  // On disk before the rename, so a crash cannot leave an empty file under the good name.
  if (!error && fsync(fileno(File)) != 0) error = errno;
  if (!error && std::rename(Temporary.c_str(), Target.c_str()) != 0) error = errno;
  if (error) {
    Close();
    return std::strerror(error);
  }
  Temporary.clear();
  return "";
}

std::string OutputFile::Close() {
  std::string error;
  if (File) {
    const bool failed = std::ferror(File) != 0;
    if (std::fclose(File) != 0 || failed) error = std::strerror(failed ? EIO : errno);
    File = nullptr;
  }
  if (!Temporary.empty()) unlink(Temporary.c_str());  // never committed: the target stays
  Temporary.clear();
  return error;
}

std::string WriteWholeFile(const std::string& path, const uint8_t* data, size_t size,
                           OutputTarget target) {
  OutputFile file;
  if (std::string error = file.Open(path, target); !error.empty()) return error;
  if (std::fwrite(data, 1, size, file.Stream()) != size) {
    const int error = errno;
    file.Close();
    return std::strerror(error);
  }
  if (std::string error = file.Commit(); !error.empty()) return error;
  return file.Close();
}

void NoteRunInput(const std::string& path, const char* role) {
  struct stat info;
  if (path.empty() || stat(path.c_str(), &info) != 0) return;
  RunInputs.push_back({info.st_dev, info.st_ino, ResolvedName(path), role});
}

void ForgetRunInputs() { RunInputs.clear(); }

#include "ppu/png_file.h"

#include <png.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool WriteTo(FILE* file, const std::string& path, const uint8_t* picture, int width, int height,
             const PaletteEntry* palette, std::string& error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    error = "cannot write " + path + ": out of memory";
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  // libpng reports failures by jumping back here; nothing above allocates after this point
  // that the jump would leak.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    const int reason = errno;
    std::fclose(file);
    error = "cannot write " + path + ": " + std::strerror(reason);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const PaletteEntry& colour = palette[picture[y * width + x]];
      row[x * 3] = colour.Red;
      row[x * 3 + 1] = colour.Green;
      row[x * 3 + 2] = colour.Blue;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  if (!closed) error = "cannot write " + path + ": " + std::strerror(errno);
  return closed;
}

}  // namespace

// Written beside its final name and renamed into place, so an existing file is replaced
// whole or not at all. Anything but a plain file (a link, a device such as /dev/stdout, a
// pipe) is written through as it stands: a rename would replace the link or the device itself.
bool WritePicturePng(const std::string& path, const uint8_t* picture, int width, int height,
                     const PaletteEntry* palette, std::string& error) {
  struct stat info;
  if (lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
      error = "cannot write " + path + ": " + std::strerror(errno);
      return false;
    }
    return WriteTo(file, path, picture, width, height, palette, error);
  }
  const std::string temporary = path + ".tmp";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!WriteTo(file, path, picture, width, height, palette, error)) {
    std::remove(temporary.c_str());
    return false;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

#include "ppu/png_file.h"

#include <png.h>

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
    error = "cannot write " + path + ": out of memory";
    return false;
  }
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  // libpng reports failures by jumping back here; nothing above allocates after this point
  // that the jump would leak.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    error = "cannot write " + path + ": " + std::strerror(errno);
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
  return true;
}

}  // namespace

bool WritePicturePng(const std::string& path, const uint8_t* picture, int width, int height,
                     const PaletteEntry* palette, std::string& error, OutputTarget target) {
  OutputFile output;
  std::string problem = output.Open(path, target);
  if (problem.empty()) {
    if (!WriteTo(output.Stream(), path, picture, width, height, palette, error)) return false;
    problem = output.Commit();
  }
  if (problem.empty()) problem = output.Close();
  if (!problem.empty()) error = "cannot write " + path + ": " + problem;
  return problem.empty();
}

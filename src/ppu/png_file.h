// PNG output of a picture of colour numbers, shown through a palette.
#pragma once

#include <cstdint>
#include <string>

#include "files/files.h"
#include "ppu/palette.h"

// Writes a width x height RGB PNG; on failure returns false with the reason in `error`.
bool WritePicturePng(const std::string& path, const uint8_t* picture, int width, int height,
                     const PaletteEntry* palette, std::string& error,
                     OutputTarget target = OutputTarget::RegularFile);

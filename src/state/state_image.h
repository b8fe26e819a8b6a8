// The state image: the console's state as one fixed-size byte block, the body of every state
// file and the head of every recording. Kept in memory too (rewind), so it never touches files.
#pragma once

#include <cstddef>
#include <cstdint>

struct Machine;

constexpr size_t kStateImageSize = 83482;

// Writes the machine and the cartridge description into `image` (kStateImageSize bytes).
void WriteStateImage(Machine& m, uint8_t* image);

// Why `size` bytes at `data` cannot be loaded into the running cartridge, or null when they can:
// too short, not a state, or saved from another cartridge (its description differs, or its
// $8000-$FFFF holds bytes that are no bank of this cartridge's PRG ROM).
const char* StateImageProblem(const Machine& m, const uint8_t* data, size_t size);

// Loads an image that StateImageProblem accepts; returns its verdict. On a problem nothing
// changes. Afterwards the pattern cache matches the loaded pattern tables and every bank
// window record is cleared, so the next bank switch copies whatever the loaded memory holds.
const char* LoadStateImage(Machine& m, const uint8_t* data, size_t size);

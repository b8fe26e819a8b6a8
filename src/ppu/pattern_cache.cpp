// Pattern tables kept decoded, one byte (0-3) per pixel, so the renderer never touches the
// two bit planes while drawing.
#include <array>
#include <cstring>
#include <memory>

#include "core/machine.h"

namespace {

constexpr uint32_t kPageBytes = 0x400;    // one CHR page, 64 tiles
constexpr uint32_t kPagePixels = 0x1000;  // the same decoded

// The eight pixels of one plane byte, one byte each (0 or 1), leftmost pixel (bit 7) first.
constexpr std::array<uint64_t, 256> MakePlaneTable() {
  std::array<uint64_t, 256> table{};
  for (int byte = 0; byte < 256; ++byte)
    for (int column = 0; column < 8; ++column)
      if (byte & (0x80 >> column)) table[byte] |= uint64_t{1} << (8 * column);
  return table;
}
constexpr std::array<uint64_t, 256> kPlanePixels = MakePlaneTable();

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the plane table assumes it");

// One tile's 16 pattern bytes into its 64 pixels.
void DecodeTileBytes(const uint8_t* bytes, uint8_t* out) {
  for (int row = 0; row < 8; ++row) {
    // Host byte order: the first pixel is the lowest byte in memory.
    const uint64_t pixels = kPlanePixels[bytes[row]] | (kPlanePixels[bytes[row + 8]] << 1);
    std::memcpy(out + row * 8, &pixels, 8);
  }
}

void DecodePage(const uint8_t* bytes, uint8_t* out) {
  for (uint32_t tile = 0; tile < kPageBytes; tile += 16)
    DecodeTileBytes(bytes + tile, out + tile * 4);
}

void DecodeTile(Machine& m, uint32_t tile) {
  DecodeTileBytes(m.PpuMemory + tile, m.PatternCache + tile * 4);
  std::memcpy(m.DecodedPatterns + tile, m.PpuMemory + tile, 16);
  PatternWindows& windows = m.PatternWindowState;
  windows.Held[tile / kPageBytes] = windows.Wanted[tile / kPageBytes] = 0;
}

// Every CHR page a switch has shown, decoded once: 2 MB at most, made on first use. One per
// process, beside the machines: the machine it serves keeps the flags of the pages it holds,
// which are trusted only while that machine is the owner.
struct DecodedChrStore {
  const Machine* Owner = nullptr;
  std::unique_ptr<uint8_t[]> Pixels;
};
DecodedChrStore Store;

// The decoded page from the store, decoding it first if needed.
const uint8_t* StoredPage(Machine& m, uint32_t page) {
  PatternWindows& windows = m.PatternWindowState;
  if (Store.Owner != &m) {
    if (!Store.Pixels) Store.Pixels = std::make_unique<uint8_t[]>(kChrPages * kPagePixels);
    Store.Owner = &m;
    std::memset(windows.StoreHolds, 0, sizeof windows.StoreHolds);
  }
  uint8_t* pixels = Store.Pixels.get() + page * kPagePixels;
  if (!windows.StoreHolds[page]) {
    DecodePage(m.ChrRom + page * kPageBytes, pixels);
    windows.StoreHolds[page] = 1;
  }
  return pixels;
}

// The pattern bytes of the pages the windows took from the store, as the cache's record of what
// it decoded: wanted only by a decode's compare, so copied only then.
void RecordPendingBytes(Machine& m) {
  PatternWindows& windows = m.PatternWindowState;
  for (uint32_t window = 0; windows.BytesPending; ++window) {
    if (!(windows.BytesPending & (1u << window))) continue;
    const uint32_t page = windows.Held[window] - 1u;
    std::memcpy(m.DecodedPatterns + window * kPageBytes, m.ChrRom + page * kPageBytes, kPageBytes);
    windows.BytesPending &= ~(1u << window);
  }
}

}  // namespace

// Only tiles whose bytes differ from the ones last decoded are decoded again: boards that
// rewrite every CHR register each frame with the same banks cost a compare, not a decode.
void Machine::DecodePatterns(uint16_t start, uint16_t length) {
  SyncPatternCache();
  RecordPendingBytes(*this);
  uint32_t end = static_cast<uint32_t>(start) + length;
  if (end > 0x2000) end = 0x2000;
  for (uint32_t tile = start & ~15u; tile < end; tile += 16)
    if (std::memcmp(DecodedPatterns + tile, PpuMemory + tile, 16) != 0) DecodeTile(*this, tile);
}

// Everything again, whatever was recorded: the one way back if the cache was disturbed.
void Machine::RebuildPatternCache() {
  PatternWindowState.Pending = PatternWindowState.BytesPending = 0;
  for (uint32_t tile = 0; tile < 0x2000; tile += 16) DecodeTile(*this, tile);
  PatternsDirty = 0;
}

// The same as decoding the window's new bytes now, only later: nothing but the bank switches
// changes the CHR store's pages while a window waits (ForgetDecodedChr fills them first).
void Machine::ShowChrPage(uint32_t windowStart, uint32_t page) {
  PatternWindows& windows = PatternWindowState;
  const uint32_t window = (windowStart / kPageBytes) % kPatternWindows;
  const uint8_t bit = static_cast<uint8_t>(1u << window);
  windows.Wanted[window] = static_cast<uint16_t>(page % kChrPages + 1);
  if (windows.Wanted[window] == windows.Held[window])
    windows.Pending &= ~bit;
  else
    windows.Pending |= bit;
}

void Machine::FillPendingWindows() {
  PatternWindows& windows = PatternWindowState;
  for (uint32_t window = 0; window < kPatternWindows; ++window) {
    if (!(windows.Pending & (1u << window))) continue;
    const uint32_t page = windows.Wanted[window] - 1u;
    std::memcpy(PatternCache + window * kPagePixels, StoredPage(*this, page), kPagePixels);
    windows.Held[window] = windows.Wanted[window];
  }
  windows.BytesPending |= windows.Pending;  // only a decode looks at them
  windows.Pending = 0;
}

const uint8_t* Machine::PatternPixels(uint32_t index) {
  const uint32_t window = (index / kPagePixels) % kPatternWindows;
  if (!(PatternWindowState.Pending & (1u << window))) return PatternCache + index % 0x8000;
  return StoredPage(*this, PatternWindowState.Wanted[window] - 1u) + index % kPagePixels;
}

void Machine::ForgetDecodedChr() {
  SyncPatternCache();
  RecordPendingBytes(*this);
  PatternWindows& windows = PatternWindowState;
  std::memset(windows.StoreHolds, 0, sizeof windows.StoreHolds);
  std::memset(windows.Held, 0, sizeof windows.Held);
  std::memset(windows.Wanted, 0, sizeof windows.Wanted);
}

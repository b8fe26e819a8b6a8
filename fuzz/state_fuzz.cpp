// The state and recording loaders on arbitrary bytes. A refused file leaves the machine and the
// bank records exactly as they were; an accepted one writes back as the same image, and its
// playback feeds the file's button pairs one frame each, then ends.
// The first byte chooses the input: even, the bytes are the file; odd, the next three give an
// offset at which the rest overwrites a valid image, so the accepting paths are reached too.
#include <cstring>
#include <memory>
#include <vector>

#include "core/globals.h"
#include "fuzz/fuzz_support.h"
#include "log/log.h"
#include "state/recording.h"
#include "state/state_image.h"

namespace {

std::vector<uint8_t> FileFromFuzz(Machine& m, const uint8_t* data, size_t size) {
  if (size == 0 || !(data[0] & 1)) return std::vector<uint8_t>(data, data + size);
  FuzzBytes bytes{data + 1, size - 1};
  const size_t offset = (bytes.Byte() | (bytes.Byte() << 8) | (bytes.Byte() << 16)) % 90000;
  std::vector<uint8_t> file(kStateImageSize);
  WriteStateImage(m, file.data());
  if (file.size() < offset + bytes.Size - bytes.At) file.resize(offset + bytes.Size - bytes.At);
  std::memcpy(file.data() + offset, bytes.Data + bytes.At, bytes.Size - bytes.At);
  return file;
}

bool SameBankRecords(const uint8_t* prg, const uint8_t* chr) {
  return std::memcmp(prg, PrgWindowBank, 4) == 0 && std::memcmp(chr, ChrWindowBank, 8) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchFolder("state");  // the playback files are written here
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto machines = std::make_unique<Machine[]>(2);  // the one loaded, and its copy
  Machine& m = machines[0];
  Machine* before = &machines[1];
  ResetGlobals();
  LogHold();
  const auto cartridge = SmallCartridge();
  if (m.LoadCartridgeStream(MemoryFile(cartridge.data(), cartridge.size())) != 0) std::abort();
  PrgWindowBank[0] = 7, ChrWindowBank[0] = 3;  // anything a load must clear or keep
  uint8_t prg[4], chr[8];
  std::memcpy(prg, PrgWindowBank, 4);
  std::memcpy(chr, ChrWindowBank, 8);
  CopyMachine(*before, m);

  const auto file = FileFromFuzz(m, data, size);
  if (LoadStateImage(m, file.data(), file.size()) != nullptr) {
    FUZZ_CHECK(SameMachine(m, *before), "a refused state changed the machine");
    FUZZ_CHECK(SameBankRecords(prg, chr), "a refused state changed the bank records");
    FUZZ_CHECK(StartPlaybackFile(m, "none.mov") != "" && !PlayingBack, "a missing recording");
    return 0;
  }
  std::vector<uint8_t> again(kStateImageSize);
  WriteStateImage(m, again.data());
  FUZZ_CHECK(std::memcmp(again.data(), file.data(), kStateImageSize) == 0, "the image round trip");
  FUZZ_CHECK(PrgWindowBank[0] == 255 && ChrWindowBank[0] == 255, "the bank records cleared");

  WriteScratchFile("play.mov", file.data(), file.size());
  FUZZ_CHECK(StartPlaybackFile(m, "play.mov").empty() && PlayingBack, "the recording plays");
  const size_t pairs = (file.size() - kStateImageSize) / 2;
  for (size_t frame = 0; frame <= pairs && frame < 64; ++frame) {
    m.PadBits[0] = m.PadBits[1] = 0x5A;
    RecordAndPlayPads(m);
    const uint8_t* pair = file.data() + kStateImageSize + 2 * frame;
    if (frame < pairs)
      FUZZ_CHECK(m.PadBits[0] == pair[0] && m.PadBits[1] == pair[1], "the recorded buttons");
    else
      FUZZ_CHECK(!PlayingBack && m.PadBits[0] == 0x5A, "the playback ends on live buttons");
  }
  StopPlayback();
  return 0;
}

// The cartridge loader on arbitrary bytes. An accepted image leaves the stores holding exactly
// the file's bytes, then zeros; a refused one carries the code its header calls for and leaves
// the machine and the cartridge facts of the image loaded before exactly as they were.
#include <algorithm>
#include <cstring>
#include <memory>

#include "cart/loader.h"
#include "core/globals.h"
#include "fuzz/fuzz_support.h"
#include "log/log.h"
#include "session/run_frame.h"

namespace {

// The cartridge facts (the mirroring flags and window records are the Machine's).
struct Facts {
  uint32_t Prg, Chr, Vertical, Sram, Trainer, FourScreen, Mapper;
  bool operator==(const Facts&) const = default;
};

Facts CurrentFacts(const Machine& m) {
  return Facts{PrgBankCount,   ChrBankCount, m.VerticalMirroring, SramEnable,
               TrainerPresent, m.FourScreen, MapperNumber};
}

// The code the header calls for, worked out apart from the loader.
uint8_t ExpectedCode(const uint8_t* header, size_t size) {
  if (size < 3 || header[0] != 'N' || header[1] != 'E' || header[2] != 'S') return kLoadNotInes;
  if (header[4] > 64 || header[5] > 64) return kLoadTooLarge;
  uint8_t mapper = (header[7] & 0xF0) | (header[6] >> 4);
  if (header[7] == 'D' && header[8] == 'i' && header[9] == 's') mapper = header[6] >> 4;
  if (mapper == 248) mapper = 4;
  if (!IsSupportedMapper(mapper)) return kLoadUnsupportedMapper;
  // A header cut short, or PRG declared with less than one 16 KB unit of it in the file.
  const size_t prgStart = 16 + (header[6] & 4 ? 512 : 0);
  const size_t prgPresent = size > prgStart ? size - prgStart : 0;
  if (size < 16 || (header[4] != 0 && prgPresent < kPrgUnitSize)) return kLoadTruncated;
  return kLoadOk;
}

// The store holds `from`'s bytes up to `size` (as many as there are), then zeros.
void CheckStore(const uint8_t* store, size_t storeSize, const uint8_t* data, size_t dataSize,
                size_t from, size_t size, const char* what) {
  static const std::vector<uint8_t> zeros(sizeof Machine::PrgRom, 0);
  const size_t present = from >= dataSize ? 0 : std::min(size, dataSize - from);
  FUZZ_CHECK(present == 0 || std::memcmp(store, data + from, present) == 0, what);
  FUZZ_CHECK(std::memcmp(store + present, zeros.data(), storeSize - present) == 0, what);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchFolder("loader");
  ResetSession();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto machine = std::make_unique<Machine>();
  static auto before = std::make_unique<Machine>();
  Machine& m = *machine;
  LogHold();  // in memory: a file per line would slow every run
  std::FILE* file = MemoryFile(data, size);
  if (!file) return 0;
  uint8_t header[16] = {};
  std::memcpy(header, data, size < 16 ? size : 16);
  CopyMachine(*before, m);
  const Facts factsBefore = CurrentFacts(m);

  const uint8_t code = m.LoadCartridgeStream(file);
  FUZZ_CHECK(code == ExpectedCode(header, size), "the refusal code");
  if (code != kLoadOk) {
    FUZZ_CHECK(SameMachine(m, *before), "a refused image changed the machine");
    FUZZ_CHECK(CurrentFacts(m) == factsBefore, "a refused image changed the cartridge facts");
    return 0;
  }
  FUZZ_CHECK(PrgBankCount == header[4] && ChrBankCount == header[5], "the unit counts");
  const size_t prgStart = 16 + (header[6] & 4 ? 512 : 0);
  const size_t prgSize = header[4] * size_t{kPrgUnitSize};
  CheckStore(m.PrgRom, sizeof m.PrgRom, data, size, prgStart, prgSize, "the PRG store");
  CheckStore(m.ChrRom, sizeof m.ChrRom, data, size, prgStart + prgSize,
             header[5] * size_t{kChrUnitSize}, "the CHR store");
  return 0;
}

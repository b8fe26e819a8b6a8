// iNES image loader: header, ROM stores, trainer and the power-on bank layout of each board.
#include "cart/loader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cart/boards.h"
#include "core/globals.h"
#include "core/machine.h"
#include "files/files.h"
#include "log/log.h"

namespace {

constexpr uint8_t kSupported[] = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   10,  11,  15,  16,  17,  18,  19,
    21,  22,  23,  24,  25,  26,  32,  33,  34,  41,  48,  64,  65,  66,  68,  69,
    70,  71,  73,  74,  78,  79,  80,  87,  89,  90,  91,  96,  112, 115, 118, 160,
    161, 184, 185, 225, 227, 228, 231, 232, 240, 241, 242, 245, 246, 249, 250, 254};

enum class PrgLayout { FirstThenSecond, FirstThenLast, Mapper3, Mapper6, First32k, Mapper19,
                       Last8kEverywhere, LastLast, FirstFirst, Last32k };
enum class ChrLayout { First8k, First8kIfRom, Last8k, Mapper184, None };

PrgLayout PrgLayoutFor(uint8_t mapper) {
  switch (mapper) {
    case 0: case 185: return PrgLayout::FirstThenSecond;
    case 3: return PrgLayout::Mapper3;
    case 6: return PrgLayout::Mapper6;
    case 7: case 8: case 11: case 15: case 34: case 41: case 66: case 225:
      return PrgLayout::First32k;
    case 19: return PrgLayout::Mapper19;
    case 48: case 64: return PrgLayout::Last8kEverywhere;
    case 91: return PrgLayout::LastLast;
    case 227: return PrgLayout::FirstFirst;
    case 228: case 241: return PrgLayout::Last32k;
    default: return PrgLayout::FirstThenLast;
  }
}

ChrLayout ChrLayoutFor(uint8_t mapper) {
  switch (mapper) {
    case 0: case 4: case 24: case 33: case 34: case 64: case 74: case 78: case 79: case 96:
    case 242:
      return ChrLayout::First8kIfRom;
    case 19: return ChrLayout::Last8k;
    case 184: return ChrLayout::Mapper184;
    case 2: case 6: case 7: case 15: case 16: case 17: case 21: case 23: case 25: case 65:
    case 71: case 90: case 91: case 227: case 231: case 232: case 241: case 245:
      return ChrLayout::None;
    default: return ChrLayout::First8k;
  }
}

void LayOutPrg(Machine& m) {
  const uint32_t count = PrgBankCount;
  const uint32_t last = count ? count - 1 : 0;
  const uint32_t last8k = count ? count * 2 - 1 : 0;
  switch (PrgLayoutFor(MapperNumber)) {
    case PrgLayout::FirstThenSecond:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, count == 1 ? 0 : 1);
      break;
    case PrgLayout::FirstThenLast:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, last);
      break;
    case PrgLayout::Mapper3:
      if (count == 2) m.CopyPrgWindow(0x8000, 32, 0);
      if (count == 1) m.CopyPrgWindow(0xC000, 16, 0);
      break;
    case PrgLayout::Mapper6:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, 7);
      break;
    case PrgLayout::First32k:
      m.CopyPrgWindow(0x8000, 32, 0);
      break;
    case PrgLayout::Mapper19:
      m.CopyPrgWindow(0xE000, 8, last8k);
      m.MovePrgWindows(0xA000, 0x8000, 0x2000);
      m.MovePrgWindows(0xC000, 0x8000, 0x2000);
      break;
    case PrgLayout::Last8kEverywhere:
      for (uint16_t window = 0x8000; window != 0; window += 0x2000)
        m.CopyPrgWindow(window, 8, last8k);
      break;
    case PrgLayout::LastLast:
      m.CopyPrgWindow(0x8000, 16, last);
      m.CopyPrgWindow(0xC000, 16, last);
      break;
    case PrgLayout::FirstFirst:
      m.CopyPrgWindow(0x8000, 16, 0);
      m.CopyPrgWindow(0xC000, 16, 0);
      break;
    case PrgLayout::Last32k:
      // The final 32 KB of the image; a one-unit image shows its unit twice.
      m.CopyPrg32At16kUnit(count >= 2 ? count - 2 : 0);
      if (count < 2) m.CopyPrgWindow(0xC000, 16, 0);
      break;
  }
}

void LayOutChr(Machine& m) {
  switch (ChrLayoutFor(MapperNumber)) {
    case ChrLayout::First8kIfRom:
      if (ChrBankCount == 0) break;
      [[fallthrough]];
    case ChrLayout::First8k:
      m.CopyChrNoDecode(0x0000, 8, 0);
      break;
    case ChrLayout::Last8k:
      m.CopyChrNoDecode(0x0000, 8, ChrBankCount ? ChrBankCount - 1 : 0);
      break;
    case ChrLayout::Mapper184:
      m.CopyChrNoDecode(0x0000, 4, 2);
      m.CopyChrNoDecode(0x1000, 4, 3);
      break;
    case ChrLayout::None:
      break;
  }
}

// The mapper number after the cleaning rules.
uint8_t HeaderMapperNumber(const uint8_t* header) {
  uint8_t mapper = (header[7] & 0xF0) | (header[6] >> 4);
  // Old dumping tools wrote "DiskDude!" over bytes 7-15; its 'D' must not leak into the number.
  if (header[7] == 'D' && header[8] == 'i' && header[9] == 's')
    mapper = (header[6] >> 4) | (header[7] & 0x30);
  return mapper == 248 ? 4 : mapper;
}

// Every refusal is decided from the header alone, before anything is stored. The three
// identification lines are logged for any iNES header, so an unsupported board is named.
uint8_t HeaderProblem(const uint8_t* header, size_t headerRead) {
  if (headerRead < 3 || header[0] != 'N' || header[1] != 'E' || header[2] != 'S')
    return kLoadNotInes;
  if (header[4] > kMaxPrgUnits || header[5] > kMaxChrUnits) return kLoadTooLarge;
  if (!IsSupportedMapper(HeaderMapperNumber(header))) {
    RefusedMapperNumber = HeaderMapperNumber(header);
    return kLoadUnsupportedMapper;
  }
  return kLoadOk;
}

uint8_t CheckHeader(const uint8_t* header, size_t headerRead) {
  const uint8_t problem = HeaderProblem(header, headerRead);
  if (problem == kLoadNotInes || problem == kLoadTooLarge) return problem;
  const uint8_t mapper = HeaderMapperNumber(header);
  LogText("ROM image identified as Mapper#");
  LogNumberLine(mapper);
  LogText("ROM bank:");
  LogNumberLine(header[4]);
  LogText("VROM bank:");
  LogNumberLine(header[5]);
  return problem;
}

// What follows the header (trainer, PRG, CHR) as the header sizes it, read whole before
// anything changes; whatever the file lacks stays zero.
struct ImageBody {
  std::vector<uint8_t> Bytes;
  size_t Read = 0;
  size_t TrainerSize = 0;
  size_t PrgSize = 0;
  bool HeaderWhole = false;

  // A header cut short, or PRG declared but less than one 16 KB unit of it in the file:
  // nothing a program could start from. (A header that declares no PRG is taken as it is.)
  bool Truncated() const {
    const size_t prgRead = Read > TrainerSize ? Read - TrainerSize : 0;
    return !HeaderWhole || (PrgSize != 0 && prgRead < kPrgUnitSize);
  }
};

ImageBody ReadBody(FILE* file, const uint8_t* header, size_t headerRead) {
  ImageBody body;
  body.TrainerSize = (header[6] & 4) ? 512 : 0;
  body.PrgSize = header[4] * size_t{kPrgUnitSize};
  body.Bytes.resize(body.TrainerSize + body.PrgSize + header[5] * size_t{kChrUnitSize});
  body.HeaderWhole = headerRead == 16;
  if (body.HeaderWhole) body.Read = std::fread(body.Bytes.data(), 1, body.Bytes.size(), file);
  return body;
}

// A file shorter than its header declares is played with zeros for the missing bytes; the
// player is told how many there were.
void NoteMissingBytes(const ImageBody& body) {
  ImageBytesMissing = static_cast<uint32_t>(body.Bytes.size() - body.Read);
  if (ImageBytesMissing == 0) return;
  LogText("Missing ROM bytes read as zero:");
  LogNumberLine(static_cast<int32_t>(ImageBytesMissing));
}

}  // namespace

bool IsSupportedMapper(uint32_t mapper) {
  for (uint8_t supported : kSupported)
    if (supported == mapper) return true;
  return false;
}

uint8_t RefusedMapperNumber;
uint32_t ImageBytesMissing;
namespace {
std::string CartridgeReadError;  // why the file could not be read, for LoadFailureText
}  // namespace

std::string LoadFailureText(uint8_t code) {
  switch (code) {
    case kLoadCannotOpen:
      return CartridgeReadError.empty() ? "cannot open the file"
                                        : "cannot open the file: " + CartridgeReadError;
    case kLoadNotInes: return "not an iNES image";
    case kLoadUnsupportedMapper: return "unsupported mapper " + std::to_string(RefusedMapperNumber);
    case kLoadTooLarge: return "image too large (more than 64 PRG or CHR units)";
    case kLoadIsFolder: return "is a folder, not a cartridge image";
    case kLoadTruncated: return "image truncated (less than one 16 KB PRG bank)";
    default: return "unknown failure";
  }
}

namespace {

// The image is read whole through the one reader (a pipe or a device is refused at once) and
// then parsed from memory; `bytes` must outlive the stream.
FILE* OpenCartridge(const char* path, std::vector<uint8_t>& bytes, uint8_t& code) {
  CartridgeReadError = ReadWholeFile(path, bytes, kLargestCartridgeFile);
  code = CartridgeReadError.empty() ? kLoadOk : kLoadCannotOpen;
  if (CartridgeReadError == "is a folder") code = kLoadIsFolder;
  if (code != kLoadOk) return nullptr;
  if (bytes.empty()) bytes.push_back(0);  // fmemopen refuses an empty buffer; too short anyway
  FILE* file = fmemopen(bytes.data(), bytes.size(), "rb");
  if (!file) code = kLoadCannotOpen, CartridgeReadError = std::strerror(errno);
  return file;
}

}  // namespace

uint8_t Machine::LoadCartridge(const char* path) {
  std::vector<uint8_t> bytes;
  uint8_t code;
  FILE* file = OpenCartridge(path, bytes, code);
  return file ? LoadCartridgeStream(file) : code;
}

uint8_t CheckCartridgeFile(const char* path) {
  std::vector<uint8_t> bytes;
  uint8_t code;
  FILE* file = OpenCartridge(path, bytes, code);
  if (!file) return code;
  uint8_t header[16] = {};
  const size_t headerRead = std::fread(header, 1, 16, file);
  uint8_t problem = HeaderProblem(header, headerRead);
  if (problem == kLoadOk && ReadBody(file, header, headerRead).Truncated())
    problem = kLoadTruncated;
  std::fclose(file);
  return problem;
}

uint8_t Machine::LoadCartridgeStream(std::FILE* file) {
  uint8_t header[16] = {};
  const size_t headerRead = std::fread(header, 1, 16, file);
  const uint8_t code = CheckHeader(header, headerRead);
  if (code != kLoadOk) {
    std::fclose(file);
    return code;
  }
  const ImageBody body = ReadBody(file, header, headerRead);
  std::fclose(file);
  if (body.Truncated()) return kLoadTruncated;
  // Nothing is refused from here on, so nothing before this point changed the machine.
  std::memset(PrgWindowBank, 255, sizeof PrgWindowBank);
  std::memset(ChrWindowBank, 255, sizeof ChrWindowBank);
  ForgetPrgWindows();  // the store is about to change under them
  PrgBankCount = header[4];
  ChrBankCount = header[5];
  VerticalMirroring = header[6] & 1;
  SramEnable = (header[6] >> 1) & 1;
  TrainerPresent = (header[6] >> 2) & 1;
  FourScreen = (header[6] >> 3) & 1;
  MapperNumber = HeaderMapperNumber(header);
  if (MapperNumber == 225) VerticalMirroring = 1;

  if (ChrBankCount) CpuMemory[kPpuStatus] |= 0x10;
  const uint8_t* bytes = body.Bytes.data();
  if (TrainerPresent) std::memcpy(CpuMemory + 0x7000, bytes, 512);
  // The whole stores are rewritten, so nothing of an earlier image can survive.
  const size_t prgSize = PrgBankCount * kPrgUnitSize, chrSize = ChrBankCount * kChrUnitSize;
  // An image declaring no units of a kind has nothing to copy (and no bytes to point into).
  if (prgSize) std::memcpy(PrgRom, bytes + body.TrainerSize, prgSize);
  std::memset(PrgRom + prgSize, 0, sizeof PrgRom - prgSize);
  if (chrSize) std::memcpy(ChrRom, bytes + body.TrainerSize + prgSize, chrSize);
  std::memset(ChrRom + chrSize, 0, sizeof ChrRom - chrSize);
  NoteMissingBytes(body);
  OneScreenHigh = 0;

  LayOutPrg(*this);
  LayOutChr(*this);
  PowerOnBoardRegisters(*this);
  return kLoadOk;
}

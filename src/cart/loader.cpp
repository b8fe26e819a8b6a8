// iNES image loader: header, ROM stores and trainer; the board table lays out the power-on banks.
#include "cart/loader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"
#include "files/files.h"
#include "log/log.h"

namespace {

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
    case kLoadNotInes:
      return "not an iNES image";
    case kLoadUnsupportedMapper:
      return "unsupported mapper " + std::to_string(RefusedMapperNumber);
    case kLoadTooLarge:
      return "image too large (more than 64 PRG or CHR units)";
    case kLoadIsFolder:
      return "is a folder, not a cartridge image";
    case kLoadTruncated:
      return "image truncated (less than one 16 KB PRG bank)";
    default:
      return "unknown failure";
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
  ForgetDecodedChr();  // likewise the decoded CHR pages
  PrgBankCount = header[4];
  ChrBankCount = header[5];
  VerticalMirroring = header[6] & 1;
  SramEnable = (header[6] >> 1) & 1;
  TrainerPresent = (header[6] >> 2) & 1;
  FourScreen = (header[6] >> 3) & 1;
  SelectBoard(*this, HeaderMapperNumber(header));

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

  PowerOnBoard(*this);
  return kLoadOk;
}

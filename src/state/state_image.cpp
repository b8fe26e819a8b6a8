// One field list serves both directions, so the writer and the reader cannot drift apart.
// Multi-byte values are little-endian whatever the host.
#include "state/state_image.h"

#include <algorithm>
#include <cstring>

#include "cart/board_table.h"
#include "core/globals.h"
#include "core/machine.h"

namespace {

constexpr char kMagic[3] = {'H', 'S', 'V'};
constexpr size_t kDescriptionOffset = 3;
constexpr size_t kPrgWindowsOffset = 1282 + 0x8000;  // CpuMemory $8000-$FFFF in the image

struct ImageWriter {
  uint8_t* At;
  void Bytes(uint8_t* field, size_t size) {
    std::memcpy(At, field, size);
    At += size;
  }
  void Byte(uint8_t& field) { *At++ = field; }
  void Word(uint16_t& field) {
    *At++ = static_cast<uint8_t>(field);
    *At++ = static_cast<uint8_t>(field >> 8);
  }
  void Long(uint32_t& field) {
    for (int shift = 0; shift < 32; shift += 8) *At++ = static_cast<uint8_t>(field >> shift);
  }
};

struct ImageReader {
  const uint8_t* At;
  void Bytes(uint8_t* field, size_t size) {
    std::memcpy(field, At, size);
    At += size;
  }
  void Byte(uint8_t& field) { field = *At++; }
  void Word(uint16_t& field) {
    field = static_cast<uint16_t>(At[0] | (At[1] << 8));
    At += 2;
  }
  void Long(uint32_t& field) {
    field = static_cast<uint32_t>(At[0] | (At[1] << 8) | (At[2] << 16)) |
            (static_cast<uint32_t>(At[3]) << 24);
    At += 4;
  }
};

template <class Io>
void CartridgeDescription(Machine& m, Io& io) {
  io.Long(PrgBankCount);
  io.Long(ChrBankCount);
  io.Long(m.VerticalMirroring);
  io.Long(SramEnable);
  io.Long(TrainerPresent);
  io.Long(m.FourScreen);
  uint32_t mapper = MapperNumber;  // one byte here, four in the file
  io.Long(mapper);
  MapperNumber = static_cast<uint8_t>(mapper);
}

template <class Io>
void CpuAndMapperBlock(Machine& m, Io& io) {
  io.Byte(m.P);
  io.Byte(m.S);
  io.Word(m.PC);
  io.Byte(m.A);
  io.Byte(m.X);
  io.Byte(m.Y);
  io.Byte(m.Spare0);
  io.Byte(m.OneScreenHigh);
  io.Bytes(m.BankRegs, sizeof m.BankRegs);
  io.Bytes(m.ExtraRegs, sizeof m.ExtraRegs);
  io.Byte(m.MapperMode);
  io.Word(m.MapperWord);
  io.Word(m.IrqCounter);
  io.Byte(m.IrqEnabled);
  io.Word(m.BankTarget);
  io.Word(m.BankSize);
  io.Word(m.PrgSwapTarget);
  io.Bytes(m.Spare1, sizeof m.Spare1);
  io.Byte(m.ShiftValue);
  io.Byte(m.ShiftCount);
  io.Bytes(m.Mmc1Regs, sizeof m.Mmc1Regs);
  io.Byte(m.CommandIndex);
  io.Byte(m.PrgSelect);
  io.Bytes(m.Mapper48Regs, sizeof m.Mapper48Regs);
  io.Byte(m.MapperFlag);
  io.Byte(m.IrqAckEnable);
  io.Word(m.NamcoSoundAddress);
}

template <class Io>
void PpuAndPortBlock(Machine& m, Io& io) {
  io.Bytes(m.PadReadIndex, sizeof m.PadReadIndex);
  io.Bytes(m.PadBits, sizeof m.PadBits);
  io.Word(m.TempAddress);
  io.Word(m.VramAddress);
  io.Byte(m.WriteToggle);
  io.Byte(m.PatternsDirty);
  io.Byte(m.Spare2);
  io.Byte(m.FineX);
  io.Byte(m.FineY);
  io.Byte(m.Spare3);
  io.Byte(m.AddressJustSet);
  io.Byte(m.VblankPeriod);
  io.Byte(m.LineCounter);
  io.Byte(m.LineReload);
  io.Byte(m.LineIrqEnabled);
  io.Byte(m.FirstSelectPending);
  io.Byte(m.OneScreenLow);
  io.Byte(m.IrqLatch);
  io.Word(m.IrqWord);
}

// Everything after the magic, in file order.
template <class Io>
void StateFields(Machine& m, Io& io) {
  CartridgeDescription(m, io);
  io.Bytes(m.NameTableScratch, sizeof m.NameTableScratch);
  io.Bytes(m.RenderPalette, sizeof m.RenderPalette);
  io.Bytes(m.NamcoSoundRam, sizeof m.NamcoSoundRam);
  CpuAndMapperBlock(m, io);
  io.Bytes(m.CpuMemory, sizeof m.CpuMemory);
  io.Bytes(m.PpuMemory, sizeof m.PpuMemory);
  io.Bytes(m.SpriteRam, sizeof m.SpriteRam);
  PpuAndPortBlock(m, io);
}

uint32_t LongAt(const uint8_t* data, size_t index) {
  ImageReader reader{data + kDescriptionOffset + index * 4};
  uint32_t value;
  reader.Long(value);
  return value;
}

// The piece size and step at which a board takes PRG into $8000-$FFFF: 8 KB banks, except the
// boards that fill 8 KB windows from 4 KB offsets.
uint32_t PrgPieceSize() { return CurrentBoardHas(kPrgPieces4k) ? 0x1000 : 0x2000; }

bool AllZero(const uint8_t* bytes, uint32_t size) {
  return std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == 0; });
}

// A piece of the windows as a board can leave it: a copy of the ROM at a step the board uses,
// or zeros (a window the board never fills, or a bank number past the ROM's data, where the
// store is zero).
bool PieceOfThisRom(const Machine& m, const uint8_t* piece, uint32_t size) {
  if (AllZero(piece, size)) return true;
  const uint32_t romSize = PrgBankCount * kPrgUnitSize;
  for (uint32_t offset = 0; offset + size <= romSize; offset += size)
    if (std::memcmp(piece, m.PrgRom + offset, size) == 0) return true;
  return false;
}

// Only bank copies ever reach $8000-$FFFF, so what the image holds there tells whose ROM it
// was saved with, even where the cartridge description agrees.
bool HoldsThisCartridgesPrg(const Machine& m, const uint8_t* data) {
  const uint32_t size = PrgPieceSize();
  for (uint32_t at = 0; at < 0x8000; at += size)
    if (!PieceOfThisRom(m, data + kPrgWindowsOffset + at, size)) return false;
  return true;
}

}  // namespace

void WriteStateImage(Machine& m, uint8_t* image) {
  std::memcpy(image, kMagic, sizeof kMagic);
  ImageWriter writer{image + sizeof kMagic};
  StateFields(m, writer);
}

const char* StateImageProblem(const Machine& m, const uint8_t* data, size_t size) {
  if (size < kStateImageSize) return "file too short";
  if (std::memcmp(data, kMagic, sizeof kMagic) != 0) return "not a state file";
  // PRG count, CHR count and mapper: the running cartridge's stores stay as they are, so a
  // state from another cartridge would run its program on foreign banks.
  if (LongAt(data, 0) != PrgBankCount || LongAt(data, 1) != ChrBankCount ||
      LongAt(data, 6) != MapperNumber || !HoldsThisCartridgesPrg(m, data))
    return "saved from another cartridge";
  return nullptr;
}

const char* LoadStateImage(Machine& m, const uint8_t* data, size_t size) {
  if (const char* problem = StateImageProblem(m, data, size)) return problem;
  ImageReader reader{data + sizeof kMagic};
  StateFields(m, reader);
  m.DecodePatterns(0, 0x2000);
  m.ForgetPrgWindows();
  std::memset(m.PrgWindowBank, 255, sizeof m.PrgWindowBank);
  std::memset(m.ChrWindowBank, 255, sizeof m.ChrWindowBank);
  m.ResetExactCpu();
  // The image holds none of the exact mode's counters and latches: they start afresh, but
  // for the frame IRQ's enable, which $4017's byte keeps (its last write, or reset's $42 with
  // the IRQ off): a game that switched it off must not meet an IRQ it has no handler for.
  m.ExactApu = {};
  m.ExactApu.SequencerMode = m.CpuMemory[0x4017];
  m.ExactPpu = {};
  return nullptr;
}

// The whole emulated console in one object. Fields are grouped by the file that owns them;
// every address space is a flat byte array holding what the hardware shows at that address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/exact_state.h"
#include "core/picture_caches.h"
#include "core/sound_state.h"

// A fuzz build puts poisoned bytes after each array (core/machine_guards.cpp), so that an
// overrun into the neighbouring field is caught, not only one past the whole object. The
// normal build's layout is untouched.
#ifdef HALVOREN_MACHINE_GUARDS
constexpr size_t kMachineGuardBytes = 32;
#define HALVOREN_GUARD_AFTER(field) uint8_t field##Guard[kMachineGuardBytes];
#else
#define HALVOREN_GUARD_AFTER(field)
#endif

struct Machine {
#ifdef HALVOREN_MACHINE_GUARDS
  Machine();  // zeroed, as value-initialisation leaves it, with the guards poisoned
  Machine(const Machine&) = delete;  // a whole copy would read the guards
#endif

  // --- Memory stores (cart/loader.cpp, cart/banks.cpp) ---
  uint8_t NameTableScratch[0x400];  // page hidden while a one-screen mode is in force
  HALVOREN_GUARD_AFTER(NameTableScratch)
  uint8_t PrgRom[64 * 0x4000];  // 64 units of 16 KB, beyond the image zero
  HALVOREN_GUARD_AFTER(PrgRom)
  uint8_t ChrRom[64 * 0x2000];  // 64 units of 8 KB
  HALVOREN_GUARD_AFTER(ChrRom)
  uint8_t RenderPalette[32];  // renderer's copy of $3F00-$3F1F
  HALVOREN_GUARD_AFTER(RenderPalette)

  // --- CPU registers (core/cpu*.cpp, core/interrupts.cpp) ---
  uint8_t P;
  uint8_t S;
  uint16_t PC;
  uint8_t A;
  uint8_t X;
  uint8_t Y;

  // --- Cartridge and mapper registers (cart/board_*.cpp); one byte serves many boards ---
  uint8_t Spare0;
  uint8_t OneScreenHigh;
  uint8_t BankRegs[15];
  HALVOREN_GUARD_AFTER(BankRegs)
  uint8_t ExtraRegs[15];
  HALVOREN_GUARD_AFTER(ExtraRegs)
  uint8_t MapperMode;
  uint16_t MapperWord;
  uint16_t IrqCounter;
  uint8_t IrqEnabled;
  uint16_t BankTarget;
  uint16_t BankSize;
  uint16_t PrgSwapTarget;
  uint8_t Spare1[2];
  HALVOREN_GUARD_AFTER(Spare1)
  uint8_t ShiftValue;
  uint8_t ShiftCount;
  uint8_t Mmc1Regs[4];
  HALVOREN_GUARD_AFTER(Mmc1Regs)
  uint8_t CommandIndex;
  uint8_t PrgSelect;
  uint8_t Mapper48Regs[2];
  HALVOREN_GUARD_AFTER(Mapper48Regs)
  uint8_t MapperFlag;
  uint8_t IrqAckEnable;
  uint16_t NamcoSoundAddress;

  // --- Address spaces and caches ---
  uint8_t CpuMemory[0x10000];  // core/read_bus.cpp, cart/write_bus.cpp
  HALVOREN_GUARD_AFTER(CpuMemory)
  uint8_t PpuMemory[0x4000];  // ppu/registers.cpp, cart/banks.cpp
  HALVOREN_GUARD_AFTER(PpuMemory)
  uint8_t PatternCache[0x8000];  // ppu/pattern_cache.cpp
  HALVOREN_GUARD_AFTER(PatternCache)
  uint8_t SpriteRam[256];  // ppu/registers.cpp
  HALVOREN_GUARD_AFTER(SpriteRam)
  uint8_t NamcoSoundRam[128];  // apu (expansion sound)
  HALVOREN_GUARD_AFTER(NamcoSoundRam)

  // --- PPU latches, controller ports, line counters (ppu/registers.cpp, session/pads.cpp) ---
  uint8_t PadReadIndex[2];
  HALVOREN_GUARD_AFTER(PadReadIndex)
  uint8_t PadBits[2];
  HALVOREN_GUARD_AFTER(PadBits)
  uint16_t TempAddress;
  uint16_t VramAddress;
  uint8_t WriteToggle;
  uint8_t PatternsDirty;
  uint8_t Spare2;
  uint8_t FineX;
  uint8_t FineY;
  uint8_t Spare3;
  uint8_t AddressJustSet;
  uint8_t VblankPeriod;
  uint8_t LineCounter;
  uint8_t LineReload;
  uint8_t LineIrqEnabled;
  uint8_t FirstSelectPending;
  uint8_t OneScreenLow;
  uint8_t IrqLatch;
  uint16_t IrqWord;

  // --- Appended (ppu/pattern_cache.cpp): the pattern bytes the cache was last decoded from,
  // so that a bank write bringing back the bytes already in place decodes nothing.
  uint8_t DecodedPatterns[0x2000];
  HALVOREN_GUARD_AFTER(DecodedPatterns)
  // --- Appended (cart/banks.cpp): what each 8 KB window of $8000-$FFFF holds, as its offset in
  // the PRG store plus one (0: unknown), so that a switch to the bank in place copies nothing.
  uint32_t PrgWindowSource[4];

  // --- Name-table mirroring (cart/loader.cpp, banks.cpp, the board files): set from the header,
  // changed by mapper writes; the state image carries both flags with the cartridge's facts.
  uint32_t VerticalMirroring;
  uint32_t FourScreen;

  // Nothing below is in the state image: what the emulation carries from frame to frame
  // besides the console's own memories and latches.

  // --- Pattern cache windows (ppu/pattern_cache.cpp): what each holds and what is still to come
  // from the decoded CHR store. Describes the pattern cache, so it travels (or not) with it.
  PatternWindows PatternWindowState;
  HALVOREN_GUARD_AFTER(PatternWindowState)

  // --- Window bank records (cart/banks.cpp, the board files): the bank copied into each 8 KB
  // PRG window and 1 KB CHR window, 255 none recorded. A state load clears them, so a stale
  // record only costs a copy; rewind carries them with the windows they describe.
  uint8_t PrgWindowBank[4] = {255, 255, 255, 255};
  HALVOREN_GUARD_AFTER(PrgWindowBank)
  uint8_t ChrWindowBank[8] = {255, 255, 255, 255, 255, 255, 255, 255};
  HALVOREN_GUARD_AFTER(ChrWindowBank)

  // --- Namco 106 (cart/board_namco.cpp): the two console name-table pages saved while a table
  // shows a CHR ROM page.
  uint8_t CiramSave[2][0x400];
  HALVOREN_GUARD_AFTER(CiramSave)

  // --- Scanline counters (cart/board_*.cpp): added whenever a counter is loaded. Start-up sets
  // it from the configuration and hot keys change it; rewind leaves it as the player set it.
  int16_t IrqAdjust;

  // --- What the layers below cart/ do differently for the loaded board; cart/ sets these from
  // the board's row at load. The sound chip (apu/ plays it); the registers that read below
  // $8000 (null: every such read is the stored byte); the renderer's tile latch, which flips
  // CHR banks on tiles $FD/$FE; the NMI entering a loaded trainer at $7000.
  SoundChip CartridgeChip = SoundChip::None;
  uint8_t (*BoardRead)(Machine& m, uint16_t address) = nullptr;
  bool TileLatch = false;
  bool TrainerNmi = false;

  // --- CPU timing (core/cpu.cpp): the alternate core's cycles over or under its last budget ---
  int16_t CycleCarry;

  // --- Exact mode's CPU (core/cpu_exact.cpp); used by the exact mode alone, and not in the
  // state image: a state loaded puts them back to their power-on zero.
  uint8_t CycleThirds;  // thirds of a cycle the lines so far have left over (0-2)
  // The interrupt inputs the exact CPU polls before every instruction. NmiPending: set by a
  // source that raises the NMI in the middle of a line; the CPU clears it when it enters the
  // NMI. IrqLine: one bit per source holding the IRQ line (low on the console); each source
  // clears its own bit when acknowledged, and the IRQ is entered while any bit is set and I is
  // clear.
  uint8_t NmiPending;
  uint8_t IrqLine;

  // --- APU change flags (apu/registers.cpp): which channel has something new to pick up;
  // the three channels that start flagged pick up their registers in the first frame.
  uint32_t Pulse1Changed;
  uint32_t Pulse1SweepWritten;
  uint32_t Pulse2Changed;
  uint32_t Pulse2SweepWritten;
  uint32_t TriangleChanged = 1;
  uint32_t NoiseChanged = 1;
  uint32_t DmcChanged = 1;
  uint32_t NoiseLength;  // frames; loaded by a $400F write

  // --- Sound channels (apu/pulse.cpp, triangle.cpp, noise.cpp, delta.cpp) ---
  PulseChannel Pulse1;
  PulseChannel Pulse2;
  TriangleChannel Triangle;
  NoiseChannel Noise;
  DeltaChannel Delta;
  uint16_t NoiseIndex;  // position in the long noise sequence, shared by all frames

  // --- Expansion sound (cart/board_vrc6.cpp stores, apu/vrc6.cpp, apu/namco.cpp) ---
  // VRC6 registers: row = channel ($9000 -> 0, $A000 -> 1, $B000 -> 2), column = address AND 3.
  uint8_t Vrc6Registers[3][3];
  HALVOREN_GUARD_AFTER(Vrc6Registers)
  Vrc6Channel Vrc6Channels[kVrc6ChannelCount];
  HALVOREN_GUARD_AFTER(Vrc6Channels)
  NamcoChannel NamcoChannels[kNamcoChannelCount];
  HALVOREN_GUARD_AFTER(NamcoChannels)

  // --- Renderer (ppu/renderer.cpp, ppu/registers.cpp) ---
  uint8_t Sprite0Armed;      // set at each frame start, cleared by the frame's first hit
  uint32_t SpriteRamStores;  // the CPU's stores into sprite RAM ($2004, DMA): "it stood still"
  BackgroundTiles BackgroundTileCache;
  HALVOREN_GUARD_AFTER(BackgroundTileCache)
  SpriteLines RenderSpriteLines;
  HALVOREN_GUARD_AFTER(RenderSpriteLines)
  // The frame loop runs: the renderer's tables are held against the console only when
  // something may have changed what they came from.
  uint8_t FrameLoopRunning;
  uint32_t RenderSpriteStores;  // SpriteRamStores when the table was last held against sprite RAM
  uint32_t PpuSpaceWrites;      // CPU writes from $2000 up: any may change a name table

  // --- Skipped frames' sprite approximation (frame/emulate_frame.cpp): the overflow table, held
  // against sprite RAM once a frame and again only after a store into it.
  uint8_t SkippedFrameSpritesChecked;
  uint32_t SpriteStoresChecked;  // SpriteRamStores when the table was last held against it
  SpriteLines SkippedFrameSprites;
  HALVOREN_GUARD_AFTER(SkippedFrameSprites)

  // --- Exact mode (apu/frame_counter.cpp, ppu/exact_registers.cpp, frame/exact_frame.cpp):
  // the hardware's behaviour beside the described timing. The scroll registers themselves are
  // TempAddress and VramAddress, which the exact mode uses with the hardware's layout (fine Y
  // in bits 12-14). The APU's interrupts hold IrqLine (kFrameIrq, kDmcIrq); an NMI enabled in
  // vertical blank sets NmiPending.
  ApuCounters ExactApu;
  PpuLatches ExactPpu;

  // --- Read bus (core/read_bus.cpp) ---
  // The two frequent cases are one array read each; devices sit behind the slow path.
  [[gnu::always_inline]] inline uint8_t CpuRead(uint32_t address) {
    address &= 0xFFFF;
    if (address >= 0x8000) return CpuMemory[address];
    if (address < 0x2000) return CpuMemory[address & 0x07FF];
    return CpuReadDevice(static_cast<uint16_t>(address));
  }
  uint8_t CpuReadDevice(uint16_t address);

  // --- Write bus and bank primitives (cart/write_bus.cpp, cart/banks.cpp) ---
  void CpuWrite(uint16_t address, uint8_t value);
  void CopyPrgWindow(uint16_t windowStart, uint32_t sizeKb, uint32_t bank);
  void CopyPrg32At16kUnit(uint32_t unit);
  void MovePrgWindows(uint16_t to, uint16_t from, uint32_t size);  // copies CPU memory and records
  void ForgetPrgWindows(uint16_t start = 0x8000, uint32_t size = 0x8000);  // after other writes
  void CopyChrWindow(uint16_t windowStart, uint32_t sizeKb, uint32_t bank);
  void CopyChrNoDecode(uint16_t windowStart, uint32_t sizeKb, uint32_t bank);
  // Copies `count` 1 KB pages into name tables `to` onward; every board's name-table copy
  // goes through it, so a four-screen image's own tables 2 and 3 are never written over.
  void CopyNameTables(int to, const uint8_t* from, int count = 1);
  void SetHorizontalMirroring();
  void SetVerticalMirroring();
  void SetOneScreenLow();
  void SetOneScreenHigh();
  void RestoreHorizontal();
  void RestoreVertical();
  void Mmc1ChangePrgMode(uint8_t oldMode, uint8_t newMode);
  void PpuMemoryWrite(uint16_t address, uint8_t value);

  // --- Cartridge loader (cart/loader.cpp) ---
  uint8_t LoadCartridge(const char* path);
  uint8_t LoadCartridgeStream(std::FILE* file);  // an image already opened; closes it

  // --- PPU registers and pattern cache (ppu/registers.cpp, ppu/pattern_cache.cpp) ---
  uint8_t PpuRegisterRead(uint16_t address);
  void PpuRegisterWrite(uint16_t address, uint8_t value);
  void SpriteDma(uint8_t page);
  // The exact mode's registers (ppu/exact_registers.cpp): the hardware's scroll registers, the
  // $2007 read buffer and the data latch behind $2002's low bits.
  uint8_t PpuRegisterReadExact(uint16_t address);
  void PpuRegisterWriteExact(uint16_t address, uint8_t value);
  void DecodePatterns(uint16_t start, uint16_t length);
  void RebuildPatternCache();
  // A bank switch put CHR page `page` (1 KB) into the window at `windowStart`.
  void ShowChrPage(uint32_t windowStart, uint32_t page);
  // Brings the pattern cache up to the last bank switches; cheap when nothing is pending.
  void SyncPatternCache() {
    if (PatternWindowState.Pending) FillPendingWindows();
  }
  void FillPendingWindows();
  // The decoded pixels at pattern-cache index `index` as the last switches left them, from the
  // decoded CHR store where the cache is still to take them.
  const uint8_t* PatternPixels(uint32_t index);
  // Before the CHR store's bytes change (a cartridge load, a board keeping RAM there).
  void ForgetDecodedChr();

  // --- APU register bytes (apu/registers.cpp) ---
  void ApuRegisterWrite(uint16_t address, uint8_t value);

  // --- The exact mode's APU counters (apu/frame_counter.cpp) ---
  void ApuCounterWrite(uint16_t address, uint8_t value);  // $4000-$4017 after the store
  uint8_t ApuStatusRead();                                // $4015: reading acknowledges
  void StepApuLine();  // one line of CPU time for the frame sequencer and the sample

  // --- Sound synthesis (apu/sound_frame.cpp): one frame of every channel into its buffer ---
  void RunSoundFrame();

  // --- Controller ports (core/ports.cpp) ---
  uint8_t PadRead(int port);
  void PadStrobe(uint8_t value);

  // --- 6502 interpreter, reset and interrupts (core/cpu*.cpp, core/interrupts.cpp) ---
  void RunCpuScanline();
  void RunCpuScanlineAlt();
  void RunCpuScanlineExact();  // the exact mode's kind (core/cpu_exact.cpp)
  void ResetExactCpu();        // its fields outside the state image back to power-on
  void ResetCpu();
  void TakeNmi();
  void EnterNmi();  // the NMI's entry alone, without counting the frame
  // Both push P with bit 4 cleared when asked (the board table knows which boards do).
  void TakeIrq(bool clearBreak);        // honours the I flag
  void TakeIrqAlways(bool clearBreak);  // mapper 91's variant, no I test

  // --- Scanline renderer (ppu/renderer.cpp) ---
  // Draws picture line `line` (0-239) into one row of each layer (256 bytes each). A base row
  // not yet filled is given with its colour as `baseFill`: it is filled only if a sprite goes
  // into it. The result says whether the base row holds its pixels now.
  bool RenderScanline(uint8_t* backgroundRow, uint8_t* baseRow, int line, int baseFill = -1);
  // Around a frame's lines: in between only the CPU's stores change sprite RAM and the name
  // tables, so the renderer's tables are held against them on the first line and then only
  // after a store.
  void StartFrameRendering();
  void EndFrameRendering();
  // The exact mode's line (ppu/exact_lines.cpp), for a visible line with rendering on: the
  // position from the scroll registers, sprite 0 hit and overflow, then the next row; drawn
  // into the two rows when they are given (null: a line that is not drawn).
  void ExactScanline(uint8_t* backgroundRow, uint8_t* baseRow, int line);
  // Its drawing (ppu/renderer.cpp): the background from the position as it stands and at most
  // eight sprites, the lowest-numbered on the line; the base row is already filled.
  void DrawScanlineLayers(uint8_t* backgroundRow, uint8_t* baseRow, int line);
};

// The ROM image sizes the stores can hold.
constexpr uint32_t kPrgUnitSize = 0x4000;
constexpr uint32_t kChrUnitSize = 0x2000;
constexpr uint32_t kMaxPrgUnits = 64;
constexpr uint32_t kMaxChrUnits = 64;

// Register byte addresses kept in CpuMemory.
constexpr uint16_t kPpuControl = 0x2000;
constexpr uint16_t kPpuMask = 0x2001;
constexpr uint16_t kPpuStatus = 0x2002;
constexpr uint16_t kSpriteAddress = 0x2003;

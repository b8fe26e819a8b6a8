// The guard bytes of a fuzz build: poisoned for the address sanitizer when the machine is
// made, so that an access running off the end of one array into the next field is reported.
#include "core/machine_guards.h"

#ifdef HALVOREN_MACHINE_GUARDS
#include <sanitizer/asan_interface.h>

const size_t kMachineGuardOffsets[] = {
    offsetof(Machine, NameTableScratchGuard),
    offsetof(Machine, PrgRomGuard),
    offsetof(Machine, ChrRomGuard),
    offsetof(Machine, RenderPaletteGuard),
    offsetof(Machine, BankRegsGuard),
    offsetof(Machine, ExtraRegsGuard),
    offsetof(Machine, Spare1Guard),
    offsetof(Machine, Mmc1RegsGuard),
    offsetof(Machine, Mapper48RegsGuard),
    offsetof(Machine, CpuMemoryGuard),
    offsetof(Machine, PpuMemoryGuard),
    offsetof(Machine, PatternCacheGuard),
    offsetof(Machine, SpriteRamGuard),
    offsetof(Machine, NamcoSoundRamGuard),
    offsetof(Machine, PadReadIndexGuard),
    offsetof(Machine, PadBitsGuard),
    offsetof(Machine, DecodedPatternsGuard),
    offsetof(Machine, PatternWindowStateGuard),
    offsetof(Machine, PrgWindowBankGuard),
    offsetof(Machine, ChrWindowBankGuard),
    offsetof(Machine, CiramSaveGuard),
    offsetof(Machine, Vrc6RegistersGuard),
    offsetof(Machine, Vrc6ChannelsGuard),
    offsetof(Machine, NamcoChannelsGuard),
    offsetof(Machine, BackgroundTileCacheGuard),
    offsetof(Machine, RenderSpriteLinesGuard),
    offsetof(Machine, SkippedFrameSpritesGuard),
};
const size_t kMachineGuardCount = sizeof kMachineGuardOffsets / sizeof kMachineGuardOffsets[0];

Machine::Machine() {
  std::memset(static_cast<void*>(this), 0, sizeof *this);
  // The memset wipes the member initialisers: put back the fields that do not start at zero.
  TriangleChanged = NoiseChanged = DmcChanged = 1;
  Noise = NoiseChannel{};
  std::memset(PrgWindowBank, 255, sizeof PrgWindowBank);
  std::memset(ChrWindowBank, 255, sizeof ChrWindowBank);
  for (size_t offset : kMachineGuardOffsets)
    ASAN_POISON_MEMORY_REGION(reinterpret_cast<uint8_t*>(this) + offset, kMachineGuardBytes);
}
#endif

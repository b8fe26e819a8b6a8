#include "core/globals.h"

#include <cstring>

#include "core/settings.h"

uint32_t PrgBankCount;
uint32_t ChrBankCount;
uint32_t SramEnable;
uint32_t TrainerPresent;
uint8_t MapperNumber;

int16_t CycleAdjust;
uint32_t UseMainCore;
uint32_t ExactMode;
uint32_t CpuHalted;
uint16_t FirstHaltAddress;
uint8_t FirstHaltOpcode;
uint32_t FrameCount;
char HexDigits[16];
uint32_t IdleSkip = 1;
uint32_t BusEffects;
uint64_t IdlePassesSkipped;
uint64_t CountedPasses;
uint32_t BusyLoopHint = 0x10000;

uint8_t SaveSlot;
uint32_t Paused;
uint32_t StepCount;

void ResetGlobals() {
  PrgBankCount = ChrBankCount = 0;
  SramEnable = TrainerPresent = 0;
  MapperNumber = 0;
  CycleAdjust = 0;
  UseMainCore = ExactMode = CpuHalted = FrameCount = 0;
  IdleSkip = 1;
  BusEffects = 0;
  IdlePassesSkipped = 0;
  CountedPasses = 0;
  BusyLoopHint = 0x10000;
  FirstHaltAddress = 0;
  FirstHaltOpcode = 0;
  std::memset(HexDigits, 0, sizeof HexDigits);
  SaveSlot = 0;
  Paused = StepCount = 0;
  ResetSettings();
}

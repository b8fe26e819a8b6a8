// A console with a program placed straight into CPU memory, run on either core.
#pragma once

#include "core/trace.h"
#include "support/fixture.h"

class CpuCoreTest : public MachineTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    MachineTest::SetUp();
    UseMainCore = GetParam();
    m().S = 0xFD;
    m().P = 0x24;
  }

  bool MainCore() const { return GetParam(); }

  // Places code at `at` followed by a jump to itself, which burns whatever budget is left,
  // and points PC at it.
  void Program(const std::vector<uint8_t>& code, uint16_t at = 0x8000) {
    Place(at, code);
    const uint16_t loop = static_cast<uint16_t>(at + code.size());
    Place(loop, {0x4C, static_cast<uint8_t>(loop), static_cast<uint8_t>(loop >> 8)});
    m().PC = at;
  }
  void Place(uint16_t at, const std::vector<uint8_t>& bytes) {
    for (uint8_t byte : bytes) m().CpuMemory[at++] = byte;
  }
  // The budget of the next run on either core (each reads only its own adjustment).
  void SetBudget(int cycles) { CycleAdjust = CycleCarry = static_cast<int16_t>(cycles - 114); }
  void RunLine() { MainCore() ? m().RunCpuScanline() : m().RunCpuScanlineAlt(); }
  // Runs one line with the trace on and returns the trace.
  std::string RunLineTraced() {
    TraceFile = std::tmpfile();
    RunLine();
    std::string text;
    std::rewind(TraceFile);
    for (int ch; (ch = std::fgetc(TraceFile)) != EOF;) text += static_cast<char>(ch);
    std::fclose(TraceFile);
    TraceFile = nullptr;
    return text;
  }
};

inline std::string CoreName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "Main" : "Alt";
}

#define HALVOREN_BOTH_CORES(Suite) \
  INSTANTIATE_TEST_SUITE_P(Cores, Suite, ::testing::Values(true, false), CoreName)

// One frame of CPU time (262 scanline runs) on a representative instruction mix, per core,
// with the trace hook built in and switched off.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/globals.h"
#include "core/machine.h"
#include "core/trace.h"
#include "session/run_frame.h"

namespace {

// A loop over a 64-byte table: absolute,X loads and stores, (zp),Y and (zp,X) reads, page-zero
// ALU and read-modify-write, a subroutine call per element, compares and branches.
const std::vector<uint8_t> kProgram = {
    0xA2, 0x00,        // 8000 start: LDX #0
    0xBD, 0x00, 0x02,  // 8002 loop:  LDA $0200,X
    0x18,              // 8005        CLC
    0x69, 0x03,        // 8006        ADC #3
    0x9D, 0x00, 0x03,  // 8008        STA $0300,X
    0xB1, 0x10,        // 800B        LDA ($10),Y
    0x45, 0x20,        // 800D        EOR $20
    0x85, 0x20,        // 800F        STA $20
    0x20, 0x40, 0x80,  // 8011        JSR sub
    0xE8,              // 8014        INX
    0xE0, 0x40,        // 8015        CPX #$40
    0xD0, 0xE9,        // 8017        BNE loop
    0xC8,              // 8019        INY
    0x4C, 0x00, 0x80,  // 801A        JMP start
};
const std::vector<uint8_t> kSubroutine = {
    0xB5, 0x30,        // 8040 sub:   LDA $30,X
    0x0A,              // 8042        ASL A
    0x26, 0x40,        // 8043        ROL $40
    0x29, 0x7F,        // 8045        AND #$7F
    0x01, 0x50,        // 8047        ORA ($50,X)
    0xF9, 0x10, 0x02,  // 8049        SBC $0210,Y
    0xC9, 0x80,        // 804C        CMP #$80
    0x90, 0x02,        // 804E        BCC done
    0xC6, 0x41,        // 8050        DEC $41
    0x60,              // 8052 done:  RTS
};

std::unique_ptr<Machine> MakeMachine() {
  ResetSession();
  TraceFile = nullptr;
  auto machine = std::make_unique<Machine>();
  Machine& m = *machine;
  std::memset(m.CpuMemory, 0x02, 0x100);  // every page-zero pointer is $0202
  m.CpuMemory[0x10] = 0x00;
  m.CpuMemory[0x11] = 0x04;
  for (int i = 0; i < 0x600; ++i) m.CpuMemory[0x200 + i] = static_cast<uint8_t>(i * 7);
  std::memcpy(m.CpuMemory + 0x8000, kProgram.data(), kProgram.size());
  std::memcpy(m.CpuMemory + 0x8040, kSubroutine.data(), kSubroutine.size());
  m.PC = 0x8000;
  m.S = 0xFD;
  m.P = 0x24;
  return machine;
}

void BM_CpuFrameMainCore(benchmark::State& state) {
  auto machine = MakeMachine();
  for (auto _ : state) {
    for (int line = 0; line < 262; ++line) machine->RunCpuScanline();
    benchmark::DoNotOptimize(machine->A);
  }
}
BENCHMARK(BM_CpuFrameMainCore)->Unit(benchmark::kMicrosecond);

void BM_CpuFrameAltCore(benchmark::State& state) {
  auto machine = MakeMachine();
  for (auto _ : state) {
    for (int line = 0; line < 262; ++line) machine->RunCpuScanlineAlt();
    benchmark::DoNotOptimize(machine->A);
  }
}
BENCHMARK(BM_CpuFrameAltCore)->Unit(benchmark::kMicrosecond);

// The exact mode's kind on the same program: its frame holds 29781 cycles, not 29868.
void BM_CpuFrameExact(benchmark::State& state) {
  auto machine = MakeMachine();
  for (auto _ : state) {
    for (int line = 0; line < 262; ++line) machine->RunCpuScanlineExact();
    benchmark::DoNotOptimize(machine->A);
  }
}
BENCHMARK(BM_CpuFrameExact)->Unit(benchmark::kMicrosecond);

}  // namespace

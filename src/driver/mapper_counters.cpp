// Counting always happens; the firing branch (IRQ, reload, disable) is skipped while the CPU's
// I flag is set, so a counter that reaches its value then runs on and fires later.
#include "driver/mapper_counters.h"

#include "core/globals.h"
#include "core/machine.h"
#include "log/log.h"

namespace {

bool IrqMasked(const Machine& m) { return m.P & 0x04; }
bool RenderingOn(const Machine& m) { return m.CpuMemory[kPpuMask] & 0x18; }

// The cycle-counting boards count CPU cycles of a scanline, corrected by IrqAdjust.
uint16_t AddCycles(uint16_t counter, int cycles) {
  return static_cast<uint16_t>(counter + cycles + IrqAdjust);
}

void StepBandai(Machine& m) {  // 16
  if (!m.IrqLatch) return;
  m.IrqWord = AddCycles(m.IrqWord, -116);
  if (m.IrqWord > 0xFF80 && !IrqMasked(m)) {
    m.IrqWord = 0xFF00;
    m.IrqLatch = 0;
    m.TakeIrq();
  }
}

void StepCopierA(Machine& m) {  // 17
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m.IrqCounter, 114);
  if (m.IrqCounter > 0xFF7F && !IrqMasked(m)) {
    m.IrqCounter = 0;
    m.TakeIrq();
  }
}

void StepJaleco(Machine& m) {  // 18
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m.IrqCounter, -114);
  if (m.IrqCounter < 0x81 && !IrqMasked(m)) {
    m.IrqCounter = 0xFFFF;
    m.IrqEnabled = 0;
    m.TakeIrq();
  }
}

// The Namco counter runs a little fast on the first IRQs of a frame; IrqWord counts them.
void StepNamco(Machine& m, int line) {  // 19
  if (m.IrqEnabled != 1) return;
  if (line == 0) m.IrqWord = 0;
  int step = 114;
  if (m.IrqWord == 0) step += 5;
  if (m.IrqWord == 2) step += 1;
  m.IrqCounter = static_cast<uint16_t>(m.IrqCounter + step);
  if (m.IrqCounter < 0x74 && !IrqMasked(m)) {  // it passed $FFFF
    if (line > 10) {
      m.TakeIrq();
      ++m.IrqWord;
    }
    m.IrqCounter = 0xFFFF;
    m.IrqEnabled = 0;
  }
}

// Konami line counters: count up, fire at the threshold, reload from the latch.
void StepKonami(Machine& m, int threshold, uint16_t reload) {  // 21, 23, 25
  if (!m.IrqEnabled) return;
  ++m.IrqCounter;
  if (static_cast<int>(m.IrqCounter) >= threshold && !IrqMasked(m)) {
    m.IrqCounter = reload;
    m.IrqEnabled = m.IrqAckEnable;
    m.TakeIrq();
  }
}

void StepVrc6(Machine& m) {  // 24
  if (!m.IrqEnabled) return;
  ++m.IrqCounter;
  if (m.IrqCounter >= 0xFF && !IrqMasked(m)) {
    m.IrqCounter = m.IrqWord;
    m.IrqEnabled = (m.IrqEnabled & 1) * 3;
    m.TakeIrq();
  }
}

void StepSunsoft(Machine& m) {  // 69
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m.IrqCounter, -114);
  if (m.IrqCounter < 0x81 && !IrqMasked(m)) {
    m.IrqCounter = 0xFFFF;
    m.TakeIrq();
  }
}

void StepCopierB(Machine& m) {  // 6
  if (!m.IrqEnabled) return;
  m.IrqCounter = AddCycles(m.IrqCounter, 114);
  if (m.IrqCounter >= 0xFF80 && !IrqMasked(m)) {
    m.IrqCounter = 0;
    m.TakeIrq();
  }
}

// Mapper 91 raises its IRQ on the line after it is enabled, through the variant that ignores I.
void StepMapper91(Machine& m) {
  if (!m.IrqEnabled) return;
  m.IrqCounter = 0;
  m.IrqEnabled = 0;
  m.TakeIrqAlways();
}

void StepVrc3(Machine& m) {  // 73
  --m.IrqCounter;
  if (m.IrqEnabled && m.IrqCounter == 0 && !IrqMasked(m)) {
    m.IrqEnabled = 0;
    m.IrqCounter = 0xFF;
    m.TakeIrq();
  }
}

// The MMC3-like boards differ in when the counter runs, whether it needs rendering on, what
// happens after the IRQ and what they log first.
enum class LineRule { Always, WhileEnabled };
enum class AfterIrq { Disable, Reload, DisableAndReload };

struct LineBoard {
  LineRule runs;
  bool needsRendering;
  AfterIrq after;
  const char* logText;  // written just before the IRQ, or null
  int logLength;
};

void StepLineBoard(Machine& m, const LineBoard& board) {
  if (board.runs == LineRule::WhileEnabled && !m.LineIrqEnabled) return;
  if (!board.needsRendering || RenderingOn(m)) --m.LineCounter;
  if (!m.LineIrqEnabled || m.LineCounter != 0 || IrqMasked(m)) return;
  if (board.logText) LogText(board.logText, board.logLength);
  if (board.after != AfterIrq::Reload) m.LineIrqEnabled = 0;
  if (board.after != AfterIrq::Disable) m.LineCounter = m.LineReload;
  m.TakeIrq();
}

constexpr LineBoard kMmc3{LineRule::Always, true, AfterIrq::Disable, nullptr, 0};
constexpr LineBoard kMapper26{LineRule::WhileEnabled, false, AfterIrq::Disable, nullptr, 0};
constexpr LineBoard kMapper74{LineRule::WhileEnabled, true, AfterIrq::Disable, "IRQ\n", 4};
constexpr LineBoard kMapper118{LineRule::Always, true, AfterIrq::Reload, nullptr, 0};
constexpr LineBoard kMapper160{LineRule::Always, false, AfterIrq::DisableAndReload, nullptr, 0};
constexpr LineBoard kMapper161{LineRule::WhileEnabled, false, AfterIrq::DisableAndReload, nullptr,
                               0};
constexpr LineBoard kMapper245{LineRule::Always, false, AfterIrq::Disable, "W", 1};
constexpr LineBoard kMapper249{LineRule::Always, true, AfterIrq::Disable, "IRQ\n", 4};

}  // namespace

void StepCountersA(Machine& m, int line) {
  switch (MapperNumber) {
    case 16:
      StepBandai(m);
      break;
    case 17:
      StepCopierA(m);
      break;
    case 18:
      StepJaleco(m);
      break;
    case 19:
      StepNamco(m, line);
      break;
    case 21:
      StepKonami(m, 0xFF, m.IrqLatch);
      break;
    case 23:
      StepKonami(m, 0xFD, static_cast<uint16_t>(m.IrqLatch + m.LineIrqEnabled));
      break;
    case 24:
      StepVrc6(m);
      break;
    case 25:
      StepKonami(m, 255 + IrqAdjust, m.IrqLatch);
      break;
    case 69:
      StepSunsoft(m);
      break;
    default:
      break;
  }
}

void StepCountersB(Machine& m) {
  switch (MapperNumber) {
    case 6:
      StepCopierB(m);
      break;
    case 91:
      StepMapper91(m);
      break;
    case 4:
      StepLineBoard(m, kMmc3);
      break;
    case 26:
      StepLineBoard(m, kMapper26);
      break;
    case 73:
      StepVrc3(m);
      break;
    case 74:
      StepLineBoard(m, kMapper74);
      break;
    case 118:
      StepLineBoard(m, kMapper118);
      break;
    case 160:
      StepLineBoard(m, kMapper160);
      break;
    case 161:
      StepLineBoard(m, kMapper161);
      break;
    case 245:
      StepLineBoard(m, kMapper245);
      break;
    case 249:
      StepLineBoard(m, kMapper249);
      break;
    default:
      break;
  }
}

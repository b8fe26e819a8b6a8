// APU register change flags: the write bus marks which channel has something new, and the
// once-per-frame synthesis consumes the marks.
#pragma once

#include <cstdint>

extern uint32_t Pulse1Changed;
extern uint32_t Pulse1SweepWritten;
extern uint32_t Pulse2Changed;
extern uint32_t Pulse2SweepWritten;
extern uint32_t TriangleChanged;
extern uint32_t NoiseChanged;
extern uint32_t DmcChanged;
extern uint32_t NoiseLength;  // frames; loaded by a $400F write

void ResetApuRegisterFlags();

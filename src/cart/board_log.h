// Boards whose unknown registers were only being studied write each such write to the log:
// the address on one line, the value on the next, up to the log's bound for board lines.
#pragma once

#include <cstdint>

#include "log/log.h"

inline void LogBoardWrite(uint16_t address, uint8_t value) {
  LogBoardNumberLine(address);
  LogBoardNumberLine(value);
}

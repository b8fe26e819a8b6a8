// Boards whose unknown registers were only being studied write each such write to the log:
// the address on one line, the value on the next.
#pragma once

#include <cstdint>

#include "log/log.h"

inline void LogBoardWrite(uint16_t address, uint8_t value) {
  LogNumberLine(address);
  LogNumberLine(value);
}

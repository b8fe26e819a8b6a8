// Words for a halted CPU, for the program's last message.
#pragma once

#include <string>

// "the CPU halted on bad opcode $07 at $C000 in frame 57"; meaningful once CpuHalted is set.
std::string HaltReason();

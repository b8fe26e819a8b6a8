// Where the guard bytes of a fuzz build sit inside the Machine, for code that must copy or
// compare a machine around them.
#pragma once

#include "core/machine.h"

#ifdef HALVOREN_MACHINE_GUARDS
extern const size_t kMachineGuardOffsets[];  // in field order
extern const size_t kMachineGuardCount;
#endif

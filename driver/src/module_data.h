// Reading the module's memory over the bus: command 33 puts it on the data
// output port, block reads take it off.
#pragma once

#include "bus_access.h"

namespace orsadrv {

// Reads `count` bytes from module address `address` into `destination`.
// False when a bus request failed (the destination is then partly filled).
bool ReadModuleData(DWORD device, DWORD address, DWORD count, BYTE* destination);

}  // namespace orsadrv

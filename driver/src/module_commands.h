// The module's command block: memory read-out (33), single-pass processing
// (37, 39, 40, 42, 44) and statistics passes (36, 38, 41, 43), and waiting
// for a command with its result bytes.
#pragma once

#include <span>

#include "bus_access.h"

namespace orsadrv {

inline constexpr BYTE kCommandRefused = 255;

// Programs and starts `command` over `length` bytes from `source` to
// `destination`; 0, or 255 (nothing written) for a command the module does
// not have.
int StartModuleCommand(DWORD device, BYTE command, DWORD destination, DWORD source, DWORD length,
                       BYTE parameter);
// Polls the status until the command is done or its time is up (8 ms for
// 37, 121 ms for the others), then reads up to three result bytes into
// `results` and idles the command block. False when the time ran out (the
// results are read as they stand).
bool WaitForModuleCommand(DWORD device, BYTE command, std::span<BYTE> results);

}  // namespace orsadrv

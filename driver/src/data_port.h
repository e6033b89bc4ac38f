// The module's memory through its data port (module registers 32 bank
// select, 34 write address, 35 read address, 33 data, auto-advancing), and
// the uploads of the module program and the quantiser codes.
#pragma once

#include <span>

#include "bus_access.h"

namespace orsadrv {

inline constexpr std::size_t kModuleProgramBytes = camera_hardware::module::kProgramBytes;
inline constexpr std::size_t kQuantiserCodes = 128;

// Each returns 0 or the first bus failure, after which it stops.
int WriteDataPort(DWORD device, BYTE address, std::span<const BYTE> bytes);
int ReadDataPort(DWORD device, BYTE address, std::span<BYTE> bytes);

int UploadModuleProgram(DWORD device, std::span<const BYTE, kModuleProgramBytes> program);
// -2 when the module stops answering (a bus failure or it never takes a
// code); the codes after that are not sent.
int UploadQuantiserCodes(DWORD device, std::span<const BYTE, kQuantiserCodes> codes);

// The module program this driver loads.
std::span<const BYTE, kModuleProgramBytes> ModuleProgram();

}  // namespace orsadrv

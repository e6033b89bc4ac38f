// The module's memory through its data port (module registers 32 bank
// select, 34 write address, 35 read address, 33 data, auto-advancing), and
// the uploads of the module program and the quantiser codes.
#pragma once

#include <span>

#include "bus_access.h"

namespace orsadrv {

inline constexpr BYTE kMemoryBank = 3;
inline constexpr std::size_t kModuleProgramBytes = 1620;
inline constexpr std::size_t kQuantiserCodes = 128;

void WriteDataPort(DWORD device, BYTE address, std::span<const BYTE> bytes);
void ReadDataPort(DWORD device, BYTE address, std::span<BYTE> bytes);

void UploadModuleProgram(DWORD device, std::span<const BYTE, kModuleProgramBytes> program);
// -2 when the module stops answering (a bus failure or it never takes a
// code); the codes after that are not sent.
int UploadQuantiserCodes(DWORD device, std::span<const BYTE, kQuantiserCodes> codes);

// The module program this driver loads.
std::span<const BYTE, kModuleProgramBytes> ModuleProgram();

}  // namespace orsadrv

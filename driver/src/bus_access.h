// Register and data access to the card through the bus client table:
// CMD52 bytes, CMD53 block reads and the burst write, the bus clock and
// block length. Results: 0 or a byte value on success, -1 for a refused
// function number, -2 for a failed bus operation.
#pragma once

#include <span>
#include <utility>

#include "driver_state.h"

namespace orsadrv {

inline constexpr int kRefused = -1;
inline constexpr int kBusFailure = -2;

// The camera module's registers sit in function 1 at 0x10000 + r.
inline constexpr DWORD kModuleRegisterBase = 0x10000;
// Function 1 address of the module's data output port.
inline constexpr DWORD kDataOutputPort = 7;
inline constexpr DWORD kBlockBytes = 64;
// One read request: 256 blocks of 64 bytes.
inline constexpr DWORD kBlocksPerRequest = 256;

int WriteRegister(DWORD device, BYTE function, DWORD address, BYTE value);
int ReadRegister(DWORD device, BYTE function, DWORD address);
int WriteModuleRegister(DWORD device, BYTE module_register, BYTE value);
int ReadModuleRegister(DWORD device, BYTE module_register);
// Writes a 24-bit value low byte first to three registers from `first`.
void WriteModuleRegister24(DWORD device, BYTE first, DWORD value);

// Reads `length` bytes from the data output port in 16 KB requests, the
// remainder in whole blocks through a scratch buffer.
int BlockRead(DWORD device, BYTE* buffer, DWORD length);

using RegisterValue = std::pair<BYTE, BYTE>;
// One byte-mode CMD53 write of the register/value pairs to function 0,
// fixed address 0x10000.
int BurstWrite(DWORD device, std::span<const RegisterValue> pairs);

// Sets the bus clock through the interface settings; a failed query leaves
// it unchanged.
int SetBusClock(DWORD device, DWORD hz);
int SetBlockLength(DWORD device);

}  // namespace orsadrv

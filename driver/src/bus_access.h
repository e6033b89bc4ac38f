// Register and data access to the card through the bus client table:
// CMD52 bytes, CMD53 block reads and the burst write, the bus clock and
// block length. Results: 0 or a byte value on success, -1 for a refused
// function number, -2 for a failed bus operation.
#pragma once

#include <span>
#include <utility>

#include "driver/module_tables.h"
#include "driver_state.h"
#include "hardware/camera_registers.h"

namespace orsadrv {

inline constexpr int kRefused = -1;
inline constexpr int kBusFailure = -2;

using camera_hardware::interface::kDataOutputPort;
using camera_hardware::interface::kModuleRegisterBase;
inline constexpr DWORD kBlockBytes = 64;
// One read request: 256 blocks of 64 bytes.
inline constexpr DWORD kBlocksPerRequest = 256;

int WriteRegister(DWORD device, BYTE function, DWORD address, BYTE value);
int ReadRegister(DWORD device, BYTE function, DWORD address);
int WriteModuleRegister(DWORD device, BYTE module_register, BYTE value);
int ReadModuleRegister(DWORD device, BYTE module_register);
// Writes a 24-bit value low byte first to three registers from `first`;
// stops at the first failure and returns it.
int WriteModuleRegister24(DWORD device, BYTE first, DWORD value);

// Reads `length` bytes from the data output port in 16 KB requests, the
// remainder in whole blocks through a scratch buffer.
int BlockRead(DWORD device, BYTE* buffer, DWORD length);

// A run of register work that stops at the first bus failure: the steps
// after it are skipped, and the run reports that one failure at its end
// (a sticky error) instead of going on with a failed read taken as 0.
class BusSequence {
 public:
  explicit BusSequence(DWORD device) : device_(device) {}
  DWORD device() const { return device_; }
  bool failed() const { return error_ < 0; }
  // 0, or the first bus failure.
  int result() const { return error_; }

  // Runs one step that returns a result unless an earlier step failed; a
  // bus failure is kept. Other negative results (a serial-bus time-out)
  // are the caller's to judge.
  template <typename Step>
  int Run(Step&& step) {
    if (failed()) return error_;
    const int result = step();
    if (result == kBusFailure) error_ = result;
    return result;
  }
  int Write(BYTE function, DWORD address, BYTE value) {
    return Run([&] { return WriteRegister(device_, function, address, value); });
  }
  int Read(BYTE function, DWORD address) {
    return Run([&] { return ReadRegister(device_, function, address); });
  }
  int WriteModule(BYTE module_register, BYTE value) {
    return Run([&] { return WriteModuleRegister(device_, module_register, value); });
  }
  int ReadModule(BYTE module_register) {
    return Run([&] { return ReadModuleRegister(device_, module_register); });
  }
  int WriteModule24(BYTE first, DWORD value) {
    return Run([&] { return WriteModuleRegister24(device_, first, value); });
  }
  // Walks a table of module register writes in order.
  int WriteModules(std::span<const RegisterValue> table) {
    for (const auto& [module_register, value] : table) WriteModule(module_register, value);
    return error_;
  }
  // Sleeps unless the run has already failed.
  void Sleep(DWORD ms);

 private:
  DWORD device_;
  int error_ = 0;
};
// One byte-mode CMD53 write of the register/value pairs to function 0,
// fixed address 0x10000.
int BurstWrite(DWORD device, std::span<const RegisterValue> pairs);

// Sets the bus clock through the interface settings; a failed query leaves
// it unchanged.
int SetBusClock(DWORD device, DWORD hz);
int SetBlockLength(DWORD device);

}  // namespace orsadrv

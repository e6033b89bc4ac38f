// A bus client for tests: the client function table of one device handle,
// with the register and block transfers the module's programming uses.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "platform/sd_bus.h"

namespace card::testing {

class BusClient {
 public:
  explicit BusClient(platform::DWORD device);

  platform::DWORD device() const { return device_; }
  const platform::sd::ClientFunctions& table() const { return table_; }
  // The first failure since the last Clear, or success.
  platform::LONG status() const { return status_; }
  void ClearStatus() { status_ = platform::sd::kStatusSuccess; }

  platform::LONG Write(platform::BYTE function, platform::DWORD address, platform::BYTE value);
  platform::BYTE Read(platform::BYTE function, platform::DWORD address);
  void WriteModule(platform::BYTE reg, platform::BYTE value) { Write(1, 0x10000 + reg, value); }
  platform::BYTE ReadModule(platform::BYTE reg) { return Read(1, 0x10000 + reg); }
  // 64-byte blocks from the data output port (function 1, fixed address 7).
  platform::LONG ReadBlocks(platform::DWORD blocks, platform::BYTE* buffer);
  // Module register/value pairs in one byte-mode write to function 0.
  platform::LONG BurstWrite(std::span<const std::pair<platform::BYTE, platform::BYTE>> pairs);

  platform::LONG SetClock(platform::DWORD hz);
  platform::LONG SetBlockLength(platform::DWORD length);
  platform::LONG EnableFunction();
  platform::sd::InterfaceSettings QueryInterface();

 private:
  platform::LONG Note(platform::LONG status);

  platform::DWORD device_;
  platform::sd::ClientFunctions table_;
  platform::LONG status_ = platform::sd::kStatusSuccess;
};

}  // namespace card::testing

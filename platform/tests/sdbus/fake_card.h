// A card for the bus tests: a register file per function and a data port
// that logs what reaches it.
#pragma once

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sd_card.h"

namespace platform::sd::fakes {

class FakeCard : public SdCard {
 public:
  CardIdentity Identity() override {
    std::lock_guard lock(mutex_);
    return identity;
  }
  bool ReadRegister(BYTE function, DWORD address, BYTE* value) override {
    std::lock_guard lock(mutex_);
    if (fail_transfers) return false;
    // Function 0 register 3 shows the functions enabled in register 2 ready.
    *value = function == 0 && address == 3 ? registers[{0, 2}] : registers[{function, address}];
    return true;
  }
  bool WriteRegister(BYTE function, DWORD address, BYTE value) override {
    std::lock_guard lock(mutex_);
    if (fail_transfers) return false;
    registers[{function, address}] = value;
    return true;
  }
  bool ReadData(const DataTransfer& transfer, std::span<BYTE> data) override {
    std::lock_guard lock(mutex_);
    if (fail_transfers) return false;
    transfers.push_back(transfer);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(next_byte++);
    return true;
  }
  bool WriteData(const DataTransfer& transfer, std::span<const BYTE> data) override {
    std::lock_guard lock(mutex_);
    if (fail_transfers) return false;
    transfers.push_back(transfer);
    written.insert(written.end(), data.begin(), data.end());
    return true;
  }

  std::mutex mutex_;
  CardIdentity identity{
      .card_address = 7,
      .manufacturer = 0x0296,
      .card_id = 0x5347,
      .function_info = {
          .function_number = 1, .device_code = 5, .cis_pointer = 0x1000, .capabilities = 0x13}};
  bool fail_transfers = false;
  std::map<std::pair<BYTE, DWORD>, BYTE> registers;
  std::vector<DataTransfer> transfers;
  std::vector<BYTE> written;
  unsigned next_byte = 0;
};

}  // namespace platform::sd::fakes

// The module's data port: four banks of 256 parameter bytes reached through
// the bank select (32), write address (34), read address (35) and data (33)
// registers; every data access advances its address.
#pragma once

#include <array>
#include <cstdint>

namespace card::internal {

class DataPort {
 public:
  void Reset();
  void SelectBank(std::uint8_t bank) { bank_ = bank & 3; }
  void SetWriteAddress(std::uint8_t address) { write_address_ = address; }
  void SetReadAddress(std::uint8_t address) { read_address_ = address; }
  void Write(std::uint8_t value) { banks_[bank_][write_address_++] = value; }
  std::uint8_t Read() { return banks_[bank_][read_address_++]; }

  // The module's own view of bank 3, where its parameters live.
  std::uint8_t Parameter(std::uint8_t address) const { return banks_[3][address]; }
  void SetParameter(std::uint8_t address, std::uint8_t value) { banks_[3][address] = value; }

 private:
  std::array<std::array<std::uint8_t, 256>, 4> banks_{};
  std::uint8_t bank_ = 0;
  std::uint8_t write_address_ = 0;
  std::uint8_t read_address_ = 0;
};

}  // namespace card::internal

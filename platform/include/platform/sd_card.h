// The card side of the SD bus: what a card in the slot answers to. The bus
// (sd_bus.h) turns its clients' requests into these calls after it has
// spent the transfer's time on the handheld's clock, so a card that keeps
// time reads the clock with CardClockUs() and sees every access in order.
#pragma once

#include <cstdint>
#include <span>

#include "platform/types.h"

namespace platform::sd {

// The I/O function information record (16 bytes), as the card's common
// registers and information structure describe its function.
struct IoFunctionInfo {
  BYTE function_number = 1;
  BYTE device_code = 0;  // standard interface code of the function
  BYTE reserved1[2] = {};
  DWORD cis_pointer = 0;  // the function's information structure
  DWORD csa_pointer = 0;
  BYTE capabilities = 0;  // the card capability register
  BYTE reserved2[3] = {};
};
static_assert(sizeof(IoFunctionInfo) == 16);

// What the bus learns about a card when it is inserted.
struct CardIdentity {
  WORD card_address = 1;  // the relative card address the bus assigned
  WORD manufacturer = 0;  // with card_id, selects the client driver
  WORD card_id = 0;
  IoFunctionInfo function_info;
  DWORD max_clock_hz = 25'000'000;  // 0: the card reports no usable clock
};

// One CMD53 transfer as the card sees it.
struct DataTransfer {
  BYTE function = 0;
  DWORD address = 0;          // 17 bits
  bool incrementing = false;  // false: every byte at the same address (a port)
  bool block_mode = false;
  DWORD count = 0;       // blocks in block mode, bytes in byte mode
  DWORD block_size = 0;  // block mode only
};

class SdCard {
 public:
  virtual ~SdCard() = default;

  virtual CardIdentity Identity() = 0;
  // One CMD52 byte. False when the card gives no valid response.
  virtual bool ReadRegister(BYTE function, DWORD address, BYTE* value) = 0;
  virtual bool WriteRegister(BYTE function, DWORD address, BYTE value) = 0;
  // One CMD53 transfer of data.size() bytes. False on a data error.
  virtual bool ReadData(const DataTransfer& transfer, std::span<BYTE> data) = 0;
  virtual bool WriteData(const DataTransfer& transfer, std::span<const BYTE> data) = 0;
};

// The current handheld's clock in microseconds since boot.
std::uint64_t CardClockUs();

}  // namespace platform::sd

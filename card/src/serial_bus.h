// The module's serial bus to the sensor: start, stop, send, receive and
// acknowledge steps commanded through register 36, with the byte to send in
// 39, the byte received in 38 and busy (bit 7) in the status register 13.
// Each step takes the time it takes on a 100 kHz bus.
#pragma once

#include <cstdint>

#include "sensor.h"

namespace card::internal {

class SerialBus {
 public:
  explicit SerialBus(Sensor& sensor) : sensor_(sensor) {}
  void Reset();
  void Command(std::uint8_t command, std::uint8_t transmit, std::uint64_t now_us);
  std::uint8_t Status(std::uint64_t now_us) const;
  std::uint8_t Received() const { return received_; }

 private:
  Sensor& sensor_;
  bool started_ = false;
  int bytes_sent_ = 0;  // since the last start
  bool writing_ = false;
  bool reading_ = false;
  std::uint8_t pointer_ = 0;
  bool no_acknowledge_ = false;
  std::uint8_t received_ = 0;
  std::uint64_t busy_until_us_ = 0;
};

}  // namespace card::internal

#include "serial_bus.h"

#include "hardware/camera_registers.h"

namespace card::internal {

namespace {

// Fast mode, 400 kHz: nine clocks a byte with its acknowledge, one for the
// rest.
constexpr std::uint64_t kByteUs = 23;
constexpr std::uint64_t kConditionUs = 3;
constexpr std::uint8_t kNoAcknowledge = 0x01;

using namespace camera_hardware::serial;

}  // namespace

void SerialBus::Reset() {
  started_ = false;
  bytes_sent_ = 0;
  writing_ = reading_ = false;
  no_acknowledge_ = false;
  received_ = 0;
  busy_until_us_ = 0;
}

void SerialBus::Command(std::uint8_t command, std::uint8_t transmit, std::uint64_t now_us) {
  std::uint64_t takes = kConditionUs;
  switch (command) {
    case kStart:
      started_ = true;
      bytes_sent_ = 0;
      writing_ = reading_ = false;
      break;
    case kStop:
      started_ = false;
      writing_ = reading_ = false;
      break;
    case kSend:
      takes = kByteUs;
      no_acknowledge_ = true;
      if (!started_) break;
      if (bytes_sent_ == 0) {
        writing_ = transmit == kSensorWrite;
        reading_ = transmit == kSensorRead;
        no_acknowledge_ = !writing_ && !reading_;
      } else if (writing_) {
        // The first byte after the address sets the register, the next
        // ones are written to it and onwards.
        if (bytes_sent_ == 1) {
          pointer_ = transmit;
        } else {
          sensor_.Write(pointer_++, transmit);
        }
        no_acknowledge_ = false;
      }
      ++bytes_sent_;
      break;
    case kReceive:
      takes = kByteUs;
      received_ = started_ && reading_ ? sensor_.Read(pointer_++) : 0xFF;
      break;
    case kAcknowledge:
    default:
      break;
  }
  busy_until_us_ = now_us + takes;
}

std::uint8_t SerialBus::Status(std::uint64_t now_us) const {
  return (now_us < busy_until_us_ ? kBusy : 0) | (no_acknowledge_ ? kNoAcknowledge : 0);
}

}  // namespace card::internal

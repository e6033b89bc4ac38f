#include "sensor.h"

#include "hardware/camera_registers.h"

namespace card::internal {

namespace {

using namespace camera_hardware::sensor;

// What the sensor counts while it calibrates.
constexpr int kFirstCounted = 1024;
constexpr int kSecondCounted = 1824;

}  // namespace

Sensor::Sensor() {
  // Power-on: full field, unity gains pending and latched.
  for (int position = 0; position < 4; ++position) {
    registers_[kGains + 2 * position + 1] = 1;
    gains_[position] = 256;
  }
  registers_[kReadDirection] = 0x08;
}

int Sensor::Subsampling() const {
  const std::uint8_t control = registers_[kControl];
  return 1 << (((control >> 3) & 1) + ((control >> 4) & 1));
}

void Sensor::Write(std::uint8_t reg, std::uint8_t value) {
  registers_[reg] = value;
  if (reg != kControl) return;
  if (value & kLatchGains) {
    for (int position = 0; position < 4; ++position) {
      gains_[position] = registers_[kGains + 2 * position] | registers_[kGains + 2 * position + 1]
                                                                 << 8;
    }
  }
  if (value & kCalibrate) {
    registers_[kFirstCount] = kFirstCounted & 0xFF;
    registers_[kFirstCount + 1] = kFirstCounted >> 8;
    registers_[kSecondCount] = kSecondCounted & 0xFF;
    registers_[kSecondCount + 1] = kSecondCounted >> 8;
  }
}

}  // namespace card::internal

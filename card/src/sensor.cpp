#include "sensor.h"

namespace card::internal {

namespace {

// What the sensor counts while it calibrates (registers 0x46-0x49).
constexpr int kFirstCount = 1024;
constexpr int kSecondCount = 1824;
constexpr std::uint8_t kLatch = 0x80;
constexpr std::uint8_t kCalibrate = 0x02;

}  // namespace

Sensor::Sensor() {
  // Power-on: full field, unity gains pending and latched.
  for (int position = 0; position < 4; ++position) {
    registers_[32 + 2 * position + 1] = 1;
    gains_[position] = 256;
  }
  registers_[17] = 0x08;
}

int Sensor::Subsampling() const {
  const std::uint8_t control = registers_[0];
  return 1 << (((control >> 3) & 1) + ((control >> 4) & 1));
}

void Sensor::Write(std::uint8_t reg, std::uint8_t value) {
  registers_[reg] = value;
  if (reg != 0) return;
  if (value & kLatch) {
    for (int position = 0; position < 4; ++position) {
      gains_[position] = registers_[32 + 2 * position] | registers_[33 + 2 * position] << 8;
    }
  }
  if (value & kCalibrate) {
    registers_[0x46] = kFirstCount & 0xFF;
    registers_[0x47] = kFirstCount >> 8;
    registers_[0x48] = kSecondCount & 0xFF;
    registers_[0x49] = kSecondCount >> 8;
  }
}

}  // namespace card::internal

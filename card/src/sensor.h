// The image sensor behind the serial bus: its register file, the colour
// gains that take effect when register 0 is written with bit 7, the
// read-out mode, and the calibration counts.
#pragma once

#include <array>
#include <cstdint>

namespace card::internal {

class Sensor {
 public:
  Sensor();
  std::uint8_t Read(std::uint8_t reg) const { return registers_[reg]; }
  void Write(std::uint8_t reg, std::uint8_t value);

  // Exposure in rows of the current read-out mode (registers 28, 29).
  int Exposure() const { return registers_[28] | (registers_[29] & 0x0F) << 8; }
  // 1 for the full field, 2 or 4 for the sub-sampled read-out modes
  // (register 0 bits 3 and 4).
  int Subsampling() const;
  // Register 17: the read-out runs the other way round.
  bool ReversedReadout() const { return registers_[17] & 0x10; }
  // Latched gains of the four pixel positions, 256 = 1.0.
  int Gain(int position) const { return gains_[position]; }

 private:
  std::array<std::uint8_t, 256> registers_{};
  std::array<int, 4> gains_{};
};

}  // namespace card::internal

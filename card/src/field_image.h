// A still picture of the whole field, kept at full size and at the half
// and quarter sizes of the sub-sampled read-outs (each made once, when
// first asked for, by averaging).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace card::internal {

class FieldImage {
 public:
  // rgb: kFieldWidth x kFieldHeight pixels, red first.
  explicit FieldImage(std::vector<std::uint8_t> rgb);

  // Copies a window of the reduced field, shifted right by shift_x full
  // pixels; outside positions repeat the edge.
  void Copy(int scale, int x, int y, int width, int height, int shift_x,
            std::span<std::uint8_t> rgb);

 private:
  const std::vector<std::uint8_t>& Level(int scale);
  std::array<std::vector<std::uint8_t>, 3> levels_;  // scale 1, 2, 4
};

}  // namespace card::internal

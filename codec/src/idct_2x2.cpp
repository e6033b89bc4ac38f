// Two-point reduced transform for the 1/4 reduction. Its constants are folded
// into the dequantisation: coefficient (u, v) is multiplied by
// round(131072 * a(u) * a(v)). Columns 2, 4 and 6 are not needed.
#include <array>

#include "idct.h"
#include "range_limit.h"

namespace codec {
namespace {

constexpr double kA[8] = {1.0, 0.90612745, 0.5, 0.31818965, 0.5, 0.21260752, 0.5, 0.18023996};

constexpr std::array<int64_t, 64> BuildPremultipliers() {
  std::array<int64_t, 64> t{};
  for (int u = 0; u < 8; ++u) {
    for (int v = 0; v < 8; ++v) t[u * 8 + v] = static_cast<int64_t>(131072 * kA[u] * kA[v] + 0.5);
  }
  return t;
}
constexpr std::array<int64_t, 64> kPremultiplier = BuildPremultipliers();

constexpr int kUsed[5] = {0, 1, 3, 5, 7};

}  // namespace

void InverseDct2x2(const int32_t* block, BlockShape shape, uint8_t* out, int stride) {
  const bool only_dc = shape.OnlyDc();
  // Column pass: top and bottom value of each used column.
  int64_t top[8] = {}, bottom[8] = {};
  for (int col : kUsed) {
    if (only_dc && col != 0) continue;
    const auto at = [&](int row) { return block[row * 8 + col] * kPremultiplier[row * 8 + col]; };
    const int64_t even = at(0);
    const int64_t odd = at(1) - at(3) + at(5) - at(7);
    top[col] = even + odd;
    bottom[col] = even - odd;
  }
  for (int row = 0; row < 2; ++row) {
    const int64_t* x = row == 0 ? top : bottom;
    const int64_t even = x[0];
    const int64_t odd = x[1] - x[3] + x[5] - x[7];
    out[row * stride] = RangeLimit((even + odd) >> 20);
    out[row * stride + 1] = RangeLimit((even - odd) >> 20);
  }
}

}  // namespace codec

// The inverse DCTs against the arithmetic written out plainly, without the
// shortcuts and lanes of the decoder's routines: results must be identical
// bit for bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "code_paths.h"
#include "idct.h"

namespace codec {
namespace {

using Block = std::array<int32_t, 64>;
using Samples = std::array<uint8_t, 64>;

uint8_t Limit(int64_t centred) {
  return static_cast<uint8_t>(std::clamp<int64_t>(centred + 128, 0, 255));
}

// Chen's butterfly with constants scaled by 512; `scale` 4 in the column pass.
void Chen(const int64_t* x, int64_t* y, int64_t scale) {
  const int64_t c4 = 362 * scale, cos2 = 473 * scale, sin2 = 196 * scale;
  const int64_t cos1 = 502 * scale, sin1 = 100 * scale, cos3 = 426 * scale, sin3 = 284 * scale;
  const int64_t a = ((x[0] + x[4]) * c4) >> 9, d = ((x[0] - x[4]) * c4) >> 9;
  const int64_t b = (x[2] * cos2 + x[6] * sin2) >> 9, c = (x[2] * sin2 - x[6] * cos2) >> 9;
  const int64_t e = a + b, f = a - b, g = d + c, h = d - c;
  const int64_t p = (x[1] * sin1 - x[7] * cos1) >> 9, q = (x[1] * cos1 + x[7] * sin1) >> 9;
  const int64_t r = (x[5] * cos3 - x[3] * sin3) >> 9, s = (x[3] * cos3 + x[5] * sin3) >> 9;
  const int64_t m = (((q - s) - (p - r)) * 362) >> 9, n = (((q - s) + (p - r)) * 362) >> 9;
  y[0] = e + q + s, y[7] = e - (q + s), y[1] = g + n, y[6] = g - n;
  y[2] = h + m, y[5] = h - m, y[3] = f + p + r, y[4] = f - (p + r);
}

Samples Plain8x8(const Block& block) {
  int64_t work[8][8];
  for (int col = 0; col < 8; ++col) {
    int64_t x[8], y[8];
    for (int row = 0; row < 8; ++row) x[row] = block[row * 8 + col];
    Chen(x, y, 4);
    for (int row = 0; row < 8; ++row) work[row][col] = y[row];
  }
  Samples out;
  for (int row = 0; row < 8; ++row) {
    int64_t y[8];
    Chen(work[row], y, 1);
    for (int i = 0; i < 8; ++i) {
      const int64_t v = y[i];
      out[row * 8 + i] = Limit(v >= 0 ? (v + 8) / 16 : (v - 8) / 16);
    }
  }
  return out;
}

// The four-point reduced transform, both passes without rounding terms.
void FourPoint(const int64_t* x, int64_t* out) {
  const int64_t tmp0 = x[0] * (1 << 14);
  const int64_t tmp2 = x[2] * 15137 - x[6] * 6270;
  const int64_t odd0 = -x[7] * 1730 + x[5] * 11893 - x[3] * 17799 + x[1] * 8697;
  const int64_t odd2 = -x[7] * 4176 - x[5] * 4926 + x[3] * 7373 + x[1] * 20995;
  out[0] = tmp0 + tmp2 + odd2, out[3] = tmp0 + tmp2 - odd2;
  out[1] = tmp0 - tmp2 + odd0, out[2] = tmp0 - tmp2 - odd0;
}

Samples Plain4x4(const Block& block) {
  int64_t work[4][8] = {};
  for (int col = 0; col < 8; ++col) {
    if (col == 4) continue;
    int64_t x[8], y[4];
    for (int row = 0; row < 8; ++row) x[row] = block[row * 8 + col];
    FourPoint(x, y);
    for (int row = 0; row < 4; ++row) work[row][col] = y[row] >> 12;
  }
  Samples out{};
  for (int row = 0; row < 4; ++row) {
    int64_t y[4];
    FourPoint(work[row], y);
    for (int i = 0; i < 4; ++i) out[row * 8 + i] = Limit(y[i] >> 19);
  }
  return out;
}

Samples Plain2x2(const Block& block) {
  const double a[8] = {1.0, 0.90612745, 0.5, 0.31818965, 0.5, 0.21260752, 0.5, 0.18023996};
  const auto t = [&](int u, int v) { return static_cast<int64_t>(131072 * a[u] * a[v] + 0.5); };
  const int used[5] = {0, 1, 3, 5, 7};
  int64_t top[8] = {}, bottom[8] = {};
  for (int col : used) {
    const auto x = [&](int row) { return block[row * 8 + col] * t(row, col); };
    top[col] = x(0) + x(1) - x(3) + x(5) - x(7);
    bottom[col] = x(0) - (x(1) - x(3) + x(5) - x(7));
  }
  Samples out{};
  for (int row = 0; row < 2; ++row) {
    const int64_t* x = row == 0 ? top : bottom;
    const int64_t odd = x[1] - x[3] + x[5] - x[7];
    out[row * 8] = Limit((x[0] + odd) >> 20);
    out[row * 8 + 1] = Limit((x[0] - odd) >> 20);
  }
  return out;
}

// Blocks as the entropy decoder leaves them: dequantised, within the limit,
// mostly sparse like real images, some dense, some at the extremes.
Block RandomBlock(std::mt19937& random, int kind) {
  Block block{};
  std::uniform_int_distribution<int32_t> value(-kCoefficientLimit, kCoefficientLimit);
  std::uniform_int_distribution<int> position(0, 63);
  switch (kind % 6) {
    case 0:
      for (int i = 0; i < 6; ++i) block[position(random)] = value(random) / 8;
      if (random() % 3 == 0) std::fill(block.begin() + 8, block.end(), 0);  // first line
      break;
    case 1:
      for (auto& v : block) v = value(random);
      break;
    case 2:
      for (auto& v : block) v = random() % 2 ? kCoefficientLimit : -kCoefficientLimit;
      break;
    case 4:
      // Low frequencies: lines 0..3 only, sometimes columns 0..3 only too.
      for (int i = 0; i < 8; ++i) {
        const int at = position(random) % 32;
        block[random() % 2 ? at : at / 8 * 8 + at % 4] = value(random) / 4;
      }
      break;
    case 5:
      for (int i = 0; i < 8; ++i)
        block[position(random) / 8 * 8 + position(random) % 4] = value(random) / 4;
      break;
    default:
      block[0] = value(random);
      for (int i = 0; i < 8; ++i) block[position(random) % 8 * 8] = value(random) / 4;
      break;
  }
  return block;
}

Samples Transform(InverseDct idct, const Block& block, int edge) {
  Samples out{};
  BlockShape shape;
  for (int i = 0; i < 64; ++i) {
    if (block[i] == 0) continue;
    shape.lines |= static_cast<uint8_t>(1 << (i / 8));
    shape.columns |= static_cast<uint8_t>(1 << (i % 8));
  }
  idct(block.data(), shape, out.data(), 8);
  for (int row = 0; row < 8; ++row) {
    for (int col = 0; col < 8; ++col) {
      if (row >= edge || col >= edge) out[row * 8 + col] = 0;
    }
  }
  return out;
}

class InverseDct : public testing::OnEachCodePath {};
INSTANTIATE_TEST_SUITE_P(Paths, InverseDct, ::testing::ValuesIn(testing::kCodePaths),
                         testing::CodePathName);

TEST_P(InverseDct, EveryTransformMatchesItsArithmeticExactly) {
  std::mt19937 random(42);
  for (int i = 0; i < 20000; ++i) {
    Block block = RandomBlock(random, i);
    if (i % 5 == 4) std::fill(block.begin() + 1, block.end(), 0);  // DC only
    ASSERT_EQ(Transform(InverseDct8x8, block, 8), Plain8x8(block)) << i;
    ASSERT_EQ(Transform(InverseDct4x4, block, 4), Plain4x4(block)) << i;
    ASSERT_EQ(Transform(InverseDct2x2, block, 2), Plain2x2(block)) << i;
    Samples dc{};
    dc[0] = Limit(((int64_t{block[0]} + 1024) >> 3) - 128);
    ASSERT_EQ(Transform(InverseDctDcOnly, block, 1), dc) << i;
  }
}

// A run of blocks through the batch form: pairs of every shape, lone DC
// blocks between them, an odd one at the end, each block into its own place
// of a plane with its own stride.
TEST_P(InverseDct, BlocksInARunMatchTheirArithmeticExactly) {
  std::mt19937 random(7);
  for (int run = 0; run < 400; ++run) {
    const int count = 1 + run % 37;
    std::vector<Block> blocks(count);
    std::vector<PendingBlock> pending(count);
    const int stride = 8 * count + 8 * (run % 3);
    std::vector<uint8_t> plane(static_cast<size_t>(stride) * 8, 0xA5);
    for (int i = 0; i < count; ++i) {
      blocks[i] = RandomBlock(random, run + i);
      if ((run + i) % 4 == 3) std::fill(blocks[i].begin() + 1, blocks[i].end(), 0);
      BlockShape shape;
      for (int k = 0; k < 64; ++k) {
        if (blocks[i][k] == 0) continue;
        shape.lines |= static_cast<uint8_t>(1 << (k / 8));
        shape.columns |= static_cast<uint8_t>(1 << (k % 8));
      }
      pending[i] = {blocks[i].data(), shape, plane.data() + 8 * i, stride};
    }
    InverseDct8x8Blocks(pending.data(), count);
    for (int i = 0; i < count; ++i) {
      const Samples expected = Plain8x8(blocks[i]);
      for (int row = 0; row < 8; ++row) {
        for (int col = 0; col < 8; ++col) {
          ASSERT_EQ(plane[static_cast<size_t>(row) * stride + 8 * i + col], expected[row * 8 + col])
              << "run " << run << " block " << i << " at " << row << "," << col;
        }
      }
    }
    // Nothing beyond the blocks is written.
    for (int row = 0; row < 8; ++row) {
      for (int col = 8 * count; col < stride; ++col) {
        ASSERT_EQ(plane[static_cast<size_t>(row) * stride + col], 0xA5);
      }
    }
  }
}

}  // namespace
}  // namespace codec

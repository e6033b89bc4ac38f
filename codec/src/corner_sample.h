// The sample at line 0, column 0 of a block's 8x8 transform, gathered while
// the entropy decoder hands over the coefficients. A sampled decode whose
// pixels all fall on the blocks' first line and column (the 40 x 30 strip
// thumbnail of a 320 x 240 clip) needs nothing else from a block.
//
// The column pass's line 0 is, per column, four rotations (coefficient lines
// 0 and 4, 2 and 6, 1 and 7, 3 and 5), each a sum of two products shifted
// right by 9. The products are summed here as each coefficient arrives, so
// the sample comes out exactly as InverseDct8x8 makes it without a block in
// natural order to store, transform and clear.
#pragma once

#include <array>
#include <cstdint>

#include "entropy_decoder.h"
#include "idct_8x8_constants.h"
#include "range_limit.h"

namespace codec {

// What one zigzag index of a component adds: its dequantisation step, the
// column pass's constant for its line and the sum (rotation x 8 + column)
// the product joins.
struct CornerTerm {
  int32_t factor = 0;
  int16_t quant = 0;
  uint8_t sum = 0;
  uint8_t column_bit = 0;
};
using CornerTerms = std::array<CornerTerm, 64>;

// The terms of a component with quantisation table `quant` (natural order).
CornerTerms MakeCornerTerms(const int32_t* quant);

// The sample's sums for one block at a time; DecodeBlock fills them.
class CornerSample {
 public:
  void Start(const CornerTerms& terms) {
    terms_ = &terms;
    columns_ = 1;
  }
  void Dc(int32_t value) { sums_[0][0] = Dequantise(value, (*terms_)[0].quant) * kColumnPass.c4; }
  void Ac(int k, int32_t value) {
    const CornerTerm& term = (*terms_)[k];
    (&sums_[0][0])[term.sum] += DequantiseAc(value, term.quant) * term.factor;
    columns_ |= term.column_bit;
  }
  // The block's sample; the sums are left at zero for the next block.
  uint8_t Take() {
    if ((columns_ & ~3u) != 0) return TakeFromColumns();
    // Nearly every camera block has its coefficients in columns 0 and 1
    // alone, about half of them in column 0 only: both columns are taken
    // without asking which, a question the branch predictor would lose.
    // The row pass's output 0 then holds just their two rotations.
    const int32_t v0 = ColumnTerm(0);
    const int32_t v1 = ColumnTerm(1);
    return RangeLimit(DescaleSample(((v0 * kRowPass.c4) >> 9) + ((v1 * kRowPass.cos1) >> 9)));
  }

 private:
  int32_t ColumnTerm(int column) {
    int32_t value = 0;
    for (auto& rotation : sums_) {
      value += rotation[column] >> 9;
      rotation[column] = 0;
    }
    return value;
  }
  uint8_t TakeFromColumns();

  // [rotation][column]: the products before the column pass's shift.
  alignas(32) int32_t sums_[4][8] = {};
  const CornerTerms* terms_ = nullptr;
  uint8_t columns_ = 1;
};

}  // namespace codec

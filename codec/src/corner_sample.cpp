#include "corner_sample.h"

#include <bit>

namespace codec {
namespace {

// The rotation a coefficient line belongs to and its constant there.
struct LineTerm {
  int rotation;
  int32_t factor;
};

constexpr LineTerm kLineTerms[8] = {
    {0, kColumnPass.c4}, {2, kColumnPass.cos1}, {1, kColumnPass.cos2}, {3, kColumnPass.cos3},
    {0, kColumnPass.c4}, {3, kColumnPass.sin3}, {1, kColumnPass.sin2}, {2, kColumnPass.sin1},
};

}  // namespace

CornerTerms MakeCornerTerms(const int32_t* quant) {
  CornerTerms terms;
  for (int k = 0; k < 64; ++k) {
    const int position = kNaturalOrder[k];
    const int line = position >> 3;
    const int column = position & 7;
    terms[k] = {kLineTerms[line].factor, static_cast<int16_t>(quant[position]),
                static_cast<uint8_t>(kLineTerms[line].rotation * 8 + column),
                static_cast<uint8_t>(1 << column)};
  }
  return terms;
}

// The row pass's output 0 over the column terms, rotation by rotation as
// the butterfly pairs them (columns 0 and 4, 2 and 6, 1 and 7, 3 and 5).
uint8_t CornerSample::TakeFromColumns() {
  int32_t v[8] = {};
  for (unsigned columns = columns_; columns != 0; columns &= columns - 1) {
    const int column = std::countr_zero(columns);
    v[column] = ColumnTerm(column);
  }
  const ButterflyConstants& k = kRowPass;
  const int32_t a = ((v[0] + v[4]) * k.c4) >> 9;
  const int32_t b = (v[2] * k.cos2 + v[6] * k.sin2) >> 9;
  const int32_t q = (v[1] * k.cos1 + v[7] * k.sin1) >> 9;
  const int32_t s = (v[3] * k.cos3 + v[5] * k.sin3) >> 9;
  return RangeLimit(DescaleSample((a + b) + (q + s)));
}

}  // namespace codec

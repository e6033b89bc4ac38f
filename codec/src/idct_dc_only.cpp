// The 1/8 reduction: one sample per block from its DC coefficient, with an
// arithmetic shift (rounding towards minus infinity).
#include "idct.h"
#include "range_limit.h"

namespace codec {

void InverseDctDcOnly(const int32_t* block, BlockShape /*shape*/, uint8_t* out, int /*stride*/) {
  // (dc + 1024) >> 3 is the sample with 128 already added.
  *out = RangeLimit(((block[0] + 1024) >> 3) - 128);
}

}  // namespace codec

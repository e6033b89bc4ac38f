// Four-point reduced transform for the 1/2 reduction: 13-bit constants, the
// first pass shifted right by 12 and the second by 19, with no rounding term.
// Column 4 is never used by the second pass and is skipped.
#include <cstring>

#include "cpu_features.h"
#include "idct.h"
#include "range_limit.h"

namespace codec {
namespace {

constexpr int32_t kFix0211164243 = 1730;
constexpr int32_t kFix0509795579 = 4176;
constexpr int32_t kFix0601344887 = 4926;
constexpr int32_t kFix0765366865 = 6270;
constexpr int32_t kFix0899976223 = 7373;
constexpr int32_t kFix1061594337 = 8697;
constexpr int32_t kFix1451774981 = 11893;
constexpr int32_t kFix1847759065 = 15137;
constexpr int32_t kFix2172734803 = 17799;
constexpr int32_t kFix2562915447 = 20995;

// Four outputs from entries 0, 1, 2, 3, 5, 6, 7 at `step` apart, before the
// final shift; in order 0, 1, 2, 3.
template <int kStep>
inline void FourPoint(const int64_t* x, int64_t* out) {
  const int64_t tmp0 = x[0] << 14;
  const int64_t tmp2 = x[2 * kStep] * kFix1847759065 - x[6 * kStep] * kFix0765366865;
  const int64_t tmp10 = tmp0 + tmp2;
  const int64_t tmp12 = tmp0 - tmp2;
  const int64_t z1 = x[7 * kStep], z2 = x[5 * kStep], z3 = x[3 * kStep], z4 = x[kStep];
  const int64_t odd0 =
      -z1 * kFix0211164243 + z2 * kFix1451774981 - z3 * kFix2172734803 + z4 * kFix1061594337;
  const int64_t odd2 =
      -z1 * kFix0509795579 - z2 * kFix0601344887 + z3 * kFix0899976223 + z4 * kFix2562915447;
  out[0] = tmp10 + odd2;
  out[3] = tmp10 - odd2;
  out[1] = tmp12 + odd0;
  out[2] = tmp12 - odd0;
}

void InverseDctScalar(const int32_t* block, uint8_t* out, int stride) {
  int64_t in[64];
  for (int i = 0; i < 64; ++i) in[i] = block[i];
  int64_t work[4][8] = {};
  for (int col = 0; col < 8; ++col) {
    if (col == 4) continue;
    const int64_t* x = in + col;
    if ((x[8] | x[16] | x[24] | x[40] | x[48] | x[56]) == 0) {
      for (int row = 0; row < 4; ++row) work[row][col] = x[0] << 2;
      continue;
    }
    int64_t y[4];
    FourPoint<8>(x, y);
    for (int row = 0; row < 4; ++row) work[row][col] = y[row] >> 12;
  }
  for (int row = 0; row < 4; ++row) {
    int64_t y[4];
    FourPoint<1>(work[row], y);
    uint8_t* dst = out + row * stride;
    for (int i = 0; i < 4; ++i) dst[i] = RangeLimit(y[i] >> 19);
  }
}

#ifdef CODEC_HAVE_AVX2_PATHS

// With coefficients of at most kLaneLimit in magnitude every sum fits 32 bits
// (the largest is 75,261 x 75,261 / 4,096 times the limit), so the lanes
// compute in 32-bit integers what the scalar form does in 64. Valid images
// stay below 1,200; larger coefficients take the scalar form.
constexpr int32_t kLaneLimit = 1536;

// Vectors wrapped so that templates can take them.
struct Wide {
  __m256i v;
};
struct Narrow {
  __m128i v;
};
CODEC_AVX2_INLINE Wide Mul(Wide a, int32_t k) {
  return {_mm256_mullo_epi32(a.v, _mm256_set1_epi32(k))};
}
CODEC_AVX2_INLINE Wide Add(Wide a, Wide b) { return {_mm256_add_epi32(a.v, b.v)}; }
CODEC_AVX2_INLINE Wide Sub(Wide a, Wide b) { return {_mm256_sub_epi32(a.v, b.v)}; }
CODEC_AVX2_INLINE Wide Shl14(Wide a) { return {_mm256_slli_epi32(a.v, 14)}; }
CODEC_AVX2_INLINE Narrow Mul(Narrow a, int32_t k) {
  return {_mm_mullo_epi32(a.v, _mm_set1_epi32(k))};
}
CODEC_AVX2_INLINE Narrow Add(Narrow a, Narrow b) { return {_mm_add_epi32(a.v, b.v)}; }
CODEC_AVX2_INLINE Narrow Sub(Narrow a, Narrow b) { return {_mm_sub_epi32(a.v, b.v)}; }
CODEC_AVX2_INLINE Narrow Shl14(Narrow a) { return {_mm_slli_epi32(a.v, 14)}; }

// FourPoint over lanes; x[4] is not used.
template <class V>
CODEC_AVX2_INLINE void FourPointLanes(const V* x, V* out) {
  const V tmp0 = Shl14(x[0]);
  const V tmp2 = Sub(Mul(x[2], kFix1847759065), Mul(x[6], kFix0765366865));
  const V tmp10 = Add(tmp0, tmp2), tmp12 = Sub(tmp0, tmp2);
  const V odd0 = Add(Sub(Mul(x[5], kFix1451774981), Mul(x[7], kFix0211164243)),
                     Sub(Mul(x[1], kFix1061594337), Mul(x[3], kFix2172734803)));
  const V odd2 = Sub(Add(Mul(x[3], kFix0899976223), Mul(x[1], kFix2562915447)),
                     Add(Mul(x[7], kFix0509795579), Mul(x[5], kFix0601344887)));
  out[0] = Add(tmp10, odd2), out[3] = Sub(tmp10, odd2);
  out[1] = Add(tmp12, odd0), out[2] = Sub(tmp12, odd0);
}

// False when a coefficient is too large for the lanes.
__attribute__((target("avx2"))) bool InverseDctAvx2(const int32_t* block, uint8_t* out,
                                                    int stride) {
  // First pass: one lane per column.
  Wide rows[8], pass[4];
  __m256i largest = _mm256_setzero_si256();
  for (int row = 0; row < 8; ++row) {
    rows[row].v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 8 * row));
    largest = _mm256_max_epi32(largest, _mm256_abs_epi32(rows[row].v));
  }
  const __m256i too_large = _mm256_cmpgt_epi32(largest, _mm256_set1_epi32(kLaneLimit));
  if (!_mm256_testz_si256(too_large, too_large)) return false;
  FourPointLanes(rows, pass);
  __m256i work[4];
  for (int i = 0; i < 4; ++i) work[i] = _mm256_srai_epi32(pass[i].v, 12);
  // Transposed: one lane per line; each 256-bit vector holds columns c | c+4.
  const __m256i t0 = _mm256_unpacklo_epi32(work[0], work[1]);
  const __m256i t1 = _mm256_unpackhi_epi32(work[0], work[1]);
  const __m256i t2 = _mm256_unpacklo_epi32(work[2], work[3]);
  const __m256i t3 = _mm256_unpackhi_epi32(work[2], work[3]);
  const __m256i c04 = _mm256_unpacklo_epi64(t0, t2), c15 = _mm256_unpackhi_epi64(t0, t2);
  const __m256i c26 = _mm256_unpacklo_epi64(t1, t3), c37 = _mm256_unpackhi_epi64(t1, t3);
  const Narrow columns[8] = {
      {_mm256_castsi256_si128(c04)},      {_mm256_castsi256_si128(c15)},
      {_mm256_castsi256_si128(c26)},      {_mm256_castsi256_si128(c37)},
      {_mm256_extracti128_si256(c04, 1)}, {_mm256_extracti128_si256(c15, 1)},
      {_mm256_extracti128_si256(c26, 1)}, {_mm256_extracti128_si256(c37, 1)}};
  Narrow result[4];  // one per pixel column, one lane per line
  FourPointLanes(columns, result);
  const __m128i bias = _mm_set1_epi32(128);
  __m128i pixels[4];
  for (int x = 0; x < 4; ++x) pixels[x] = _mm_add_epi32(_mm_srai_epi32(result[x].v, 19), bias);
  // Saturating packs do the range limit; then bytes by line.
  const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(pixels[0], pixels[1]),
                                         _mm_packs_epi32(pixels[2], pixels[3]));
  const __m128i lines =
      _mm_shuffle_epi8(bytes, _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
  alignas(16) uint8_t staged[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(staged), lines);
  for (int row = 0; row < 4; ++row) std::memcpy(out + row * stride, staged + 4 * row, 4);
  return true;
}

#endif

}  // namespace

void InverseDct4x4(const int32_t* block, BlockShape shape, uint8_t* out, int stride) {
  if (shape.OnlyDc()) {
    const uint8_t sample = RangeLimit((int64_t{block[0]} << 2 << 14) >> 19);
    for (int row = 0; row < 4; ++row) std::memset(out + row * stride, sample, 4);
    return;
  }
  if (shape.lines == 1) {
    // First line only: each column pass yields four times its DC on every
    // line, so the four lines share one second pass.
    int64_t x[8], y[4];
    for (int col = 0; col < 8; ++col) x[col] = int64_t{block[col]} << 2;
    FourPoint<1>(x, y);
    uint8_t line[4];
    for (int i = 0; i < 4; ++i) line[i] = RangeLimit(y[i] >> 19);
    for (int row = 0; row < 4; ++row) std::memcpy(out + row * stride, line, 4);
    return;
  }
  if (shape.columns == 1) {
    // First column only: one column pass, then every line is flat.
    int64_t x[64], y[4];
    for (int row = 0; row < 8; ++row) x[8 * row] = block[8 * row];
    FourPoint<8>(x, y);
    for (int row = 0; row < 4; ++row) {
      std::memset(out + row * stride, RangeLimit(((y[row] >> 12) << 14) >> 19), 4);
    }
    return;
  }
#ifdef CODEC_HAVE_AVX2_PATHS
  if (UseAvx2() && InverseDctAvx2(block, out, stride)) return;
#endif
  InverseDctScalar(block, out, stride);
}

}  // namespace codec

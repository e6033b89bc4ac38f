// Separable eight-point transform with Chen's butterfly, columns first, in
// 32-bit integers. Every rotation (a sum of two products) and every product
// with c4 is shifted right by 9. The column pass works on four times the
// coefficients (its constants are the row pass's times four); the result of
// both passes is sixteen times the sample.
//
// Where the processor has AVX2 the block runs through eight 32-bit lanes at
// once: the column pass with one lane per column, then, transposed, the row
// pass with one lane per line. Each lane computes exactly what the scalar
// form computes for its column or line.
#include <algorithm>
#include <bit>
#include <cstring>

#include "cpu_features.h"
#include "idct.h"
#include "idct_8x8_constants.h"
#include "range_limit.h"

namespace codec {
namespace {

// One eight-point butterfly over x[0], x[step], ..., x[7 * step].
template <int kStep>
inline void Butterfly(const int32_t* x, int32_t* y, const ButterflyConstants& k) {
  const int32_t x0 = x[0], x1 = x[kStep], x2 = x[2 * kStep], x3 = x[3 * kStep];
  const int32_t x4 = x[4 * kStep], x5 = x[5 * kStep], x6 = x[6 * kStep], x7 = x[7 * kStep];
  // Even part.
  const int32_t a = ((x0 + x4) * k.c4) >> 9;
  const int32_t d = ((x0 - x4) * k.c4) >> 9;
  const int32_t b = (x2 * k.cos2 + x6 * k.sin2) >> 9;
  const int32_t c = (x2 * k.sin2 - x6 * k.cos2) >> 9;
  const int32_t e = a + b, f = a - b, g = d + c, h = d - c;
  if ((x1 | x3 | x5 | x7) == 0) {
    y[0] = e, y[7 * kStep] = e;
    y[kStep] = g, y[6 * kStep] = g;
    y[2 * kStep] = h, y[5 * kStep] = h;
    y[3 * kStep] = f, y[4 * kStep] = f;
    return;
  }
  // Odd part.
  const int32_t p = (x1 * k.sin1 - x7 * k.cos1) >> 9;
  const int32_t q = (x1 * k.cos1 + x7 * k.sin1) >> 9;
  const int32_t r = (x5 * k.cos3 - x3 * k.sin3) >> 9;
  const int32_t s = (x3 * k.cos3 + x5 * k.sin3) >> 9;
  const int32_t big_q = q + s, big_p = p + r;
  const int32_t m = (((q - s) - (p - r)) * kButterflyC4) >> 9;
  const int32_t n = (((q - s) + (p - r)) * kButterflyC4) >> 9;
  y[0] = e + big_q, y[7 * kStep] = e - big_q;
  y[kStep] = g + n, y[6 * kStep] = g - n;
  y[2 * kStep] = h + m, y[5 * kStep] = h - m;
  y[3 * kStep] = f + big_p, y[4 * kStep] = f - big_p;
}

// Output `index` of Butterfly alone: outputs 0 and 4 by their own terms,
// the others through the whole butterfly. The terms of absent coefficients
// are zero, so the butterfly's and the transforms' shortcuts give the same.
template <int kStep>
inline int32_t ButterflyOutput(const int32_t* x, const ButterflyConstants& k, int index) {
  if (index == 0 || index == 4) {
    const int32_t x1 = x[kStep], x3 = x[3 * kStep], x5 = x[5 * kStep], x7 = x[7 * kStep];
    const int32_t a = ((x[0] + x[4 * kStep]) * k.c4) >> 9;
    const int32_t b = (x[2 * kStep] * k.cos2 + x[6 * kStep] * k.sin2) >> 9;
    if (index == 0) {
      const int32_t q = (x1 * k.cos1 + x7 * k.sin1) >> 9;
      const int32_t s = (x3 * k.cos3 + x5 * k.sin3) >> 9;
      return (a + b) + (q + s);
    }
    const int32_t p = (x1 * k.sin1 - x7 * k.cos1) >> 9;
    const int32_t r = (x5 * k.cos3 - x3 * k.sin3) >> 9;
    return (a - b) - (p + r);
  }
  int32_t y[8 * kStep];
  Butterfly<kStep>(x, y, k);
  return y[index * kStep];
}

// Column by column, skipping the arithmetic of zero columns and odd parts.
void InverseDctScalar(const int32_t* block, uint8_t* out, int stride) {
  int32_t work[64];
  for (int col = 0; col < 8; ++col) {
    const int32_t* x = block + col;
    if ((x[8] | x[16] | x[24] | x[32] | x[40] | x[48] | x[56]) == 0) {
      const int32_t dc = (x[0] * kColumnPass.c4) >> 9;
      for (int row = 0; row < 8; ++row) work[row * 8 + col] = dc;
      continue;
    }
    Butterfly<8>(x, work + col, kColumnPass);
  }
  for (int row = 0; row < 8; ++row) {
    const int32_t* x = work + row * 8;
    uint8_t* dst = out + row * stride;
    if ((x[1] | x[2] | x[3] | x[4] | x[5] | x[6] | x[7]) == 0) {
      std::memset(dst, RangeLimit(DescaleSample((x[0] * kRowPass.c4) >> 9)), 8);
      continue;
    }
    int32_t y[8];
    Butterfly<1>(x, y, kRowPass);
    for (int i = 0; i < 8; ++i) dst[i] = RangeLimit(DescaleSample(y[i]));
  }
}

#ifdef CODEC_HAVE_AVX2_PATHS

CODEC_AVX2_INLINE __m256i Times(__m256i v, int32_t k) {
  return _mm256_mullo_epi32(v, _mm256_set1_epi32(k));
}
CODEC_AVX2_INLINE __m256i Shift9(__m256i v) { return _mm256_srai_epi32(v, 9); }

// With kUpperZero, x[4..7] are zero in every lane: the products with them
// drop out and the rest is computed exactly as with them present.
template <bool kUpperZero>
CODEC_AVX2_INLINE void ButterflyLanes(const __m256i* x, __m256i* y, const ButterflyConstants& k) {
  __m256i a, d, b, c, p, q, r, s;
  if constexpr (kUpperZero) {
    const __m256i zero = _mm256_setzero_si256();
    a = d = Shift9(Times(x[0], k.c4));
    b = Shift9(Times(x[2], k.cos2));
    c = Shift9(Times(x[2], k.sin2));
    p = Shift9(Times(x[1], k.sin1));
    q = Shift9(Times(x[1], k.cos1));
    r = Shift9(_mm256_sub_epi32(zero, Times(x[3], k.sin3)));
    s = Shift9(Times(x[3], k.cos3));
  } else {
    a = Shift9(Times(_mm256_add_epi32(x[0], x[4]), k.c4));
    d = Shift9(Times(_mm256_sub_epi32(x[0], x[4]), k.c4));
    b = Shift9(_mm256_add_epi32(Times(x[2], k.cos2), Times(x[6], k.sin2)));
    c = Shift9(_mm256_sub_epi32(Times(x[2], k.sin2), Times(x[6], k.cos2)));
    p = Shift9(_mm256_sub_epi32(Times(x[1], k.sin1), Times(x[7], k.cos1)));
    q = Shift9(_mm256_add_epi32(Times(x[1], k.cos1), Times(x[7], k.sin1)));
    r = Shift9(_mm256_sub_epi32(Times(x[5], k.cos3), Times(x[3], k.sin3)));
    s = Shift9(_mm256_add_epi32(Times(x[3], k.cos3), Times(x[5], k.sin3)));
  }
  const __m256i e = _mm256_add_epi32(a, b), f = _mm256_sub_epi32(a, b);
  const __m256i g = _mm256_add_epi32(d, c), h = _mm256_sub_epi32(d, c);
  const __m256i big_q = _mm256_add_epi32(q, s), big_p = _mm256_add_epi32(p, r);
  const __m256i q_s = _mm256_sub_epi32(q, s), p_r = _mm256_sub_epi32(p, r);
  const __m256i m = Shift9(Times(_mm256_sub_epi32(q_s, p_r), kButterflyC4));
  const __m256i n = Shift9(Times(_mm256_add_epi32(q_s, p_r), kButterflyC4));
  y[0] = _mm256_add_epi32(e, big_q), y[7] = _mm256_sub_epi32(e, big_q);
  y[1] = _mm256_add_epi32(g, n), y[6] = _mm256_sub_epi32(g, n);
  y[2] = _mm256_add_epi32(h, m), y[5] = _mm256_sub_epi32(h, m);
  y[3] = _mm256_add_epi32(f, big_p), y[4] = _mm256_sub_epi32(f, big_p);
}

CODEC_AVX2_INLINE void Transpose(__m256i* v) {
  __m256i t[8], u[8];
  for (int k = 0; k < 4; ++k) {
    t[2 * k] = _mm256_unpacklo_epi32(v[2 * k], v[2 * k + 1]);
    t[2 * k + 1] = _mm256_unpackhi_epi32(v[2 * k], v[2 * k + 1]);
  }
  for (int half = 0; half < 2; ++half) {
    const int r = 4 * half;
    u[r] = _mm256_unpacklo_epi64(t[r], t[r + 2]);
    u[r + 1] = _mm256_unpackhi_epi64(t[r], t[r + 2]);
    u[r + 2] = _mm256_unpacklo_epi64(t[r + 1], t[r + 3]);
    u[r + 3] = _mm256_unpackhi_epi64(t[r + 1], t[r + 3]);
  }
  for (int j = 0; j < 4; ++j) {
    v[j] = _mm256_permute2x128_si256(u[j], u[j + 4], 0x20);
    v[j + 4] = _mm256_permute2x128_si256(u[j], u[j + 4], 0x31);
  }
}

// The transpose for blocks whose columns 4..7 are zero: only columns 0..3 of
// the column pass's result feed the row pass. Lines i and i + 4 share one
// vector, then one 4 x 4 transpose per half gives v[j] = column j.
CODEC_AVX2_INLINE void TransposeLowerColumns(__m256i* v) {
  __m256i halves[4];
  for (int i = 0; i < 4; ++i) {
    halves[i] = _mm256_inserti128_si256(v[i], _mm256_castsi256_si128(v[i + 4]), 1);
  }
  const __m256i t0 = _mm256_unpacklo_epi32(halves[0], halves[1]);
  const __m256i t1 = _mm256_unpackhi_epi32(halves[0], halves[1]);
  const __m256i t2 = _mm256_unpacklo_epi32(halves[2], halves[3]);
  const __m256i t3 = _mm256_unpackhi_epi32(halves[2], halves[3]);
  v[0] = _mm256_unpacklo_epi64(t0, t2);
  v[1] = _mm256_unpackhi_epi64(t0, t2);
  v[2] = _mm256_unpacklo_epi64(t1, t3);
  v[3] = _mm256_unpackhi_epi64(t1, t3);
}

// Rounds, adds 128 and range-limits the row pass's results (one vector per
// pixel column, one lane per line), then writes the eight lines.
CODEC_AVX2_INLINE void StoreSamples(const __m256i* columns, uint8_t* out, int stride) {
  __m256i v[8];
  const __m256i bias = _mm256_set1_epi32(8 + 128 * 16);
  for (int x = 0; x < 8; ++x) {
    // (v + 8 + (v >> 31)) >> 4, with 128 added before the shift.
    v[x] = _mm256_srai_epi32(
        _mm256_add_epi32(_mm256_add_epi32(columns[x], bias), _mm256_srai_epi32(columns[x], 31)), 4);
  }
  // Saturating packs do the range limit: lanes hold lines 0-3 | 4-7.
  const __m256i low = _mm256_packus_epi16(_mm256_packs_epi32(v[0], v[1]),
                                          _mm256_packs_epi32(v[2], v[3]));  // columns 0-3
  const __m256i high = _mm256_packus_epi16(_mm256_packs_epi32(v[4], v[5]),
                                           _mm256_packs_epi32(v[6], v[7]));  // columns 4-7
  const __m256i by_line = _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 0,
                                           4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  const __m256i left = _mm256_shuffle_epi8(low, by_line);
  const __m256i right = _mm256_shuffle_epi8(high, by_line);
  const __m256i lines_0145 = _mm256_unpacklo_epi32(left, right);
  const __m256i lines_2367 = _mm256_unpackhi_epi32(left, right);
  const __m128i l01 = _mm256_castsi256_si128(lines_0145);
  const __m128i l45 = _mm256_extracti128_si256(lines_0145, 1);
  const __m128i l23 = _mm256_castsi256_si128(lines_2367);
  const __m128i l67 = _mm256_extracti128_si256(lines_2367, 1);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out), l01);
  _mm_storeh_pd(reinterpret_cast<double*>(out + stride), _mm_castsi128_pd(l01));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 2 * stride), l23);
  _mm_storeh_pd(reinterpret_cast<double*>(out + 3 * stride), _mm_castsi128_pd(l23));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 4 * stride), l45);
  _mm_storeh_pd(reinterpret_cast<double*>(out + 5 * stride), _mm_castsi128_pd(l45));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 6 * stride), l67);
  _mm_storeh_pd(reinterpret_cast<double*>(out + 7 * stride), _mm_castsi128_pd(l67));
}

// Line 0 or 4 of the column pass, one lane per column: each lane computes
// what ButterflyOutput computes for its column.
CODEC_AVX2_INLINE __m256i LoadLine(const int32_t* block, int line) {
  return _mm256_load_si256(reinterpret_cast<const __m256i*>(block + 8 * line));
}

// Line 0 or 4 of the column pass, one lane per column: each lane computes
// what ButterflyOutput computes for its column. The block's lines are loaded
// straight into registers, whole (aligned): a copy through memory in halves
// would stall each load.
template <int kIndex>
CODEC_AVX2_INLINE __m256i ColumnPassLineAvx2(const int32_t* block) {
  const ButterflyConstants& k = kColumnPass;
  const __m256i a = Shift9(Times(_mm256_add_epi32(LoadLine(block, 0), LoadLine(block, 4)), k.c4));
  const __m256i b = Shift9(
      _mm256_add_epi32(Times(LoadLine(block, 2), k.cos2), Times(LoadLine(block, 6), k.sin2)));
  const __m256i x1 = LoadLine(block, 1), x3 = LoadLine(block, 3);
  const __m256i x5 = LoadLine(block, 5), x7 = LoadLine(block, 7);
  if constexpr (kIndex == 0) {
    const __m256i q = Shift9(_mm256_add_epi32(Times(x1, k.cos1), Times(x7, k.sin1)));
    const __m256i s = Shift9(_mm256_add_epi32(Times(x3, k.cos3), Times(x5, k.sin3)));
    return _mm256_add_epi32(_mm256_add_epi32(a, b), _mm256_add_epi32(q, s));
  } else {
    const __m256i p = Shift9(_mm256_sub_epi32(Times(x1, k.sin1), Times(x7, k.cos1)));
    const __m256i r = Shift9(_mm256_sub_epi32(Times(x5, k.cos3), Times(x3, k.sin3)));
    return _mm256_sub_epi32(_mm256_sub_epi32(a, b), _mm256_add_epi32(p, r));
  }
}

// Output 0 or 4 of the row pass over `line` (lane i: input i), as
// ButterflyOutput gives it. Each of its four rotations is a pair of products
// (lanes 0+4, 1+7, 2+6, 3+5 after one permutation) shifted right by 9; the
// four are then summed with their signs.
template <int kIndex>
CODEC_AVX2_INLINE int32_t RowPassOutputAvx2(__m256i line) {
  const ButterflyConstants& k = kRowPass;
  // Lanes 0..3 after pairing: a, q, b, s for output 0 (all added); a, p, b,
  // r for output 4 (a less the others).
  const __m256i factors =
      kIndex == 0 ? _mm256_setr_epi32(k.c4, k.cos1, k.cos2, k.cos3, k.c4, k.sin3, k.sin2, k.sin1)
                  : _mm256_setr_epi32(k.c4, k.sin1, k.cos2, -k.sin3, k.c4, k.cos3, k.sin2, -k.cos1);
  const __m256i products = _mm256_mullo_epi32(line, factors);
  const __m256i partners =
      _mm256_permutevar8x32_epi32(products, _mm256_setr_epi32(4, 7, 6, 5, 0, 3, 2, 1));
  __m128i terms = _mm_srai_epi32(_mm256_castsi256_si128(_mm256_add_epi32(products, partners)), 9);
  if constexpr (kIndex != 0) terms = _mm_sign_epi32(terms, _mm_setr_epi32(1, -1, -1, -1));
  terms = _mm_add_epi32(terms, _mm_shuffle_epi32(terms, 0x4E));
  terms = _mm_add_epi32(terms, _mm_shuffle_epi32(terms, 0xB1));
  return _mm_cvtsi128_si32(terms);
}

template <int kIndex>
CODEC_AVX2_INLINE void RowSamplesAvx2(__m256i line, uint8_t columns, uint8_t* out) {
  if (columns & 1) out[0] = RangeLimit(DescaleSample(RowPassOutputAvx2<0>(line)));
  if (columns & 0x10) out[4] = RangeLimit(DescaleSample(RowPassOutputAvx2<4>(line)));
}

// Samples at lines and columns 0 and 4 only, the sampled thumbnails' case.
__attribute__((target("avx2"))) void SamplesAt0And4Avx2(const int32_t* block, uint8_t rows,
                                                        uint8_t columns, uint8_t* out, int stride) {
  if (rows & 1) RowSamplesAvx2<0>(ColumnPassLineAvx2<0>(block), columns, out);
  if (rows & 0x10) RowSamplesAvx2<4>(ColumnPassLineAvx2<4>(block), columns, out + 4 * stride);
}

// kLowerLines: coefficient lines 4..7 are zero; kLowerColumns: columns 4..7
// are zero, and with them the same columns of the column pass's result.
template <bool kLowerLines, bool kLowerColumns>
__attribute__((target("avx2"))) void InverseDctAvx2(const int32_t* block, uint8_t* out,
                                                    int stride) {
  __m256i lines[8], work[8];
  const int loaded = kLowerLines ? 4 : 8;
  for (int row = 0; row < loaded; ++row) {
    lines[row] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 8 * row));
  }
  ButterflyLanes<kLowerLines>(lines, work, kColumnPass);  // work[i]: line i, one lane per column
  // work[j]: column j, one lane per line.
  if constexpr (kLowerColumns) {
    TransposeLowerColumns(work);
  } else {
    Transpose(work);
  }
  ButterflyLanes<kLowerColumns>(work, lines,
                                kRowPass);  // lines[x]: pixel column x, one lane per line
  StoreSamples(lines, out, stride);
}

#endif

}  // namespace

void InverseDct8x8(const int32_t* block, BlockShape shape, uint8_t* out, int stride) {
  if (shape.OnlyDc()) {
    // Both passes of a lone DC coefficient give one value everywhere.
    const int32_t column = (block[0] * kColumnPass.c4) >> 9;
    const uint8_t sample = RangeLimit(DescaleSample((column * kRowPass.c4) >> 9));
    for (int row = 0; row < 8; ++row) std::memset(out + row * stride, sample, 8);
    return;
  }
  if (shape.lines == 1) {
    // Coefficients in the first line only: every column pass gives a constant
    // column, so all eight lines are the same single row transform.
    int32_t x[8], y[8];
    for (int col = 0; col < 8; ++col) x[col] = (block[col] * kColumnPass.c4) >> 9;
    Butterfly<1>(x, y, kRowPass);
    uint8_t line[8];
    for (int i = 0; i < 8; ++i) line[i] = RangeLimit(DescaleSample(y[i]));
    for (int row = 0; row < 8; ++row) std::memcpy(out + row * stride, line, 8);
    return;
  }
  if (shape.columns == 1) {
    // Coefficients in the first column only: one column transform, then each
    // line holds its DC term alone and is flat.
    int32_t y[64];  // the butterfly writes a column: every eighth entry
    Butterfly<8>(block, y, kColumnPass);
    for (int row = 0; row < 8; ++row) {
      std::memset(out + row * stride, RangeLimit(DescaleSample((y[8 * row] * kRowPass.c4) >> 9)),
                  8);
    }
    return;
  }
#ifdef CODEC_HAVE_AVX2_PATHS
  if (UseAvx2()) {
    const bool lower_lines = (shape.lines & 0xF0) == 0;
    const bool lower_columns = (shape.columns & 0xF0) == 0;
    if (lower_lines && lower_columns) return InverseDctAvx2<true, true>(block, out, stride);
    if (lower_lines) return InverseDctAvx2<true, false>(block, out, stride);
    if (lower_columns) return InverseDctAvx2<false, true>(block, out, stride);
    return InverseDctAvx2<false, false>(block, out, stride);
  }
#endif
  InverseDctScalar(block, out, stride);
}

namespace {

// Line `row` of the column pass; a column without coefficients gives 0
// there, as the whole transform's shortcut does.
void ColumnPassLine(const int32_t* block, BlockShape shape, int row, int32_t* line) {
  for (int col = 0; col < 8; ++col) {
    line[col] =
        (shape.columns >> col & 1) != 0 ? ButterflyOutput<8>(block + col, kColumnPass, row) : 0;
  }
}

}  // namespace

void InverseDct8x8Samples(const int32_t* block, BlockShape shape, uint8_t rows, uint8_t columns,
                          uint8_t* out, int stride) {
  if (shape.OnlyDc()) {
    const int32_t column = (block[0] * kColumnPass.c4) >> 9;
    const uint8_t sample = RangeLimit(DescaleSample((column * kRowPass.c4) >> 9));
    for (unsigned r = rows; r != 0; r &= r - 1) {
      uint8_t* line = out + std::countr_zero(r) * stride;
      for (unsigned c = columns; c != 0; c &= c - 1) line[std::countr_zero(c)] = sample;
    }
    return;
  }
#ifdef CODEC_HAVE_AVX2_PATHS
  constexpr uint8_t k0And4 = 0x11;
  if (UseAvx2() && (rows & ~k0And4) == 0 && (columns & ~k0And4) == 0) {
    return SamplesAt0And4Avx2(block, rows, columns, out, stride);
  }
#endif
  for (unsigned r = rows; r != 0; r &= r - 1) {
    const int row = std::countr_zero(r);
    int32_t line[8];
    ColumnPassLine(block, shape, row, line);
    for (unsigned c = columns; c != 0; c &= c - 1) {
      const int col = std::countr_zero(c);
      out[row * stride + col] = RangeLimit(DescaleSample(ButterflyOutput<1>(line, kRowPass, col)));
    }
  }
}

}  // namespace codec

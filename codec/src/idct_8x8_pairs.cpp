// The 8x8 transform over a run of blocks. On the AVX-512 path two blocks go
// through the passes together, one in each 256-bit half of the vectors: the
// column pass with one lane per column of each block, then, transposed
// within each half, the row pass with one lane per line. Every lane computes
// what the scalar butterfly computes for its column or line, so the samples
// are those of InverseDct8x8. Blocks holding only a DC coefficient are
// filled directly, and a block left without a partner takes the one-block
// form.
#include "cpu_features.h"
#include "idct.h"
#include "idct_8x8_constants.h"

CODEC_QUIET_AVX512_INTRINSIC_WARNINGS

namespace codec {
namespace {

#ifdef CODEC_HAVE_AVX512_PATHS

CODEC_AVX512_INLINE __m512i Times(__m512i v, int32_t k) {
  return _mm512_mullo_epi32(v, _mm512_set1_epi32(k));
}
CODEC_AVX512_INLINE __m512i Shift9(__m512i v) { return _mm512_srai_epi32(v, 9); }

// With kUpperZero, x[4..7] are zero in every lane: the products with them
// drop out and the rest is computed exactly as with them present.
template <bool kUpperZero>
CODEC_AVX512_INLINE void ButterflyLanes(const __m512i* x, __m512i* y, const ButterflyConstants& k) {
  __m512i a, d, b, c, p, q, r, s;
  if constexpr (kUpperZero) {
    a = d = Shift9(Times(x[0], k.c4));
    b = Shift9(Times(x[2], k.cos2));
    c = Shift9(Times(x[2], k.sin2));
    p = Shift9(Times(x[1], k.sin1));
    q = Shift9(Times(x[1], k.cos1));
    r = Shift9(Times(x[3], -k.sin3));  // 0 - x3 * sin3
    s = Shift9(Times(x[3], k.cos3));
  } else {
    a = Shift9(Times(_mm512_add_epi32(x[0], x[4]), k.c4));
    d = Shift9(Times(_mm512_sub_epi32(x[0], x[4]), k.c4));
    b = Shift9(_mm512_add_epi32(Times(x[2], k.cos2), Times(x[6], k.sin2)));
    c = Shift9(_mm512_sub_epi32(Times(x[2], k.sin2), Times(x[6], k.cos2)));
    p = Shift9(_mm512_sub_epi32(Times(x[1], k.sin1), Times(x[7], k.cos1)));
    q = Shift9(_mm512_add_epi32(Times(x[1], k.cos1), Times(x[7], k.sin1)));
    r = Shift9(_mm512_sub_epi32(Times(x[5], k.cos3), Times(x[3], k.sin3)));
    s = Shift9(_mm512_add_epi32(Times(x[3], k.cos3), Times(x[5], k.sin3)));
  }
  const __m512i e = _mm512_add_epi32(a, b), f = _mm512_sub_epi32(a, b);
  const __m512i g = _mm512_add_epi32(d, c), h = _mm512_sub_epi32(d, c);
  const __m512i big_q = _mm512_add_epi32(q, s), big_p = _mm512_add_epi32(p, r);
  const __m512i q_s = _mm512_sub_epi32(q, s), p_r = _mm512_sub_epi32(p, r);
  const __m512i m = Shift9(Times(_mm512_sub_epi32(q_s, p_r), kButterflyC4));
  const __m512i n = Shift9(Times(_mm512_add_epi32(q_s, p_r), kButterflyC4));
  y[0] = _mm512_add_epi32(e, big_q), y[7] = _mm512_sub_epi32(e, big_q);
  y[1] = _mm512_add_epi32(g, n), y[6] = _mm512_sub_epi32(g, n);
  y[2] = _mm512_add_epi32(h, m), y[5] = _mm512_sub_epi32(h, m);
  y[3] = _mm512_add_epi32(f, big_p), y[4] = _mm512_sub_epi32(f, big_p);
}

// Per 256-bit half, 128-bit lane `first` of a then of b, then lane `first`
// + 2 of each: the cross-lane step of an 8 x 8 transpose in each half.
CODEC_AVX512_INLINE __m512i LowLanes(__m512i a, __m512i b) {
  return _mm512_permutex2var_epi64(a, _mm512_setr_epi64(0, 1, 8, 9, 4, 5, 12, 13), b);
}
CODEC_AVX512_INLINE __m512i HighLanes(__m512i a, __m512i b) {
  return _mm512_permutex2var_epi64(a, _mm512_setr_epi64(2, 3, 10, 11, 6, 7, 14, 15), b);
}

// Transposes the 8 x 8 matrix held in each half of v[0..7].
CODEC_AVX512_INLINE void Transpose(__m512i* v) {
  __m512i t[8], u[8];
  for (int k = 0; k < 4; ++k) {
    t[2 * k] = _mm512_unpacklo_epi32(v[2 * k], v[2 * k + 1]);
    t[2 * k + 1] = _mm512_unpackhi_epi32(v[2 * k], v[2 * k + 1]);
  }
  for (int half = 0; half < 2; ++half) {
    const int r = 4 * half;
    u[r] = _mm512_unpacklo_epi64(t[r], t[r + 2]);
    u[r + 1] = _mm512_unpackhi_epi64(t[r], t[r + 2]);
    u[r + 2] = _mm512_unpacklo_epi64(t[r + 1], t[r + 3]);
    u[r + 3] = _mm512_unpackhi_epi64(t[r + 1], t[r + 3]);
  }
  for (int j = 0; j < 4; ++j) {
    v[j + 4] = HighLanes(u[j], u[j + 4]);
    v[j] = LowLanes(u[j], u[j + 4]);
  }
}

// The transpose when columns 4..7 of both blocks are zero: only columns 0..3
// of the column pass's result feed the row pass, so v[0..3] become columns
// 0..3, one lane per line.
CODEC_AVX512_INLINE void TransposeLowerColumns(__m512i* v) {
  __m512i halves[4];
  for (int i = 0; i < 4; ++i) halves[i] = LowLanes(v[i], v[i + 4]);
  const __m512i t0 = _mm512_unpacklo_epi32(halves[0], halves[1]);
  const __m512i t1 = _mm512_unpackhi_epi32(halves[0], halves[1]);
  const __m512i t2 = _mm512_unpacklo_epi32(halves[2], halves[3]);
  const __m512i t3 = _mm512_unpackhi_epi32(halves[2], halves[3]);
  v[0] = _mm512_unpacklo_epi64(t0, t2);
  v[1] = _mm512_unpackhi_epi64(t0, t2);
  v[2] = _mm512_unpacklo_epi64(t1, t3);
  v[3] = _mm512_unpackhi_epi64(t1, t3);
}

// Two lines of eight samples from the low and high 64 bits of `lines`.
CODEC_AVX512_INLINE void StoreTwoLines(__m128i lines, uint8_t* first, uint8_t* second) {
  _mm_storel_epi64(reinterpret_cast<__m128i*>(first), lines);
  _mm_storeh_pd(reinterpret_cast<double*>(second), _mm_castsi128_pd(lines));
}

// Writes the eight lines of the block in half kHalf: per block, lines_0145
// holds lines 0, 1 | 4, 5 and lines_2367 lines 2, 3 | 6, 7.
template <int kHalf>
CODEC_AVX512_INLINE void StoreBlock(__m512i lines_0145, __m512i lines_2367,
                                    const PendingBlock& block) {
  uint8_t* out = block.out;
  const int stride = block.stride;
  StoreTwoLines(_mm512_extracti32x4_epi32(lines_0145, 2 * kHalf), out, out + stride);
  StoreTwoLines(_mm512_extracti32x4_epi32(lines_2367, 2 * kHalf), out + 2 * stride,
                out + 3 * stride);
  StoreTwoLines(_mm512_extracti32x4_epi32(lines_0145, 2 * kHalf + 1), out + 4 * stride,
                out + 5 * stride);
  StoreTwoLines(_mm512_extracti32x4_epi32(lines_2367, 2 * kHalf + 1), out + 6 * stride,
                out + 7 * stride);
}

// Rounds, adds 128 and range-limits the row pass's results (one vector per
// pixel column, one lane per line of each block), then writes both blocks.
CODEC_AVX512_INLINE void StoreSamples(const __m512i* columns, const PendingBlock& a,
                                      const PendingBlock& b) {
  __m512i v[8];
  const __m512i bias = _mm512_set1_epi32(8 + 128 * 16);
  for (int x = 0; x < 8; ++x) {
    // (v + 8 + (v >> 31)) >> 4, with 128 added before the shift.
    v[x] = _mm512_srai_epi32(
        _mm512_add_epi32(_mm512_add_epi32(columns[x], bias), _mm512_srai_epi32(columns[x], 31)), 4);
  }
  // Saturating packs do the range limit; each 128-bit lane holds lines 0-3
  // or 4-7 of one block.
  const __m512i low = _mm512_packus_epi16(_mm512_packs_epi32(v[0], v[1]),
                                          _mm512_packs_epi32(v[2], v[3]));  // columns 0-3
  const __m512i high = _mm512_packus_epi16(_mm512_packs_epi32(v[4], v[5]),
                                           _mm512_packs_epi32(v[6], v[7]));  // columns 4-7
  const __m512i by_line =
      _mm512_broadcast_i32x4(_mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
  const __m512i left = _mm512_shuffle_epi8(low, by_line);
  const __m512i right = _mm512_shuffle_epi8(high, by_line);
  const __m512i lines_0145 = _mm512_unpacklo_epi32(left, right);
  const __m512i lines_2367 = _mm512_unpackhi_epi32(left, right);
  StoreBlock<0>(lines_0145, lines_2367, a);
  StoreBlock<1>(lines_0145, lines_2367, b);
}

CODEC_AVX512_INLINE __m512i LoadPair(const int32_t* a, const int32_t* b) {
  const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
  const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
  return _mm512_inserti64x4(_mm512_castsi256_si512(low), high, 1);
}

// kLowerLines: coefficient lines 4..7 of both blocks are zero;
// kLowerColumns: their columns 4..7 are, and with them the same columns of
// the column pass's result.
template <bool kLowerLines, bool kLowerColumns>
CODEC_AVX512_TARGET void TransformPair(const PendingBlock& a, const PendingBlock& b) {
  __m512i lines[8], work[8];
  const int loaded = kLowerLines ? 4 : 8;
  for (int row = 0; row < loaded; ++row) {
    lines[row] = LoadPair(a.coefficients + 8 * row, b.coefficients + 8 * row);
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
  StoreSamples(lines, a, b);
}

void TransformPairOfShapes(const PendingBlock& a, const PendingBlock& b) {
  const bool lower_lines = ((a.shape.lines | b.shape.lines) & 0xF0) == 0;
  const bool lower_columns = ((a.shape.columns | b.shape.columns) & 0xF0) == 0;
  if (lower_lines && lower_columns) return TransformPair<true, true>(a, b);
  if (lower_lines) return TransformPair<true, false>(a, b);
  if (lower_columns) return TransformPair<false, true>(a, b);
  TransformPair<false, false>(a, b);
}

#endif

void TransformOne(const PendingBlock& block) {
  InverseDct8x8(block.coefficients, block.shape, block.out, block.stride);
}

}  // namespace

void InverseDct8x8Blocks(const PendingBlock* blocks, int count) {
#ifdef CODEC_HAVE_AVX512_PATHS
  if (UseAvx512()) {
    const PendingBlock* waiting = nullptr;
    for (int i = 0; i < count; ++i) {
      const PendingBlock& block = blocks[i];
      if (block.shape.OnlyDc()) {
        TransformOne(block);
      } else if (waiting == nullptr) {
        waiting = &block;
      } else {
        TransformPairOfShapes(*waiting, block);
        waiting = nullptr;
      }
    }
    if (waiting != nullptr) TransformOne(*waiting);
    return;
  }
#endif
  for (int i = 0; i < count; ++i) TransformOne(blocks[i]);
}

}  // namespace codec

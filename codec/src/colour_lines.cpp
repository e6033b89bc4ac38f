// Line colour conversion. The scalar form looks every term up in the colour
// tables. The AVX2 form takes sixteen pixels at once and computes the table
// entries from their definition in 32-bit lanes: a chroma term is
// ((v - 128) * factor + 2^17) >> 18, which equals the table for every v (the
// static_assert below checks all of them). Since luma is four times the
// sample, clamp[4 * Y + t] is Y + (t >> 2) held to 0..255, which saturating
// packs do.
#include "colour_lines.h"

#include "colour_tables.h"
#include "cpu_features.h"
#include "pixel_formats.h"

CODEC_QUIET_AVX512_INTRINSIC_WARNINGS

namespace codec {
namespace {

constexpr int kTermShift = 18;

struct TermFactors {
  int32_t cr_red, cb_green, cr_green, cb_blue;
};
constexpr TermFactors kFactors = {
    colour_detail::Round(4 * 1.402 * (1 << kTermShift)),
    colour_detail::Round(-4 * 0.344136 * (1 << kTermShift)),
    colour_detail::Round(-4 * 0.714136 * (1 << kTermShift)),
    colour_detail::Round(4 * 1.772 * (1 << kTermShift)),
};

constexpr int32_t Term(int32_t factor, int v) {
  return ((v - 128) * factor + (1 << (kTermShift - 1))) >> kTermShift;
}

constexpr bool TermsMatchTables() {
  for (int v = 0; v < 256; ++v) {
    if (Term(kFactors.cr_red, v) != kColour.cr_red[v] ||
        Term(kFactors.cb_green, v) != kColour.cb_green[v] ||
        Term(kFactors.cr_green, v) != kColour.cr_green[v] ||
        Term(kFactors.cb_blue, v) != kColour.cb_blue[v]) {
      return false;
    }
  }
  return true;
}
static_assert(TermsMatchTables(), "the vector terms must equal the colour tables");

template <class Pixel, int kHShift>
void ColourPixels(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int from, int count,
                  uint8_t* dst) {
  for (int x = from; x < count; ++x) {
    Pixel::Put(dst + x * Pixel::kBytes, kColour.luma[y[x]],
               TermsOf(cb[x >> kHShift], cr[x >> kHShift]));
  }
}

#ifdef CODEC_HAVE_AVX2_PATHS

// (v * factor + bias) >> shift over eight lanes, bias folding in the -128.
template <int kShift>
CODEC_AVX2_INLINE __m256i TermLanes(__m256i v, int32_t factor) {
  const __m256i bias = _mm256_set1_epi32(-128 * factor + (1 << (kTermShift - 1)));
  const __m256i product = _mm256_mullo_epi32(v, _mm256_set1_epi32(factor));
  return _mm256_srai_epi32(_mm256_add_epi32(product, bias), kShift);
}

// The level terms (quarter-level terms >> 2) of eight chroma pairs, as 16-bit
// lanes.
struct LevelTerms {
  __m128i red, green, blue;
};
CODEC_AVX2_INLINE __m128i Narrow(__m256i v) {
  return _mm_packs_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
}
CODEC_AVX2_INLINE LevelTerms TermsOfEight(const uint8_t* cb, const uint8_t* cr) {
  const __m256i b = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cb)));
  const __m256i r = _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(cr)));
  // Red and blue: (t >> 2) is the product shifted two places further.
  const __m256i green =
      _mm256_srai_epi32(_mm256_add_epi32(TermLanes<kTermShift>(b, kFactors.cb_green),
                                         TermLanes<kTermShift>(r, kFactors.cr_green)),
                        2);
  return {Narrow(TermLanes<kTermShift + 2>(r, kFactors.cr_red)), Narrow(green),
          Narrow(TermLanes<kTermShift + 2>(b, kFactors.cb_blue))};
}

CODEC_AVX2_INLINE __m256i Join(__m128i low, __m128i high) {
  return _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
}

// Each of eight 16-bit lanes twice over.
CODEC_AVX2_INLINE __m256i Twice(__m128i v) {
  return Join(_mm_unpacklo_epi16(v, v), _mm_unpackhi_epi16(v, v));
}

// Sixteen pixels' level terms: sixteen chroma pairs, or eight pairs each used
// by two neighbouring pixels.
struct SixteenTerms {
  __m256i red, green, blue;
};
template <int kHShift>
CODEC_AVX2_INLINE SixteenTerms TermsOfSixteen(const uint8_t* cb, const uint8_t* cr) {
  if constexpr (kHShift == 0) {
    const LevelTerms low = TermsOfEight(cb, cr);
    const LevelTerms high = TermsOfEight(cb + 8, cr + 8);
    return {Join(low.red, high.red), Join(low.green, high.green), Join(low.blue, high.blue)};
  } else {
    const LevelTerms t = TermsOfEight(cb, cr);
    return {Twice(t.red), Twice(t.green), Twice(t.blue)};
  }
}

// Sixteen bytes held to 0..255 from sixteen 16-bit lanes.
CODEC_AVX2_INLINE __m128i Saturate(__m256i v) {
  return _mm_packus_epi16(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
}

struct ShuffleMasks {
  uint8_t bytes[3][3][16];  // [output block][channel b, g, r][byte]
};
constexpr ShuffleMasks BgrMasks() {
  ShuffleMasks masks{};
  for (int block = 0; block < 3; ++block) {
    for (int i = 0; i < 16; ++i) {
      const int at = 16 * block + i;
      for (int channel = 0; channel < 3; ++channel) {
        masks.bytes[block][channel][i] = at % 3 == channel ? static_cast<uint8_t>(at / 3) : 0x80;
      }
    }
  }
  return masks;
}
constexpr ShuffleMasks kBgrMasks = BgrMasks();

CODEC_AVX2_INLINE void StoreBgr(__m128i blue, __m128i green, __m128i red, uint8_t* dst) {
  for (int block = 0; block < 3; ++block) {
    const auto* masks = reinterpret_cast<const __m128i*>(kBgrMasks.bytes[block]);
    const __m128i bytes =
        _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(blue, _mm_loadu_si128(masks)),
                                  _mm_shuffle_epi8(green, _mm_loadu_si128(masks + 1))),
                     _mm_shuffle_epi8(red, _mm_loadu_si128(masks + 2)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 16 * block), bytes);
  }
}

CODEC_AVX2_INLINE void StoreRgb565(__m128i blue, __m128i green, __m128i red, uint8_t* dst) {
  const __m256i r = _mm256_cvtepu8_epi16(red);
  const __m256i g = _mm256_cvtepu8_epi16(green);
  const __m256i b = _mm256_cvtepu8_epi16(blue);
  const __m256i word =
      _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(_mm256_srli_epi16(r, 3), 11),
                                      _mm256_slli_epi16(_mm256_srli_epi16(g, 2), 5)),
                      _mm256_srli_epi16(b, 3));
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), word);
}

// Converts whole groups of sixteen pixels; returns how many pixels it did.
template <class Pixel, int kHShift>
__attribute__((target("avx2"))) int ColourPixelsAvx2(const uint8_t* y, const uint8_t* cb,
                                                     const uint8_t* cr, int count, uint8_t* dst) {
  int x = 0;
  for (; x + 16 <= count; x += 16) {
    const SixteenTerms terms = TermsOfSixteen<kHShift>(cb + (x >> kHShift), cr + (x >> kHShift));
    const __m256i luma =
        _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y + x)));
    const __m128i red = Saturate(_mm256_add_epi16(luma, terms.red));
    const __m128i green = Saturate(_mm256_add_epi16(luma, terms.green));
    const __m128i blue = Saturate(_mm256_add_epi16(luma, terms.blue));
    if constexpr (Pixel::kBytes == Bgr24Pixel::kBytes) {
      StoreBgr(blue, green, red, dst + x * Pixel::kBytes);
    } else {
      StoreRgb565(blue, green, red, dst + x * Pixel::kBytes);
    }
  }
  return x;
}

#endif

#ifdef CODEC_HAVE_AVX512_PATHS

// The AVX-512 form: the same arithmetic over thirty-two pixels, the terms of
// sixteen chroma pairs per 32-bit vector.
template <int kShift>
CODEC_AVX512_INLINE __m512i TermLanes(__m512i v, int32_t factor) {
  const __m512i bias = _mm512_set1_epi32(-128 * factor + (1 << (kTermShift - 1)));
  const __m512i product = _mm512_mullo_epi32(v, _mm512_set1_epi32(factor));
  return _mm512_srai_epi32(_mm512_add_epi32(product, bias), kShift);
}

// The level terms of sixteen chroma pairs, as 16-bit lanes (they are small,
// so the narrowing never saturates).
struct SixteenLevelTerms {
  __m256i red, green, blue;
};
CODEC_AVX512_INLINE SixteenLevelTerms TermsOfSixteenPairs(const uint8_t* cb, const uint8_t* cr) {
  const __m512i b = _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cb)));
  const __m512i r = _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(cr)));
  const __m512i green =
      _mm512_srai_epi32(_mm512_add_epi32(TermLanes<kTermShift>(b, kFactors.cb_green),
                                         TermLanes<kTermShift>(r, kFactors.cr_green)),
                        2);
  return {_mm512_cvtsepi32_epi16(TermLanes<kTermShift + 2>(r, kFactors.cr_red)),
          _mm512_cvtsepi32_epi16(green),
          _mm512_cvtsepi32_epi16(TermLanes<kTermShift + 2>(b, kFactors.cb_blue))};
}

struct ThirtyTwoTerms {
  __m512i red, green, blue;
};
CODEC_AVX512_INLINE __m512i Join(__m256i low, __m256i high) {
  return _mm512_inserti64x4(_mm512_castsi256_si512(low), high, 1);
}
// Each of sixteen 16-bit lanes twice over.
CODEC_AVX512_INLINE __m512i Twice(__m256i v) {
  const __m512i pairs = _mm512_set_epi16(15, 15, 14, 14, 13, 13, 12, 12, 11, 11, 10, 10, 9, 9, 8, 8,
                                         7, 7, 6, 6, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0, 0);
  return _mm512_permutexvar_epi16(pairs, _mm512_castsi256_si512(v));
}
template <int kHShift>
CODEC_AVX512_INLINE ThirtyTwoTerms TermsOfThirtyTwo(const uint8_t* cb, const uint8_t* cr) {
  if constexpr (kHShift == 0) {
    const SixteenLevelTerms low = TermsOfSixteenPairs(cb, cr);
    const SixteenLevelTerms high = TermsOfSixteenPairs(cb + 16, cr + 16);
    return {Join(low.red, high.red), Join(low.green, high.green), Join(low.blue, high.blue)};
  } else {
    const SixteenLevelTerms t = TermsOfSixteenPairs(cb, cr);
    return {Twice(t.red), Twice(t.green), Twice(t.blue)};
  }
}

// Thirty-two bytes held to 0..255 from thirty-two 16-bit lanes.
CODEC_AVX512_INLINE __m256i Saturate(__m512i v) {
  return _mm512_cvtusepi16_epi8(_mm512_max_epi16(v, _mm512_setzero_si512()));
}

CODEC_AVX512_INLINE void StoreRgb565(__m256i blue, __m256i green, __m256i red, uint8_t* dst) {
  const __m512i r = _mm512_cvtepu8_epi16(red);
  const __m512i g = _mm512_cvtepu8_epi16(green);
  const __m512i b = _mm512_cvtepu8_epi16(blue);
  const __m512i word =
      _mm512_or_si512(_mm512_or_si512(_mm512_slli_epi16(_mm512_srli_epi16(r, 3), 11),
                                      _mm512_slli_epi16(_mm512_srli_epi16(g, 2), 5)),
                      _mm512_srli_epi16(b, 3));
  _mm512_storeu_si512(dst, word);
}

// Converts whole groups of thirty-two pixels; returns how many pixels it did.
template <class Pixel, int kHShift>
CODEC_AVX512_TARGET int ColourPixelsAvx512(const uint8_t* y, const uint8_t* cb, const uint8_t* cr,
                                           int count, uint8_t* dst) {
  int x = 0;
  for (; x + 32 <= count; x += 32) {
    const ThirtyTwoTerms terms =
        TermsOfThirtyTwo<kHShift>(cb + (x >> kHShift), cr + (x >> kHShift));
    const __m512i luma =
        _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + x)));
    const __m256i red = Saturate(_mm512_add_epi16(luma, terms.red));
    const __m256i green = Saturate(_mm512_add_epi16(luma, terms.green));
    const __m256i blue = Saturate(_mm512_add_epi16(luma, terms.blue));
    uint8_t* out = dst + x * Pixel::kBytes;
    if constexpr (Pixel::kBytes == Bgr24Pixel::kBytes) {
      StoreBgr(_mm256_castsi256_si128(blue), _mm256_castsi256_si128(green),
               _mm256_castsi256_si128(red), out);
      StoreBgr(_mm256_extracti128_si256(blue, 1), _mm256_extracti128_si256(green, 1),
               _mm256_extracti128_si256(red, 1), out + 16 * Pixel::kBytes);
    } else {
      StoreRgb565(blue, green, red, out);
    }
  }
  return x;
}

#endif

}  // namespace

template <class Pixel, int HShift>
void ColourLine(const uint8_t* y, const uint8_t* cb, const uint8_t* cr, int count, uint8_t* dst) {
  int done = 0;
#ifdef CODEC_HAVE_AVX512_PATHS
  if (UseAvx512()) done = ColourPixelsAvx512<Pixel, HShift>(y, cb, cr, count, dst);
#endif
#ifdef CODEC_HAVE_AVX2_PATHS
  // The AVX-512 form leaves fewer than 32 pixels, which sixteen-pixel groups
  // may still take.
  if (UseAvx2()) {
    done += ColourPixelsAvx2<Pixel, HShift>(y + done, cb + (done >> HShift), cr + (done >> HShift),
                                            count - done, dst + done * Pixel::kBytes);
  }
#endif
  ColourPixels<Pixel, HShift>(y, cb, cr, done, count, dst);
}

template void ColourLine<Rgb565Pixel, 0>(const uint8_t*, const uint8_t*, const uint8_t*, int,
                                         uint8_t*);
template void ColourLine<Rgb565Pixel, 1>(const uint8_t*, const uint8_t*, const uint8_t*, int,
                                         uint8_t*);
template void ColourLine<Bgr24Pixel, 0>(const uint8_t*, const uint8_t*, const uint8_t*, int,
                                        uint8_t*);
template void ColourLine<Bgr24Pixel, 1>(const uint8_t*, const uint8_t*, const uint8_t*, int,
                                        uint8_t*);

}  // namespace codec

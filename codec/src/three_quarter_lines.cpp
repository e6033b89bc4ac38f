#include "three_quarter_lines.h"

#include "cpu_features.h"

namespace codec {
namespace {

// Sample i of group k is src[stride * k + offsets[i]]; offsets holds a run of
// four groups (12 samples), padded to a 16-byte shuffle with "no byte".
struct Pattern {
  int stride;
  alignas(16) uint8_t offsets[16];
};
constexpr Pattern kKeep = {4, {0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, 0x80, 0x80, 0x80, 0x80}};
constexpr Pattern kFirstPair = {2, {0, 0, 0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 0x80, 0x80, 0x80, 0x80}};
constexpr Pattern kOwnPair = {2, {0, 0, 1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 0x80, 0x80, 0x80, 0x80}};

void GatherScalar(const uint8_t* src, int from, int groups, const Pattern& pattern, uint8_t* dst) {
  for (int k = from; k < groups; ++k) {
    for (int i = 0; i < 3; ++i) dst[3 * k + i] = src[pattern.stride * k + pattern.offsets[i]];
  }
}

#ifdef CODEC_HAVE_AVX2_PATHS

// Four groups per byte shuffle; the four spare bytes land in the slack.
__attribute__((target("avx2"))) int GatherAvx2(const uint8_t* src, int groups,
                                               const Pattern& pattern, uint8_t* dst) {
  const __m128i mask = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern.offsets));
  int k = 0;
  for (; k + 4 <= groups; k += 4) {
    const uint8_t* at = src + pattern.stride * k;
    const __m128i bytes = pattern.stride == 4
                              ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(at))
                              : _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * k), _mm_shuffle_epi8(bytes, mask));
  }
  return k;
}

#endif

void Gather(const uint8_t* src, int groups, const Pattern& pattern, uint8_t* dst) {
  int done = 0;
#ifdef CODEC_HAVE_AVX2_PATHS
  if (UseAvx2()) done = GatherAvx2(src, groups, pattern, dst);
#endif
  GatherScalar(src, done, groups, pattern, dst);
}

}  // namespace

void KeepThreeOfFour(const uint8_t* src, int groups, uint8_t* dst) {
  Gather(src, groups, kKeep, dst);
}

void SpreadChromaPairs(const uint8_t* src, int groups, PairRule rule, uint8_t* dst) {
  Gather(src, groups, rule == PairRule::kFirstPair ? kFirstPair : kOwnPair, dst);
}

}  // namespace codec

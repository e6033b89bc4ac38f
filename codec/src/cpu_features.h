// What the processor offers beyond the baseline instruction set, and which
// path the decoder takes. Routines with vector forms compile them with
// per-function target attributes and choose at run time; every vector form
// computes the same integers as its portable form, so the switch only ever
// changes speed.
#pragma once

#include <atomic>

#include "codec/jpeg_decoder.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define CODEC_HAVE_AVX2_PATHS 1
// A helper inlined into AVX2 routines.
#define CODEC_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline
#endif

namespace codec {

namespace code_path_detail {
extern std::atomic<bool> avx2_in_use;
}

// True while the AVX2 forms are in use (the processor has them and neither
// JpegSetCodePath nor ORSA_CODEC_PATH asked for the portable path).
inline bool UseAvx2() { return code_path_detail::avx2_in_use.load(std::memory_order_relaxed); }

}  // namespace codec

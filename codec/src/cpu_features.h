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
#define CODEC_HAVE_AVX512_PATHS 1
// Helpers inlined into AVX2 and AVX-512 routines.
#define CODEC_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline
#define CODEC_AVX512_TARGET __attribute__((target("avx2,avx512f,avx512bw")))
#define CODEC_AVX512_INLINE CODEC_AVX512_TARGET __attribute__((always_inline)) inline
#endif

// GCC 12 reports the deliberately undefined vectors inside its own AVX-512
// intrinsics (the `__Y` of _mm512_undefined_epi32) as uninitialized once
// they are inlined; files with AVX-512 forms say this once at their top.
#if defined(__GNUC__) && !defined(__clang__)
#define CODEC_QUIET_AVX512_INTRINSIC_WARNINGS           \
  _Pragma("GCC diagnostic ignored \"-Wuninitialized\"") \
      _Pragma("GCC diagnostic ignored \"-Wmaybe-uninitialized\"")
#else
#define CODEC_QUIET_AVX512_INTRINSIC_WARNINGS
#endif

namespace codec {

namespace code_path_detail {
extern std::atomic<JpegCodePath> path_in_use;
}

inline JpegCodePath PathInUse() {
  return code_path_detail::path_in_use.load(std::memory_order_relaxed);
}

// True while the AVX2 forms are in use: the AVX-512 path keeps them for the
// routines that have no wider form.
inline bool UseAvx2() { return PathInUse() != JpegCodePath::kPortable; }

// True while the AVX-512 forms are in use.
inline bool UseAvx512() { return PathInUse() == JpegCodePath::kAvx512; }

}  // namespace codec

// What the processor offers beyond the baseline instruction set. Routines with
// vector forms compile them with per-function target attributes and choose at
// run time; every vector form computes the same integers as its scalar form.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define CODEC_HAVE_AVX2_PATHS 1
// A helper inlined into AVX2 routines.
#define CODEC_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline
#endif

namespace codec {

#ifdef CODEC_HAVE_AVX2_PATHS
inline const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace codec

// The process-wide choice between the portable and the vector forms. It
// starts at the best path the processor has, unless the environment
// variable ORSA_CODEC_PATH says "portable", so that tests and the fuzzer
// can run each path.
#include <cstdlib>
#include <string_view>

#include "cpu_features.h"

namespace codec {
namespace {

bool ProcessorHasAvx2() {
#ifdef CODEC_HAVE_AVX2_PATHS
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

bool StartsWithAvx2() {
  const char* asked = std::getenv("ORSA_CODEC_PATH");
  if (asked != nullptr && std::string_view(asked) == "portable") return false;
  return ProcessorHasAvx2();
}

}  // namespace

namespace code_path_detail {
std::atomic<bool> avx2_in_use{StartsWithAvx2()};
}

JpegCodePath JpegSetCodePath(JpegCodePath path) {
  const bool avx2 = path == JpegCodePath::kAvx2 && ProcessorHasAvx2();
  code_path_detail::avx2_in_use.store(avx2, std::memory_order_relaxed);
  return JpegActiveCodePath();
}

JpegCodePath JpegActiveCodePath() {
  return UseAvx2() ? JpegCodePath::kAvx2 : JpegCodePath::kPortable;
}

}  // namespace codec

// The process-wide choice between the portable and the vector forms. It
// starts at the best path the processor has, or at the one the environment
// variable ORSA_CODEC_PATH names ("portable", "avx2" or "avx512") when the
// processor has it, so that tests and the fuzzer can run each path.
#include <cstdlib>
#include <string_view>

#include "cpu_features.h"

namespace codec {
namespace {

bool ProcessorHas(JpegCodePath path) {
#ifdef CODEC_HAVE_AVX2_PATHS
  switch (path) {
    case JpegCodePath::kPortable:
      return true;
    case JpegCodePath::kAvx2:
      return __builtin_cpu_supports("avx2");
    case JpegCodePath::kAvx512:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
             __builtin_cpu_supports("avx512bw");
  }
  return false;
#else
  return path == JpegCodePath::kPortable;
#endif
}

// The path asked for, or the best below it that the processor has.
JpegCodePath BestUpTo(JpegCodePath path) {
  if (path == JpegCodePath::kAvx512 && !ProcessorHas(path)) path = JpegCodePath::kAvx2;
  if (path == JpegCodePath::kAvx2 && !ProcessorHas(path)) path = JpegCodePath::kPortable;
  return path;
}

JpegCodePath StartingPath() {
  const char* asked = std::getenv("ORSA_CODEC_PATH");
  const std::string_view name = asked != nullptr ? asked : "";
  if (name == "portable") return JpegCodePath::kPortable;
  if (name == "avx2") return BestUpTo(JpegCodePath::kAvx2);
  return BestUpTo(JpegCodePath::kAvx512);
}

}  // namespace

namespace code_path_detail {
std::atomic<JpegCodePath> path_in_use{StartingPath()};
}

JpegCodePath JpegSetCodePath(JpegCodePath path) {
  code_path_detail::path_in_use.store(BestUpTo(path), std::memory_order_relaxed);
  return JpegActiveCodePath();
}

JpegCodePath JpegActiveCodePath() { return PathInUse(); }

}  // namespace codec

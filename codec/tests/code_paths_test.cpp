// Whole decodes on each instruction-set path: every mode of every sampling,
// size and reduction gives the same bytes and result on the vector path as
// on the portable one.
#include "code_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode_test_support.h"

namespace codec::testing {
namespace {

std::vector<uint8_t> Encoded(int width, int height, Subsampling subsampling, int quality) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.quality = quality;
  return EncodeJpeg(MakeScene(width, height, width + quality), options);
}

// Restores the path in use when it goes.
class CodePathGuard {
 public:
  ~CodePathGuard() { JpegSetCodePath(before_); }

 private:
  JpegCodePath before_ = JpegActiveCodePath();
};

class VectorPath : public ::testing::TestWithParam<JpegCodePath> {};
INSTANTIATE_TEST_SUITE_P(CodePaths, VectorPath,
                         ::testing::Values(JpegCodePath::kAvx2, JpegCodePath::kAvx512),
                         CodePathName);

TEST_P(VectorPath, DecodesEveryModeToThePortableBytes) {
  CodePathGuard guard;
  if (JpegSetCodePath(GetParam()) != GetParam()) GTEST_SKIP() << "not on this processor";
  const std::vector<std::vector<uint8_t>> images = {
      Encoded(320, 240, Subsampling::k444, 75), Encoded(320, 240, Subsampling::k420, 98),
      Encoded(640, 480, Subsampling::k420, 85), Encoded(352, 288, Subsampling::k422, 60),
      Encoded(160, 120, Subsampling::k420, 90), Encoded(160, 120, Subsampling::k422, 100),
      Encoded(160, 120, Subsampling::k444, 30), Encoded(1280, 960, Subsampling::k444, 40)};
  for (size_t i = 0; i < images.size(); ++i) {
    for (int mode = kJpegFirstMode; mode <= kJpegLastMode; ++mode) {
      for (bool fast : {true, false}) {
        SCOPED_TRACE("image " + std::to_string(i) + " mode " + std::to_string(mode));
        JpegSetCodePath(JpegCodePath::kPortable);
        const Decoded portable = Decode(images[i], mode, fast);
        JpegSetCodePath(GetParam());
        const Decoded vector = Decode(images[i], mode, fast);
        ASSERT_EQ(vector.result, portable.result);
        ASSERT_EQ(vector.written, portable.written);
        ASSERT_TRUE(vector.pixels == portable.pixels);
      }
    }
  }
}

TEST(CodePaths, PortableCanBeChosenAndAVectorPathOnlyWhereItRuns) {
  CodePathGuard guard;
  EXPECT_EQ(JpegSetCodePath(JpegCodePath::kPortable), JpegCodePath::kPortable);
  EXPECT_EQ(JpegActiveCodePath(), JpegCodePath::kPortable);
  const bool avx2 = __builtin_cpu_supports("avx2") != 0;
  const bool avx512 =
      avx2 && __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0;
  const JpegCodePath two = JpegSetCodePath(JpegCodePath::kAvx2);
  EXPECT_EQ(JpegActiveCodePath(), two);
  EXPECT_EQ(two, avx2 ? JpegCodePath::kAvx2 : JpegCodePath::kPortable);
  // A path the processor lacks falls back to the best one below it.
  const JpegCodePath wide = JpegSetCodePath(JpegCodePath::kAvx512);
  EXPECT_EQ(JpegActiveCodePath(), wide);
  EXPECT_EQ(wide, avx512 ? JpegCodePath::kAvx512 : two);
}

}  // namespace
}  // namespace codec::testing

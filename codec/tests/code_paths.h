// Runs a test once on each instruction-set path of the decoder, so that the
// portable forms are tested on processors that have vector ones too. A path
// the processor lacks is skipped; the path in use before comes back after.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "codec/jpeg_decoder.h"

namespace codec::testing {

inline constexpr JpegCodePath kCodePaths[] = {JpegCodePath::kPortable, JpegCodePath::kAvx2,
                                              JpegCodePath::kAvx512};

inline std::string CodePathName(const ::testing::TestParamInfo<JpegCodePath>& info) {
  switch (info.param) {
    case JpegCodePath::kPortable:
      return "Portable";
    case JpegCodePath::kAvx2:
      return "Avx2";
    case JpegCodePath::kAvx512:
      return "Avx512";
  }
  return "Unknown";
}

class OnEachCodePath : public ::testing::TestWithParam<JpegCodePath> {
 protected:
  void SetUp() override {
    if (JpegSetCodePath(GetParam()) != GetParam()) GTEST_SKIP() << "not on this processor";
  }
  void TearDown() override { JpegSetCodePath(before_); }

 private:
  JpegCodePath before_ = JpegActiveCodePath();
};

}  // namespace codec::testing

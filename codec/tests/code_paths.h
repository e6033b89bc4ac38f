// Runs a test once on each instruction-set path of the decoder, so that the
// portable forms are tested on processors that have vector ones too. A path
// the processor lacks is skipped; the path in use before comes back after.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "codec/jpeg_decoder.h"

namespace codec::testing {

inline constexpr JpegCodePath kCodePaths[] = {JpegCodePath::kPortable, JpegCodePath::kAvx2};

inline std::string CodePathName(const ::testing::TestParamInfo<JpegCodePath>& info) {
  return info.param == JpegCodePath::kPortable ? "Portable" : "Avx2";
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

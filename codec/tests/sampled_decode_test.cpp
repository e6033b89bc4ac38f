// Sampled decodes against the whole decode of the same stream: the pixels
// (step x i, step x j) of the whole picture, byte for byte, with the same
// result, whether the scan makes only those pixels (one-to-one fit, exact
// three-quarter scaler) or the whole picture is decoded and sampled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "code_paths.h"
#include "codec/jpeg_decoder.h"
#include "crafted_jpeg.h"
#include "decode_test_support.h"
#include "test_images.h"

namespace codec::testing {
namespace {

constexpr uint8_t kFill = 0x5A;

struct Sampled {
  JpegResult result = kJpegOk;
  std::vector<uint8_t> pixels;
};

// The whole decode into a sink pre-filled with kFill, then every step-th
// pixel of every step-th line.
Sampled SampleWholeDecode(const std::vector<uint8_t>& jpeg, int mode, int step, bool fast) {
  const Decoded whole = Decode(jpeg, mode, fast);
  std::vector<uint8_t> pixels = whole.pixels;
  for (size_t i = whole.written; i < pixels.size(); ++i) pixels[i] = kFill;
  Sampled sampled{whole.result, {}};
  const size_t pixel_bytes = static_cast<size_t>(whole.bytes_per_pixel);
  for (int y = 0; y < whole.height; y += step) {
    for (int x = 0; x < whole.width; x += step) {
      const uint8_t* at = pixels.data() + (static_cast<size_t>(y) * whole.width + x) * pixel_bytes;
      sampled.pixels.insert(sampled.pixels.end(), at, at + pixel_bytes);
    }
  }
  return sampled;
}

Sampled DecodeSampled(const std::vector<uint8_t>& jpeg, int mode, int step, bool fast,
                      JpegDecoder* decoder) {
  const size_t size = JpegSampledOutputSize(mode, step);
  std::vector<uint8_t> sink(size + kGuardBytes, kFill);
  JpegSetFastThreeQuarter(*decoder, fast);
  Sampled sampled;
  sampled.result = JpegDecodeSampled(jpeg.data(), jpeg.size(), mode, step, sink.data(), decoder);
  ExpectNothingPast(sink, size, kFill);
  sink.resize(size);
  sampled.pixels = std::move(sink);
  return sampled;
}

void ExpectSameAsWhole(const std::vector<uint8_t>& jpeg, int mode, int step, bool fast,
                       JpegDecoder* decoder) {
  const Sampled expected = SampleWholeDecode(jpeg, mode, step, fast);
  const Sampled got = DecodeSampled(jpeg, mode, step, fast, decoder);
  ASSERT_EQ(got.result, expected.result) << "mode " << mode << " step " << step;
  ASSERT_EQ(got.pixels.size(), expected.pixels.size());
  for (size_t i = 0; i < got.pixels.size(); ++i) {
    ASSERT_EQ(got.pixels[i], expected.pixels[i])
        << "mode " << mode << " step " << step << " fast " << fast << " byte " << i;
  }
}

std::vector<uint8_t> Frame(int width, int height, Subsampling subsampling, int seed,
                           int restart_interval = 0, int quality = 0) {
  EncodeOptions options;
  options.subsampling = subsampling;
  options.restart_interval = restart_interval;
  if (quality == 0) {
    options.tables = CameraTables(seed % 3);
  } else {
    options.quality = quality;
  }
  return EncodeJpeg(MakeScene(width, height, seed), options);
}

constexpr Subsampling kSamplings[] = {Subsampling::k444, Subsampling::k422, Subsampling::k420};

TEST(SampledDecodeTest, OutputSizeCountsEveryStepthPixelFromTheFirst) {
  EXPECT_EQ(JpegSampledOutputSize(2, 6), 40u * 30u * 2u);
  EXPECT_EQ(JpegSampledOutputSize(3, 4), 40u * 30u * 2u);
  EXPECT_EQ(JpegSampledOutputSize(9, 7), 35u * 26u * 3u);
  EXPECT_EQ(JpegSampledOutputSize(2, 1), JpegOutputSize(2));
  EXPECT_EQ(JpegSampledOutputSize(2, 0), 0u);
  EXPECT_EQ(JpegSampledOutputSize(15, 2), 0u);
}

class SampledOnEachPath : public OnEachCodePath {};

// The plug-in's thumbnails: 320 x 240 frames at 240 x 180 every sixth pixel,
// 160 x 120 frames at 160 x 120 every fourth, each sampling, camera tables.
TEST_P(SampledOnEachPath, ThumbnailDecodesEqualTheWholeDecodeSampled) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  for (const Subsampling subsampling : kSamplings) {
    for (int seed = 0; seed < 6; ++seed) {
      SCOPED_TRACE(SubsamplingName(subsampling));
      ExpectSameAsWhole(Frame(320, 240, subsampling, seed), 2, 6, false, decoder.get());
      ExpectSameAsWhole(Frame(320, 240, subsampling, seed), 9, 6, false, decoder.get());
      ExpectSameAsWhole(Frame(160, 120, subsampling, seed), 3, 4, false, decoder.get());
      ExpectSameAsWhole(Frame(160, 120, subsampling, seed), 10, 4, true, decoder.get());
    }
  }
}

// Frames at 240 x 180 every sixth pixel read each luma block (and in 4:4:4
// each chroma block) at its first line and column only. Fine quantisation
// fills every line and column of the blocks, so every term of that sample
// counts.
TEST_P(SampledOnEachPath, BlockCornersOfFinelyQuantisedFramesEqualTheWholeDecode) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  for (const int quality : {100, 95, 80}) {
    for (int seed = 0; seed < 3; ++seed) {
      const Subsampling subsampling = kSamplings[seed];
      const std::vector<uint8_t> jpeg = Frame(320, 240, subsampling, seed, 0, quality);
      SCOPED_TRACE(::testing::Message()
                   << "quality " << quality << " " << SubsamplingName(subsampling));
      ExpectSameAsWhole(jpeg, 2, 6, false, decoder.get());
      ExpectSameAsWhole(jpeg, 9, 6, false, decoder.get());
      ExpectSameAsWhole(jpeg, 9, 6, true, decoder.get());
    }
  }
}

// 320 x 240 blocks of random coefficients anywhere in the block, up to the
// largest values the standard tables code, with quantisation steps that
// push them past the dequantisation limit.
std::vector<uint8_t> RandomCoefficientFrame(uint8_t luma_step, uint8_t chroma_step,
                                            std::mt19937& random) {
  CraftedFrame frame;
  frame.width = 320;
  frame.height = 240;
  std::vector<uint8_t> jpeg = CraftJpeg(frame, [&random](ScanWriter& writer) {
    for (int block = 0; block < 40 * 30 * 3; ++block) {
      const bool luma = block % 3 == 0;
      writer.Dc(luma ? 0 : 1, static_cast<int>(random() % 4095) - 2047);
      const unsigned longest_run = 1 + random() % 15;
      int k = 1;
      while (k < 64) {
        const int run = static_cast<int>(random() % (longest_run + 1));
        if (k + run > 63) break;
        int value = static_cast<int>(random() % 1023) + 1;
        if (random() % 2 == 0) value = -value;
        if (random() % 4 != 0) value /= 64;
        if (value == 0) value = 1;
        writer.Ac(luma ? 2 : 3, run, value);
        k += run + 1;
      }
      // A block that reaches the last coefficient has no end-of-block code.
      if (k < 64) writer.EndOfBlock(luma ? 2 : 3);
    }
  });
  // The two DQT tables of 64 entries follow SOI and each one's 5-byte head.
  std::fill_n(jpeg.begin() + 7, 64, luma_step);
  std::fill_n(jpeg.begin() + 7 + 64 + 5, 64, chroma_step);
  return jpeg;
}

TEST_P(SampledOnEachPath, BlockCornersOfRandomCoefficientsEqualTheWholeDecode) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  std::mt19937 random(40);
  const uint8_t steps[][2] = {{1, 1}, {3, 2}, {16, 255}, {255, 40}};
  for (const auto& step : steps) {
    SCOPED_TRACE(::testing::Message() << "steps " << int{step[0]} << " " << int{step[1]});
    const std::vector<uint8_t> jpeg = RandomCoefficientFrame(step[0], step[1], random);
    ASSERT_EQ(Decode(jpeg, 2, false).result, kJpegOk);
    ExpectSameAsWhole(jpeg, 2, 6, false, decoder.get());
    ExpectSameAsWhole(jpeg, 9, 6, false, decoder.get());
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, SampledOnEachPath, ::testing::ValuesIn(kCodePaths), CodePathName);

// Random sizes, qualities, restart intervals, modes and steps: the scans
// that make only the samples and those that sample the whole picture
// (margins, other scalers, the full-size modes) alike.
TEST(SampledDecodeTest, AnyModeAndStepEqualsTheWholeDecodeSampled) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  std::mt19937 random(26);
  const int sizes[][2] = {{320, 240}, {160, 120}, {176, 144}, {320, 200}, {64, 48}, {240, 180}};
  for (int round = 0; round < 60; ++round) {
    const auto& size = sizes[random() % std::size(sizes)];
    const Subsampling subsampling = kSamplings[random() % 3];
    const int restart = random() % 3 == 0 ? 1 + static_cast<int>(random() % 7) : 0;
    const int quality = 10 + static_cast<int>(random() % 90);
    const std::vector<uint8_t> jpeg = Frame(size[0], size[1], subsampling, round, restart, quality);
    const int mode = 1 + static_cast<int>(random() % 14);
    const int step = 1 + static_cast<int>(random() % 9);
    SCOPED_TRACE(::testing::Message()
                 << size[0] << "x" << size[1] << " " << SubsamplingName(subsampling) << " restart "
                 << restart << " quality " << quality);
    ExpectSameAsWhole(jpeg, mode, step, random() % 2 == 0, decoder.get());
  }
}

// Damaged streams end with the whole decode's result and exactly the samples
// of what it wrote; nothing is read or written out of bounds (ASan).
TEST(SampledDecodeTest, DamagedFramesFailAsTheWholeDecodeDoes) {
  JpegDecoderPtr decoder = JpegDecoderCreate();
  std::mt19937 random(7);
  for (const Subsampling subsampling : kSamplings) {
    const std::vector<uint8_t> jpeg =
        Frame(320, 240, subsampling, 3, subsampling == Subsampling::k422 ? 4 : 0);
    for (int round = 0; round < 40; ++round) {
      std::vector<uint8_t> damaged(jpeg.begin(),
                                   jpeg.begin() + static_cast<long>(random() % jpeg.size()));
      if (round % 2 == 1) {
        damaged = jpeg;
        for (int flips = 0; flips < 4; ++flips) {
          damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1 + random() % 255);
        }
      }
      ExpectSameAsWhole(damaged, 2, 6, false, decoder.get());
      ExpectSameAsWhole(damaged, 3, 4, false, decoder.get());
    }
  }
}

TEST(SampledDecodeTest, RefusesAStepBelowOneAndNoDecoder) {
  const std::vector<uint8_t> jpeg = Frame(320, 240, Subsampling::k444, 0);
  JpegDecoderPtr decoder = JpegDecoderCreate();
  std::vector<uint8_t> sink(JpegOutputSize(2));
  EXPECT_EQ(JpegDecodeSampled(jpeg.data(), jpeg.size(), 2, 0, sink.data(), decoder.get()),
            kJpegUnsupported);
  EXPECT_EQ(JpegDecodeSampled(jpeg.data(), jpeg.size(), 2, 6, sink.data(), nullptr), kJpegNoMemory);
}

}  // namespace
}  // namespace codec::testing

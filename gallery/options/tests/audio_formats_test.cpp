#include "gallery/options/audio_formats.h"

#include <gtest/gtest.h>

namespace gallery {
namespace {

TEST(AudioFormatsListTest, SixteenPcmFormatsInRateThenShapeOrder) {
  const auto formats = PcmFormats();
  EXPECT_EQ(formats[0], (AudioOptions{kFormatPcm, 1, 8000, 8}));
  EXPECT_EQ(formats[3], (AudioOptions{kFormatPcm, 2, 8000, 16}));
  EXPECT_EQ(formats[kDefaultPcmFormat], AudioOptions{});
  EXPECT_EQ(formats[15], (AudioOptions{kFormatPcm, 2, 44100, 16}));
  for (const AudioOptions& format : formats) EXPECT_TRUE(IsOfferedAudioFormat(format));
  EXPECT_EQ(PcmFormatIndex(formats[9]), 9);
  EXPECT_EQ(PcmFormatIndex(kGsmAudio), -1);
}

TEST(AudioFormatsListTest, RatesRoundToTheNearestKilobyte) {
  EXPECT_EQ(KilobytesPerSecond({kFormatPcm, 1, 11025, 8}), 11);    // 11,025 B/s
  EXPECT_EQ(KilobytesPerSecond({kFormatPcm, 2, 44100, 16}), 172);  // 176,400 B/s
  EXPECT_EQ(KilobytesPerSecond({kFormatPcm, 1, 8000, 8}), 8);      // 8,000 B/s: 7.8
}

}  // namespace
}  // namespace gallery

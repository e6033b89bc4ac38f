// The caption's text: name, information line, or both on two lines, with
// the 12-hour clock and the file size in bytes or kilobytes.
#include <gtest/gtest.h>

#include "slideshow/slide_caption.h"

namespace gallery {
namespace {

CaptionFile File(platform::WORD hour, platform::WORD minute, std::uint64_t size) {
  CaptionFile file;
  file.name = "snap0001.jpg";
  file.local_time.wHour = hour;
  file.local_time.wMinute = minute;
  file.size = size;
  return file;
}

constexpr imaging::ImageInfo kInfo{1280, 960, imaging::kFormatJpeg};

TEST(SlideCaption, NameOnlyInfoOnlyOrBothOnTwoLines) {
  const CaptionFile file = File(14, 5, 2048);
  EXPECT_EQ(CaptionText(file, "6/1/03", kInfo, true, false), "snap0001.jpg");
  EXPECT_EQ(CaptionText(file, "6/1/03", kInfo, false, true), "6/1/03 2:05pm 1280x960 (2.0k)");
  EXPECT_EQ(CaptionText(file, "6/1/03", kInfo, true, true),
            "snap0001.jpg\r\n6/1/03 2:05pm 1280x960 (2.0k)");
  EXPECT_EQ(CaptionText(file, "6/1/03", kInfo, false, false), "");
}

TEST(SlideCaption, SmallFilesInBytesAndMidnightAndNoonAsTwelve) {
  EXPECT_EQ(CaptionText(File(0, 0, 1023), "1.6.03", kInfo, false, true),
            "1.6.03 12:00am 1280x960 (1023b)");
  EXPECT_EQ(CaptionText(File(12, 59, 1024), "1.6.03", kInfo, false, true),
            "1.6.03 12:59pm 1280x960 (1.0k)");
  EXPECT_EQ(CaptionText(File(23, 1, 1536 * 1024), "1.6.03", {}, false, true),
            "1.6.03 11:01pm 0x0 (1536.0k)");
}

}  // namespace
}  // namespace gallery

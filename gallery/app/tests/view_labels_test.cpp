// The labels' size and time forms.
#include <gtest/gtest.h>

#include "command_line.h"
#include "view/file_labels.h"

namespace gallery {
namespace {

TEST(FileLabelsTest, SizesBelowAKilobyteInBytesAboveInTenthsOfKilobytes) {
  EXPECT_EQ(NameWithSize("a.jpg", 812), "a.jpg (812b)");
  EXPECT_EQ(NameWithSize("a.jpg", 1023), "a.jpg (1023b)");
  EXPECT_EQ(NameWithSize("a.jpg", 1024), "a.jpg (1.0k)");
  EXPECT_EQ(NameWithSize("a.jpg", 1536), "a.jpg (1.5k)");
}

TEST(FileLabelsTest, TimeOnATwelveHourClock) {
  EXPECT_EQ(DateLine("12/9/26", 0, 5, 640, 480), "12/9/26 12:05am 640x480");
  EXPECT_EQ(DateLine("12/9/26", 12, 30, 1, 2), "12/9/26 12:30pm 1x2");
  EXPECT_EQ(DateLine("12/9/26", 23, 59, 1, 2), "12/9/26 11:59pm 1x2");
  EXPECT_EQ(DateLine("12/9/26", 11, 0, 1, 2), "12/9/26 11:00am 1x2");
}

TEST(FileLabelsTest, FileNameIsThePartAfterTheLastBackslash) {
  EXPECT_EQ(FileNameOf("\\My Documents\\a.jpg"), "a.jpg");
  EXPECT_EQ(FileNameOf("a.jpg"), "a.jpg");
}

}  // namespace
}  // namespace gallery

// A Send entry's "Param" comes from the registry, written by anyone: each
// "%s" becomes the path, every other "%" stays as it is, and a result too
// long for a command line is refused rather than cut.
#include <gtest/gtest.h>

#include <string>

#include "sending/send_parameters.h"

namespace gallery::sending {
namespace {

constexpr char kPath[] = "\\My Documents\\My Pictures\\snap0001.jpg";

TEST(SendParametersTest, EachPercentSBecomesThePath) {
  EXPECT_EQ(FormatSendParameters("/x %s", kPath), std::string("/x ") + kPath);
  EXPECT_EQ(FormatSendParameters("%s%s", kPath), std::string(kPath) + kPath);
  EXPECT_EQ(FormatSendParameters("\"%s\" -q", kPath), std::string("\"") + kPath + "\" -q");
  EXPECT_EQ(FormatSendParameters("", kPath), "");
}

TEST(SendParametersTest, EveryOtherPercentIsTakenLiterally) {
  EXPECT_EQ(FormatSendParameters("%d %n %x %p %%", kPath), "%d %n %x %p %%");
  EXPECT_EQ(FormatSendParameters("100%", kPath), "100%");
  EXPECT_EQ(FormatSendParameters("%S", kPath), "%S");
  // A path with a percent in it is not read again.
  EXPECT_EQ(FormatSendParameters("%s", "\\a%sb%n.jpg"), "\\a%sb%n.jpg");
}

TEST(SendParametersTest, AResultLongerThanACommandLineIsRefused) {
  const std::string long_path = "\\" + std::string(250, 'p') + ".jpg";
  EXPECT_TRUE(FormatSendParameters("%s %s %s %s", long_path));  // 1,023 characters
  EXPECT_FALSE(FormatSendParameters("%s %s %s %s %s", long_path));
  EXPECT_EQ(FormatSendParameters(std::string(kMaxSendParameters, 'a'), kPath)->size(),
            kMaxSendParameters);
  EXPECT_FALSE(FormatSendParameters(std::string(kMaxSendParameters + 1, 'a'), kPath));
}

}  // namespace
}  // namespace gallery::sending

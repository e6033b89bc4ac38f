// The clipboard holds blocks by format for the thread that has it open.
#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"

namespace platform {
namespace {

class ClipboardTest : public ::testing::Test {
 protected:
  testing::TempHandheld device_;
};

// A packed 24-bit bitmap of 3x2 pixels: header, then rows padded to 4 bytes.
std::vector<BYTE> PackedBitmap() {
  std::vector<BYTE> block(40 + 12 * 2, 0);
  block[0] = 40;
  block[4] = 3;
  block[8] = 2;
  block[12] = 1;
  block[14] = 24;
  for (std::size_t i = 40; i < block.size(); ++i) block[i] = static_cast<BYTE>(i);
  return block;
}

TEST_F(ClipboardTest, ABlockSetAsDibIsReadBackWhole) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_TRUE(SetClipboardData(CF_DIB, PackedBitmap()));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));

  EXPECT_FALSE(GetClipboardData(CF_DIB));  // only while open
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_EQ(GetClipboardData(CF_DIB), PackedBitmap());
  EXPECT_FALSE(GetClipboardData(CF_TEXT));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  CloseClipboard();
}

TEST_F(ClipboardTest, OnlyOneThreadHasItOpen) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  BOOL other_opened = TRUE;
  BOOL other_set = TRUE;
  DWORD other_error = 0;
  ThreadHandle other = CreateThread([&]() -> DWORD {
    other_opened = OpenClipboard(nullptr);
    other_error = GetLastError();
    other_set = SetClipboardData(CF_DIB, PackedBitmap());
    return 0;
  });
  WaitForSingleObject(*other, INFINITE);
  EXPECT_FALSE(other_opened);
  EXPECT_EQ(other_error, ERROR_ACCESS_DENIED);
  EXPECT_FALSE(other_set);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
  CloseClipboard();
  EXPECT_FALSE(SetClipboardData(CF_DIB, PackedBitmap()));  // closed
}

}  // namespace
}  // namespace platform

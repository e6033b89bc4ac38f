// The preview pane's labels in three locales, and which picture commands
// a file allows.
#include <gtest/gtest.h>

#include "gallery/resources/commands.h"
#include "view_fixture.h"

namespace gallery {
namespace {

using testing::kPictures;

class ViewPaneTest : public testing::ViewFixture {
 protected:
  explicit ViewPaneTest(platform::DWORD locale = 0x0409) : ViewFixture(locale) {}

  // A 64 x 48 picture written at 00:05 on 9 December 2026.
  std::string DatedPicture() {
    const std::string path = PutPicture("snap0001.jpg", 64, 48);
    SetWriteTime(path, {2026, 12, 3, 9, 0, 5, 0, 0});
    return path;
  }
};

class GermanViewPaneTest : public ViewPaneTest {
 protected:
  GermanViewPaneTest() : ViewPaneTest(0x0407) {}
};

class ChineseViewPaneTest : public ViewPaneTest {
 protected:
  ChineseViewPaneTest() : ViewPaneTest(0x0804) {}
};

TEST_F(ViewPaneTest, LabelsNameTheFileWithItsSizeAndTheDateTimeAndPixels) {
  const std::string path = DatedPicture();
  const auto gallery = StartOn(path);
  EXPECT_EQ(Label(1108), "12/9/26 12:05am 64x48");
  EXPECT_TRUE(Label(1107).starts_with("snap0001.jpg (")) << Label(1107);
  Close(gallery);
}

TEST_F(ViewPaneTest, SmallFilesCountInBytes) {
  const std::string path = PutPicture("tiny.jpg", 8, 8);
  platform::FileHandle file = platform::CreateFile(
      path, platform::GENERIC_READ, platform::FILE_SHARE_READ, platform::OPEN_EXISTING);
  const platform::DWORD bytes = platform::GetFileSize(file, nullptr);
  platform::CloseFile(file);
  ASSERT_LT(bytes, 1024u);
  const auto gallery = StartOn(path);
  EXPECT_EQ(Label(1107), "tiny.jpg (" + std::to_string(bytes) + "b)");
  Close(gallery);
}

TEST_F(GermanViewPaneTest, DateInGermanShortForm) {
  const auto gallery = StartOn(DatedPicture());
  EXPECT_EQ(Label(1108), "09.12.2026 12:05am 64x48");
  Close(gallery);
}

TEST_F(ChineseViewPaneTest, DateInChineseShortForm) {
  const auto gallery = StartOn(DatedPicture());
  EXPECT_EQ(Label(1108), "2026-12-9 12:05am 64x48");
  Close(gallery);
}

TEST_F(ViewPaneTest, AnUnreadablePictureShowsItsNameOnly) {
  Put(std::string(kPictures) + "\\broken.jpg", "not a picture at all");
  const auto gallery = StartOn(std::string(kPictures) + "\\broken.jpg");
  EXPECT_EQ(Label(1107), "broken.jpg");
  EXPECT_EQ(Label(1108), "");
  Close(gallery);
}

TEST_F(ViewPaneTest, PictureCommandsFollowTheFormatAndProtection) {
  const std::string jpeg = PutPicture("a.jpg", 32, 32);
  const auto gallery = StartOn(jpeg);
  for (platform::UINT command : {kCommandEditComment, kCommandRotateLeft, kCommandRotateRight})
    EXPECT_FALSE(Greyed(command)) << command;
  EXPECT_FALSE(Greyed(kCommandRenameItem));
  Close(gallery);

  ASSERT_TRUE(platform::SetFileAttributes(jpeg, platform::FILE_ATTRIBUTE_READONLY));
  const auto read_only = StartOn(jpeg);
  for (platform::UINT command : {kCommandEditComment, kCommandRotateLeft, kCommandRotateRight})
    EXPECT_TRUE(Greyed(command)) << command;
  EXPECT_TRUE(Greyed(kCommandRenameItem));
  Close(read_only);

  Put(std::string(kPictures) + "\\b.png", "png");
  const auto png = StartOn(std::string(kPictures) + "\\b.png");
  for (platform::UINT command : {kCommandEditComment, kCommandRotateLeft, kCommandRotateRight})
    EXPECT_TRUE(Greyed(command)) << command;
  EXPECT_FALSE(Greyed(kCommandRenameItem));
  Close(png);
}

}  // namespace
}  // namespace gallery

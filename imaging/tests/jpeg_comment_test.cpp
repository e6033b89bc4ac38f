// JPEG comments: written, replaced, removed and read back, every other
// segment and the picture kept; refused where the file may not change.
#include <gtest/gtest.h>

#include <algorithm>

#include "imaging_fixture.h"
#include "jpeg_markers.h"
#include "platform/change_notify.h"

namespace imaging::testing {
namespace {

class JpegCommentTest : public ImagingTest {
 protected:
  std::string ReadComment(const std::string& path) {
    std::vector<char> buffer(65001, 'x');
    if (!read_comment_(path.c_str(), buffer.data(), 65001)) return "<none>";
    return buffer.data();
  }
  static int CountComments(const std::vector<std::uint8_t>& file) {
    const auto header = ParseJpegHeader(file);
    if (!header) return -1;
    return static_cast<int>(std::count_if(header->segments.begin(), header->segments.end(),
                                          [](const auto& s) { return s.marker == 0xFE; }));
  }
  static bool Contains(const std::vector<std::uint8_t>& file,
                       const std::vector<std::uint8_t>& part) {
    return std::search(file.begin(), file.end(), part.begin(), part.end()) != file.end();
  }
  // Everything from the first scan on.
  static std::vector<std::uint8_t> Scan(const std::vector<std::uint8_t>& file) {
    const auto header = ParseJpegHeader(file);
    return {file.begin() + static_cast<std::ptrdiff_t>(header->scan_offset), file.end()};
  }
};

TEST_F(JpegCommentTest, WriteThenReadRoundTripsAndKeepsTheRest) {
  const std::vector<std::uint8_t> original =
      EncodeJpeg(Quadrants(64, 48), {.comment = "first words", .exif = SampleExif()});
  const std::string path = Put("c.jpg", original);
  EXPECT_EQ(ReadComment(path), "first words");
  EXPECT_TRUE(read_comment_(path.c_str(), nullptr, 0));  // the thumbnail strip's test

  const std::string text = "Grüße vom Strand";  // multibyte text as bytes
  ASSERT_TRUE(
      write_comment_(path.c_str(), text.c_str(), static_cast<platform::WORD>(text.size() + 1), 0));
  EXPECT_EQ(ReadComment(path), text);
  const std::vector<std::uint8_t> rewritten = Get(path);
  EXPECT_EQ(CountComments(rewritten), 1);  // replaced, not added
  EXPECT_TRUE(Contains(rewritten, SampleExif()));
  EXPECT_EQ(Scan(rewritten), Scan(original));
  // The application segments (JFIF, Exif) stay ahead of the comment, as
  // readers expect.
  const auto header = ParseJpegHeader(rewritten);
  ASSERT_TRUE(header);
  EXPECT_EQ(header->segments[0].marker, 0xE0);
  EXPECT_EQ(header->segments[1].marker, 0xE1);
  EXPECT_EQ(header->segments[2].marker, 0xFE);
  std::unique_ptr<Bitmap> bitmap;
  EXPECT_EQ(load_(path.c_str(), &bitmap, 0, 0, nullptr), kLoadOk);
  // No temporary file is left beside it.
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"c.jpg"});
}

TEST_F(JpegCommentTest, CommentAddedToAFileWithoutOne) {
  const std::string path = Put("n.jpg", EncodeJpeg(Quadrants(32, 32)));
  EXPECT_FALSE(read_comment_(path.c_str(), nullptr, 0));
  const char text[] = "new";
  ASSERT_TRUE(write_comment_(path.c_str(), text, sizeof(text), 0));
  EXPECT_EQ(ReadComment(path), "new");
}

TEST_F(JpegCommentTest, EmptyCommentWithLengthZeroRemovesIt) {
  const std::vector<std::uint8_t> original =
      EncodeJpeg(Quadrants(32, 32), {.comment = "gone soon"});
  const std::string path = Put("r.jpg", original);
  ASSERT_TRUE(write_comment_(path.c_str(), "", 0, 0));
  EXPECT_FALSE(read_comment_(path.c_str(), nullptr, 0));
  EXPECT_EQ(CountComments(Get(path)), 0);
  EXPECT_EQ(Scan(Get(path)), Scan(original));
}

TEST_F(JpegCommentTest, SmallBufferGetsTheStartZeroTerminated) {
  const std::string path = Put("s.jpg", EncodeJpeg(Quadrants(16, 16), {.comment = "abcdefgh"}));
  char buffer[4] = {'x', 'x', 'x', 'x'};
  ASSERT_TRUE(read_comment_(path.c_str(), buffer, sizeof(buffer)));
  EXPECT_STREQ(buffer, "abc");
}

TEST_F(JpegCommentTest, LongestEditorCommentFits) {
  const std::string path = Put("l.jpg", EncodeJpeg(Quadrants(16, 16)));
  const std::string text(65000, 'w');
  ASSERT_TRUE(write_comment_(path.c_str(), text.c_str(), 65001, 0));
  EXPECT_EQ(ReadComment(path), text);
}

TEST_F(JpegCommentTest, ReadOnlyFileRefusesAndStaysIntact) {
  const std::vector<std::uint8_t> original = EncodeJpeg(Quadrants(32, 32), {.comment = "keep"});
  const std::string path = Put("ro.jpg", original);
  ASSERT_TRUE(platform::SetFileAttributes(path, platform::FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(write_comment_(path.c_str(), "new", 4, 0));
  EXPECT_FALSE(rotate_jpeg_(path.c_str(), kTurnClockwise));
  EXPECT_EQ(Get(path), original);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"ro.jpg"});
}

TEST_F(JpegCommentTest, FullDiskLeavesTheFileAsItWas) {
  const std::vector<std::uint8_t> original = EncodeJpeg(Quadrants(64, 48), {.comment = "old"});
  const std::string path = Put("full.jpg", original);
  platform::FileSystem& files = handheld_.handheld().files();
  ASSERT_TRUE(files.SetVolumeSize(path, *files.VolumeUsedBytes(path) + 100));
  const std::string text(5000, 'n');  // the new file cannot be written whole
  EXPECT_FALSE(write_comment_(path.c_str(), text.c_str(), 5001, 0));
  EXPECT_FALSE(rotate_jpeg_(path.c_str(), kTurnClockwise));
  EXPECT_EQ(Get(path), original);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"full.jpg"});
}

TEST_F(JpegCommentTest, FileHeldOpenElsewhereIsPutBack) {
  const std::vector<std::uint8_t> original = EncodeJpeg(Quadrants(32, 32), {.comment = "held"});
  const std::string path = Put("held.jpg", original);
  // Another reader keeps the file open: it cannot be renamed away.
  platform::FileHandle reader = platform::CreateFile(
      path, platform::GENERIC_READ, platform::FILE_SHARE_READ, platform::OPEN_EXISTING);
  ASSERT_TRUE(reader);
  EXPECT_FALSE(write_comment_(path.c_str(), "new", 4, 0));
  platform::CloseFile(reader);
  EXPECT_EQ(Get(path), original);
  EXPECT_EQ(FolderNames(), std::vector<std::string>{"held.jpg"});
}

TEST_F(JpegCommentTest, RewriteRaisesItemUpdatedForThePath) {
  const std::string path = Put("u.jpg", EncodeJpeg(Quadrants(16, 16)));
  std::vector<platform::ChangeEvent> events;
  auto registration = handheld_.handheld().change_notifier().Register(
      [&](const platform::ChangeEvent& event) { events.push_back(event); },
      platform::SHCNE_UPDATEITEM);
  ASSERT_TRUE(write_comment_(path.c_str(), "x", 2, 0));
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().path, path);
}

}  // namespace
}  // namespace imaging::testing

// The comment editor: a comment written in the system's code page reads
// back the same, characters the code page lacks are refused instead of
// stored as question marks, long texts are cut at a character and never
// past the buffer, an empty text removes the comment, protected files
// only show theirs.
#include <gtest/gtest.h>

#include <vector>

#include "gallery/resources/commands.h"
#include "imaging_library.h"
#include "platform/code_pages.h"
#include "view/comment_text.h"
#include "view_fixture.h"

namespace gallery {
namespace {

class ViewCommentTest : public testing::ViewFixture {
 protected:
  explicit ViewCommentTest(platform::DWORD locale = 0x0409) : ViewFixture(locale) {}

  static platform::HWND Editor() { return platform::FindWindow("TextEdit", std::nullopt); }
  static platform::HWND Edit() { return platform::GetDlgItem(Editor(), 1001); }
  // Replaces the editor's text the way typing does.
  static void Type(const std::string& text) {
    platform::SendMessage(Edit(), platform::EM_SETSEL, 0, -1);
    platform::SendMessage(Edit(), platform::EM_REPLACESEL, 0,
                          reinterpret_cast<platform::LPARAM>(text.c_str()));
  }
  static void Done() { Command(Editor(), platform::IDOK); }
  // The comment's bytes as stored, or nothing.
  static std::optional<std::string> StoredComment(const std::string& path) {
    ImagingLibrary library;
    EXPECT_TRUE(library.Open());
    std::vector<char> buffer(kCommentBufferSize);
    if (!library.read_comment(path.c_str(), buffer.data(), kCommentBufferSize)) return {};
    return std::string(buffer.data());
  }
};

class ChineseViewCommentTest : public ViewCommentTest {
 protected:
  ChineseViewCommentTest() : ViewCommentTest(0x0804) {}
};

const std::string kChinese = "湖边的日落";

TEST_F(ChineseViewCommentTest, AChineseCommentReadsBackIdentical) {
  const std::string path = PutPicture("snap0001.jpg", 32, 32);
  const auto gallery = StartOn(path);
  Command(Browser(), kCommandEditComment);
  ASSERT_TRUE(Editor());
  EXPECT_EQ(Text(Editor()), path);
  EXPECT_EQ(Text(Edit()), "");
  Type(kChinese);
  Done();
  EXPECT_FALSE(Editor());
  // Stored in the system's code page (936): two bytes a character.
  const auto stored = StoredComment(path);
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->size(), 10u);
  EXPECT_EQ(CommentFromFile(936, *stored), kChinese);
  Command(Browser(), kCommandEditComment);
  EXPECT_EQ(Text(Edit()), kChinese);
  Key(Edit(), platform::VK_ESCAPE);
  EXPECT_FALSE(Editor());
  Close(gallery);
}

TEST_F(ViewCommentTest, CharactersTheCodePageLacksAreReportedNotStored) {
  const std::string path = PutPicture("snap0001.jpg", 32, 32, {.comment = "at the lake"});
  const auto gallery = StartOn(path);
  Command(Browser(), kCommandEditComment);
  EXPECT_EQ(Text(Edit()), "at the lake");
  Type("sunset " + kChinese);
  Done();
  EXPECT_EQ(StoredComment(path), "at the lake");
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].request.text.find("not saved"), std::string::npos);
  Close(gallery);
}

TEST_F(ViewCommentTest, AnEmptyTextRemovesTheCommentAndEscapeKeepsIt) {
  const std::string path = PutPicture("snap0001.jpg", 32, 32, {.comment = "at the lake"});
  const auto gallery = StartOn(path);
  Command(Browser(), kCommandEditComment);
  Type("changed");
  Key(Edit(), platform::VK_ESCAPE);
  EXPECT_EQ(StoredComment(path), "at the lake");
  Command(Browser(), kCommandEditComment);
  Type("");
  Done();
  EXPECT_FALSE(StoredComment(path));
  Close(gallery);
}

TEST_F(ViewCommentTest, AProtectedFileShowsItsCommentReadOnly) {
  const std::string path = PutPicture("snap0001.jpg", 32, 32, {.comment = "at the lake"});
  ASSERT_TRUE(platform::SetFileAttributes(path, platform::FILE_ATTRIBUTE_READONLY));
  const auto gallery = StartOn(path);
  Command(Browser(), kCommandEditComment);
  ASSERT_TRUE(Editor());
  EXPECT_TRUE(platform::GetWindowLong(Edit(), platform::GWL_STYLE) & platform::ES_READONLY);
  Done();
  EXPECT_EQ(StoredComment(path), "at the lake");
  Close(gallery);
}

TEST(CommentTextTest, ALongTextIsCutAtACharacterWithinTheBuffer) {
  std::string text = "a";
  for (int i = 0; i < 32500; ++i) text += "湖";
  platform::testing::TempHandheld device;
  const FileComment comment = CommentForFile(936, text);
  EXPECT_TRUE(comment.cut);
  EXPECT_TRUE(comment.storable);
  // "a" and 32,499 two-byte characters: 64,999 bytes, no half character.
  EXPECT_EQ(comment.bytes.size(), 64999u);
  EXPECT_EQ(CommentFromFile(936, comment.bytes), text.substr(0, 1 + 32499 * 3));
}

TEST(CommentTextTest, ASurrogatePairIsNeverSplit) {
  std::string text(64999, 'x');
  text += "😀";  // four bytes in UTF-8, two UTF-16 units
  platform::testing::TempHandheld device;
  const FileComment comment = CommentForFile(platform::CP_UTF8, text);
  EXPECT_TRUE(comment.cut);
  EXPECT_EQ(comment.bytes, std::string(64999, 'x'));
}

TEST(CommentTextTest, BytesTheCodePageDoesNotDefineReadAsReplacements) {
  platform::testing::TempHandheld device;
  EXPECT_EQ(CommentFromFile(936, std::string("ok\x81", 3)), "ok\xEF\xBF\xBD");
  EXPECT_EQ(CommentFromFile(1252, std::string("caf\xE9\0tail", 8)), "caf\xC3\xA9");
}

}  // namespace
}  // namespace gallery

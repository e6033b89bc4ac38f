// Change notices in the running gallery: pictures the camera saves, voice
// notes, deletions and renames by other programs, storage cards coming and
// going, and a folder that keeps changing while the worker draws.
#include <gtest/gtest.h>

#include <set>

#include "browser/thumbnails.h"
#include "browser_strip_fixture.h"
#include "gallery/options/gallery_options.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "platform/change_notify.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/threads.h"

namespace gallery {
namespace {

using testing::kStripFolder;

class BrowserChangesTest : public testing::BrowserStripFixture {
 protected:
  // Writes a file the way a program on the handheld does, which raises
  // the shell's notice.
  static void Save(const std::string& path, const std::string& contents) {
    platform::FileHandle file =
        platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    ASSERT_TRUE(file);
    platform::DWORD written = 0;
    ASSERT_TRUE(platform::WriteFile(file, contents.data(),
                                    static_cast<platform::DWORD>(contents.size()), &written));
  }
  static std::string In(const std::string& name) { return std::string(kStripFolder) + name; }
  // Lets the 600 ms timer fire.
  static void AfterTimer() {
    platform::Sleep(650);
    Sync();
  }
};

TEST_F(BrowserChangesTest, APictureSavedIntoTheFolderAppearsWithoutAKeyPress) {
  Pictures(3);
  Start(In("aa.jpg"));
  Sync();
  const platform::DWORD saved = platform::GetTickCount();
  Save(In("ad.jpg"), Jpeg(64, 48, 9));
  AfterTimer();
  EXPECT_LE(platform::GetTickCount() - saved, 1200u);
  ASSERT_EQ(Strip().count(), 4);
  EXPECT_EQ(Strip().list().Path(3), In("ad.jpg"));
  EXPECT_NE(Strip().cells().Pixel(3, 20, 15), kCellBackground);
  EXPECT_EQ(Strip().cells().mark_icon(3), kIconNotMarked);
  EXPECT_EQ(CurrentName(), "aa.jpg");
  // Elsewhere, or not a picture: nothing changes.
  platform::CreateDirectory("\\Other");
  Save("\\Other\\x.jpg", Jpeg());
  Save(In("notes.txt"), "text");
  AfterTimer();
  EXPECT_EQ(Strip().count(), 4);
}

TEST_F(BrowserChangesTest, ASavedVoiceNoteChangesOnlyTheIcon) {
  Pictures(2);
  Start(In("aa.jpg"));
  Sync();
  const platform::COLORREF before = Strip().cells().Pixel(1, 32, 8);
  Save(In("ab.WAV"), "RIFF");
  AfterTimer();
  EXPECT_EQ(Strip().count(), 2);
  const platform::COLORREF with_note = Strip().cells().Pixel(1, 32, 8);
  EXPECT_NE(with_note, before);
  EXPECT_EQ(CurrentName(), "aa.jpg");
  // Scrolling away and back keeps the icon; a deleted note takes it away.
  Key(platform::VK_END);
  Key(platform::VK_HOME);
  EXPECT_EQ(Strip().cells().Pixel(1, 32, 8), with_note);
  platform::DeleteFile(In("ab.WAV"));
  AfterTimer();
  EXPECT_EQ(Strip().cells().Pixel(1, 32, 8), before);
}

TEST_F(BrowserChangesTest, ACommentWrittenIntoAPictureShowsItsIcon) {
  Pictures(2);
  Start(In("aa.jpg"));
  Sync();
  const platform::COLORREF before = Strip().cells().Pixel(1, 32, 22);
  {
    std::lock_guard media(MediaLock());
    ASSERT_TRUE(Imaging().write_comment(In("ab.jpg").c_str(), "Beach", 6, 0));
  }
  AfterTimer();
  EXPECT_EQ(Strip().count(), 2);
  EXPECT_NE(Strip().cells().Pixel(1, 32, 22), before);
}

TEST_F(BrowserChangesTest, ADeletedCurrentFileIsReplacedByItsSuccessor) {
  Pictures(4);
  Start(In("ab.jpg"));
  Sync();
  ASSERT_EQ(Strip().current(), 1);
  ASSERT_TRUE(platform::DeleteFile(In("ab.jpg")));
  AfterTimer();
  EXPECT_EQ(Strip().count(), 3);
  EXPECT_EQ(CurrentName(), "ac.jpg");
  EXPECT_EQ(Gallery().current, In("ac.jpg"));
  ASSERT_TRUE(platform::DeleteFile(In("ad.jpg")));
  ASSERT_TRUE(platform::DeleteFile(In("ac.jpg")));
  AfterTimer();
  EXPECT_EQ(Strip().count(), 1);
  EXPECT_EQ(CurrentName(), "aa.jpg");
}

TEST_F(BrowserChangesTest, ARenamedCurrentFileStaysCurrentUnderItsNewName) {
  Pictures(3);
  Start(In("aa.jpg"));
  Sync();
  ASSERT_TRUE(platform::MoveFile(In("aa.jpg"), In("zz.jpg")));
  AfterTimer();
  EXPECT_EQ(Strip().count(), 3);
  EXPECT_EQ(CurrentName(), "zz.jpg");
  EXPECT_EQ(Strip().current(), 2);
}

TEST_F(BrowserChangesTest, AMarkStaysOnAPictureRewrittenOrRenamed) {
  // Turning a picture or writing its comment rewrites the file; a later
  // Move or Delete of the marked pictures must still take it.
  Pictures(3);
  Start(In("aa.jpg"));
  Sync();
  Strip().list().SetMarked(1, true);
  Save(In("ab.jpg"), Jpeg(64, 48, 5));
  AfterTimer();
  ASSERT_EQ(Strip().count(), 3);
  EXPECT_EQ(Strip().list().MarkedPaths(), std::vector<std::string>{In("ab.jpg")});
  ASSERT_TRUE(platform::MoveFile(In("ab.jpg"), In("zz.jpg")));
  AfterTimer();
  EXPECT_EQ(Strip().list().MarkedPaths(), std::vector<std::string>{In("zz.jpg")});
  // An unmarked picture rewritten stays unmarked.
  Save(In("aa.jpg"), Jpeg(64, 48, 6));
  AfterTimer();
  EXPECT_EQ(Strip().list().MarkedCount(), 1);
}

TEST_F(BrowserChangesTest, AMarkStaysOnAPictureReplacedThroughATemporaryFile) {
  // The imaging library turns a picture safely: the new contents go to a
  // temporary file, the picture is moved aside, the temporary file takes
  // its name and the old one goes.
  Pictures(3);
  Start(In("aa.jpg"));
  Sync();
  Strip().list().SetMarked(1, true);
  Save(In("turn.tmp"), Jpeg(48, 64, 5));
  ASSERT_TRUE(platform::MoveFile(In("ab.jpg"), In("turn.old")));
  ASSERT_TRUE(platform::MoveFile(In("turn.tmp"), In("ab.jpg")));
  ASSERT_TRUE(platform::DeleteFile(In("turn.old")));
  AfterTimer();
  ASSERT_EQ(Strip().count(), 3);
  EXPECT_EQ(Strip().list().MarkedPaths(), std::vector<std::string>{In("ab.jpg")});
  // A marked picture deleted for good, and a new one saved under its name
  // later, is a new picture: unmarked.
  ASSERT_TRUE(platform::DeleteFile(In("ab.jpg")));
  AfterTimer();
  Save(In("ab.jpg"), Jpeg(64, 48, 7));
  AfterTimer();
  EXPECT_EQ(Strip().list().MarkedCount(), 0);
}

TEST_F(BrowserChangesTest, AStorageCardWithPicturesIsBrowsedAndLeftWhenRemoved) {
  Pictures(1);
  ASSERT_TRUE(handheld().files().InsertStorageCard());
  Put("\\Storage Card\\DCIM\\card.jpg", Jpeg());
  ASSERT_TRUE(handheld().files().RemoveStorageCard());
  Start(In("aa.jpg"));
  Sync();
  ASSERT_TRUE(handheld().files().InsertStorageCard());
  Sync();
  EXPECT_EQ(Gallery().folder, "\\Storage Card\\DCIM\\");
  EXPECT_EQ(CurrentName(), "card.jpg");
  ASSERT_TRUE(handheld().files().RemoveStorageCard());
  Sync();
  EXPECT_EQ(Gallery().folder, "\\My Documents\\");
}

TEST_F(BrowserChangesTest, ACardIsNotBrowsedWhenTheOptionIsOff) {
  GalleryOptions options = LoadGalleryOptions();
  options.file.open_card_pictures = 0;
  SaveGalleryOptions(options);
  Pictures(1);
  ASSERT_TRUE(handheld().files().InsertStorageCard());
  Put("\\Storage Card\\DCIM\\card.jpg", Jpeg());
  ASSERT_TRUE(handheld().files().RemoveStorageCard());
  Start(In("aa.jpg"));
  Sync();
  ASSERT_TRUE(handheld().files().InsertStorageCard());
  Sync();
  EXPECT_EQ(Gallery().folder, kStripFolder);
}

// A full folder, 1,000 pictures and 50 clips: the camera keeps saving into
// it and another program deletes from it, each on a thread of its own,
// while the user scrolls and refreshes. The list ends as the folder is,
// with no stale entry, and nothing the worker reads is freed under it (the
// sanitizer builds check the latter).
TEST_F(BrowserChangesTest, AFullFolderChangingUnderTheWorkerEndsListedAsItIs) {
  constexpr int kPictures = 1000, kClips = 50, kSaved = 40, kDeleted = 40;
  const std::string picture = Jpeg(64, 48, 3);
  for (int i = 0; i < kPictures; ++i) Put(In("p" + std::to_string(1000 + i) + ".jpg"), picture);
  for (int i = 0; i < kClips; ++i) Put(In("clip" + std::to_string(i) + ".avi"), "");
  Start(In("p1000.jpg"));
  Sync();
  ASSERT_EQ(Strip().count(), kPictures + kClips);
  platform::ThreadHandle camera = platform::CreateThread([&] {
    for (int i = 0; i < kSaved; ++i) {
      Save(In("snap" + std::to_string(1000 + i) + ".jpg"), picture);
      platform::Sleep(15);
    }
    return platform::DWORD{0};
  });
  platform::ThreadHandle other = platform::CreateThread([&] {
    for (int i = 0; i < kDeleted; ++i) {
      platform::DeleteFile(In("p" + std::to_string(1000 + i * 7) + ".jpg"));
      platform::Sleep(i % 5 == 0 ? 200 : 10);
    }
    return platform::DWORD{0};
  });
  for (int round = 0; round < 30; ++round) {
    platform::PostMessage(Browser(), platform::WM_KEYDOWN, platform::VK_NEXT, 0);
    if (round % 4 == 0) platform::PostMessage(Browser(), platform::WM_COMMAND, 40012, 0);
    platform::Sleep(round % 3 == 0 ? 300 : 20);
  }
  platform::WaitForSingleObject(camera, platform::INFINITE);
  platform::WaitForSingleObject(other, platform::INFINITE);
  AfterTimer();
  std::set<std::string> listed;
  for (int i = 0; i < Strip().count(); ++i)
    listed.insert(platform::FoldCase(Strip().list().Path(i)));
  std::set<std::string> on_disk;
  platform::WIN32_FIND_DATA data;
  platform::FindHandle find = platform::FindFirstFile(In("*.*"), &data);
  for (bool more = static_cast<bool>(find); more; more = platform::FindNextFile(find, &data))
    on_disk.insert(platform::FoldCase(In(data.cFileName)));
  platform::FindClose(find);
  EXPECT_EQ(listed, on_disk);
  EXPECT_EQ(Strip().count(), kPictures + kClips + kSaved - kDeleted);
}

}  // namespace
}  // namespace gallery

// The file list: which files a folder lists, the sorted insertion with its
// tie rules, adding and removing single files, finding, and the marks.
#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "browser/file_list.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

constexpr char kFolder[] = "\\Pictures\\";
constexpr std::string_view kClips[] = {"AVI"};

class BrowserFileListTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, std::size_t size = 1) {
    const std::string contents(size, 'x');
    platform::InstallerAccess access;
    device_.handheld().files().InstallFile(kFolder + name, std::as_bytes(std::span(contents)));
  }
  void Created(const std::string& name, std::uint64_t ticks) {
    platform::FILETIME time = platform::FILETIME::FromTicks(ticks);
    platform::FileHandle file =
        platform::CreateFile(kFolder + name, platform::GENERIC_WRITE, 0, platform::OPEN_EXISTING);
    ASSERT_TRUE(platform::SetFileTime(file, &time, nullptr, nullptr));
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (int index = 0; index < list_.count(); ++index)
      names.push_back(list_.Path(index).substr(std::string(kFolder).size()));
    return names;
  }
  void List(std::uint32_t key, bool ascending = true, bool subfolders = false,
            std::span<const std::string_view> extra = {}) {
    list_.List(kFolder, ListOrder{key, ascending, subfolders}, extra);
  }

  platform::testing::TempHandheld device_;
  FileList list_;
};

using NameList = std::vector<std::string>;

TEST_F(BrowserFileListTest, AnEmptyFolderListsNothing) {
  platform::CreateDirectory("\\Pictures");
  List(0);
  EXPECT_EQ(list_.count(), 0);
  EXPECT_EQ(list_.folder(), kFolder);
  EXPECT_EQ(list_.Path(0), "");
  EXPECT_EQ(list_.Find("\\Pictures\\a.jpg"), -1);
}

TEST_F(BrowserFileListTest, ListsTheBuiltInExtensionsInAnyCaseAndClipsOnlyWithThePlugIn) {
  for (const char* name : {"b.JPG", "a.bmp", "c.2bp", "d.Png", "e.gif", "f.avi", "noextension",
                           "g.txt", "h.jpeg", "jpg"})
    Put(name);
  List(0);
  EXPECT_EQ(Names(), (NameList{"a.bmp", "b.JPG", "c.2bp", "d.Png", "e.gif"}));
  List(0, true, false, kClips);
  EXPECT_EQ(Names(), (NameList{"a.bmp", "b.JPG", "c.2bp", "d.Png", "e.gif", "f.avi"}));
}

TEST_F(BrowserFileListTest, SubfoldersAreListedOnlyWhenAsked) {
  Put("top.jpg");
  Put("Trip\\day1.jpg");
  Put("Trip\\Deeper\\day2.jpg");
  List(0);
  EXPECT_EQ(Names(), (NameList{"top.jpg"}));
  List(0, true, true);
  EXPECT_EQ(Names(), (NameList{"Trip\\day1.jpg", "Trip\\Deeper\\day2.jpg", "top.jpg"}));
  EXPECT_TRUE(list_.InListedFolder("\\pictures\\trip\\x.jpg"));
  EXPECT_FALSE(list_.InListedFolder("\\Other\\x.jpg"));
}

TEST_F(BrowserFileListTest, NameOrderIgnoresCaseAndTheFolder) {
  for (const char* name : {"c.jpg", "B.jpg", "a.png"}) Put(name);
  List(0);
  EXPECT_EQ(Names(), (NameList{"a.png", "B.jpg", "c.jpg"}));
  List(0, false);
  EXPECT_EQ(Names(), (NameList{"c.jpg", "B.jpg", "a.png"}));
}

TEST_F(BrowserFileListTest, DateOrderUsesTheWhole64BitTime) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) Put(name);
  // Low halves more than 2^31 apart, in both directions of the high half.
  Created("a.jpg", (std::uint64_t{7} << 32) | 0x90000000u);
  Created("b.jpg", (std::uint64_t{7} << 32) | 0x00000010u);
  Created("c.jpg", (std::uint64_t{8} << 32) | 0x00000001u);
  Created("d.jpg", (std::uint64_t{6} << 32) | 0xF0000000u);
  List(1);
  EXPECT_EQ(Names(), (NameList{"d.jpg", "b.jpg", "a.jpg", "c.jpg"}));
  List(1, false);
  EXPECT_EQ(Names(), (NameList{"c.jpg", "a.jpg", "b.jpg", "d.jpg"}));
}

TEST_F(BrowserFileListTest, EqualKeysAreOrderedByName) {
  Put("z.jpg", 10);
  Put("m.jpg", 10);
  Put("a.png", 30);
  Put("b.bmp", 5);
  List(2);
  EXPECT_EQ(Names(), (NameList{"b.bmp", "m.jpg", "z.jpg", "a.png"}));
  List(2, false);
  EXPECT_EQ(Names(), (NameList{"a.png", "z.jpg", "m.jpg", "b.bmp"}));
  List(3);
  EXPECT_EQ(Names(), (NameList{"b.bmp", "m.jpg", "z.jpg", "a.png"}));
}

TEST_F(BrowserFileListTest, AddsAndRemovesOnlyFilesOfTheListedFolder) {
  Put("b.jpg");
  List(0);
  Put("a.jpg");
  Put("Sub\\c.jpg");
  EXPECT_EQ(list_.Add("\\Pictures\\a.jpg"), 0);
  EXPECT_EQ(list_.Add("\\Pictures\\Sub\\c.jpg"), -1);
  EXPECT_EQ(list_.Add("\\Pictures\\missing.jpg"), -1);
  EXPECT_EQ(Names(), (NameList{"a.jpg", "b.jpg"}));
  EXPECT_EQ(list_.Find("\\PICTURES\\B.JPG"), 1);
  EXPECT_FALSE(list_.Remove("\\Elsewhere\\b.jpg"));
  EXPECT_TRUE(list_.Remove("\\pictures\\A.jpg"));
  EXPECT_FALSE(list_.Remove("\\Pictures\\a.jpg"));
  EXPECT_EQ(Names(), (NameList{"b.jpg"}));
}

TEST_F(BrowserFileListTest, AnAddedFileTakesItsSortedPlaceByDate) {
  Put("old.jpg");
  Created("old.jpg", platform::testing::kJune2003Noon - 10'000'000);
  List(1);
  Put("new.jpg");
  EXPECT_EQ(list_.Add("\\Pictures\\new.jpg"), 1);
  EXPECT_EQ(Names(), (NameList{"old.jpg", "new.jpg"}));
}

TEST_F(BrowserFileListTest, MarksFollowTheirEntries) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"}) Put(name);
  List(0);
  list_.ToggleMarked(1);
  list_.MarkSpan(4, 3);
  EXPECT_EQ(list_.MarkedCount(), 3);
  EXPECT_EQ(list_.MarkedPaths(),
            (NameList{"\\Pictures\\b.jpg", "\\Pictures\\d.jpg", "\\Pictures\\e.jpg"}));
  ASSERT_TRUE(list_.Remove("\\Pictures\\a.jpg"));
  EXPECT_TRUE(list_.IsMarked(0));
  EXPECT_FALSE(list_.IsMarked(1));
  list_.ToggleMarked(0);
  EXPECT_FALSE(list_.IsMarked(0));
  list_.MarkAll(true);
  EXPECT_EQ(list_.MarkedCount(), 4);
  list_.MarkAll(false);
  EXPECT_EQ(list_.MarkedCount(), 0);
  list_.SetMarked(9, true);
  EXPECT_EQ(list_.MarkedCount(), 0);
}

TEST_F(BrowserFileListTest, APeekedEntryOutlivesItsRemoval) {
  Put("a.jpg");
  List(0);
  EntryPeek peek = list_.Peek(0);
  ASSERT_TRUE(peek.entry);
  List(0);  // a fresh listing drops every entry
  ASSERT_TRUE(list_.Remove("\\Pictures\\a.jpg"));
  EXPECT_EQ(peek.entry->path, "\\Pictures\\a.jpg");
  EXPECT_FALSE(list_.Peek(0).entry);
}

// The listing's own scan tells each entry whether its note exists, so the
// worker need not look for notes that are not there; a notice naming a
// note makes its picture look again.
TEST_F(BrowserFileListTest, TheListingKnowsEachPicturesNoteAndANoticeForgetsIt) {
  for (const char* name : {"a.jpg", "a.WAV", "b.png", "c.jpg", "c.wav", "d.avi", "d.WAV"})
    Put(name);
  platform::CreateDirectory("\\Pictures\\e.WAV");  // a folder is no note
  Put("e.jpg");
  List(0, true, false, kClips);
  ASSERT_EQ(Names(), (NameList{"a.jpg", "b.png", "c.jpg", "d.avi", "e.jpg"}));
  std::vector<bool> notes;
  for (const auto& entry : list_.Entries()) {
    EXPECT_TRUE(entry->note_known) << entry->path;
    notes.push_back(entry->has_note);
  }
  EXPECT_EQ(notes, (std::vector<bool>{true, false, true, true, false}));
  list_.VoiceNoteChanged("\\PICTURES\\C.WAV");
  const auto entries = list_.Entries();
  EXPECT_FALSE(entries[2]->note_known);
  EXPECT_TRUE(entries[0]->note_known);
}

}  // namespace
}  // namespace gallery

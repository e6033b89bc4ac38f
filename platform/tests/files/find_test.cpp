// Find-first/next with patterns.
#include <vector>

#include "files_test_fixture.h"

namespace platform::testing {
namespace {

class FileFindTest : public FilesTest {
 protected:
  // The names a find returns, or the error it fails with.
  std::vector<std::string> Find(std::string_view pattern) {
    WIN32_FIND_DATA data;
    FindHandle find = files_->FindFirstFile(pattern, &data);
    if (!find) return {"error " + std::to_string(GetLastError())};
    std::vector<std::string> names{data.cFileName};
    while (files_->FindNextFile(find, &data)) names.push_back(data.cFileName);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(files_->FindClose(find));
    return names;
  }

  void SetUp() override {
    MakeFolder("\\My Documents");
    MakeFolder("\\My Documents\\My Pictures");
    MakeFolder("\\My Documents\\My Pictures\\Trip");
    for (const char* name :
         {"snap0001.jpg", "SNAP0002.JPG", "snap10.jpg", "m0001.avi", "snap0001.wav", "notes"}) {
      Write(std::string("\\My Documents\\My Pictures\\") + name, name);
    }
  }
};

using Names = std::vector<std::string>;

TEST_F(FileFindTest, PatternsSelectNamesWithoutCaseInNameOrder) {
  const std::string folder = "\\My Documents\\My Pictures\\";
  EXPECT_EQ(Find(folder + "*.*"), (Names{"m0001.avi", "notes", "snap0001.jpg", "snap0001.wav",
                                         "SNAP0002.JPG", "snap10.jpg", "Trip"}));
  EXPECT_EQ(Find(folder + "*.jpg"), (Names{"snap0001.jpg", "SNAP0002.JPG", "snap10.jpg"}));
  EXPECT_EQ(Find("\\my documents\\MY PICTURES\\snap????.jpg"),
            (Names{"snap0001.jpg", "SNAP0002.JPG"}));
  EXPECT_EQ(Find(folder + "snap0001.*"), (Names{"snap0001.jpg", "snap0001.wav"}));
  EXPECT_EQ(Find(folder + "SNAP0001.JPG"), (Names{"snap0001.jpg"}));
  EXPECT_EQ(Find("\\My Documents\\My Pictures"), (Names{"My Pictures"}));
}

TEST_F(FileFindTest, FindDataDescribesEachEntry) {
  AdvanceClock(10);
  Write("\\My Documents\\big.bin", std::string(5000, 'x'));
  ASSERT_TRUE(files_->SetFileAttributes("\\My Documents\\big.bin", FILE_ATTRIBUTE_READONLY));
  WIN32_FIND_DATA data;
  FindHandle find = files_->FindFirstFile("\\My Documents\\*", &data);
  ASSERT_TRUE(find);
  EXPECT_EQ(data.cFileName, "big.bin");
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(data.nFileSizeLow, 5000u);
  EXPECT_EQ(data.nFileSizeHigh, 0u);
  EXPECT_EQ(data.ftCreationTime, now_);
  EXPECT_EQ(data.ftLastWriteTime, now_);
  ASSERT_TRUE(files_->FindNextFile(find, &data));
  EXPECT_EQ(data.cFileName, "My Pictures");
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(data.nFileSizeLow, 0u);
  EXPECT_FALSE(files_->FindNextFile(find, &data));
  ExpectError(ERROR_NO_MORE_FILES);
}

TEST_F(FileFindTest, FailuresTellWhatWasMissing) {
  // Nothing matches a wildcard: the enumeration ends at once.
  EXPECT_EQ(Find("\\My Documents\\My Pictures\\*.gif"), Names{"error 18"});
  MakeFolder("\\Empty");
  EXPECT_EQ(Find("\\Empty\\*.*"), Names{"error 18"});
  // A plain name that is not there.
  EXPECT_EQ(Find("\\My Documents\\My Pictures\\snap9999.jpg"), Names{"error 2"});
  // The folder is not there, or is a file.
  EXPECT_EQ(Find("\\Nowhere\\*.*"), Names{"error 3"});
  EXPECT_EQ(Find("\\My Documents\\My Pictures\\notes\\*.*"), Names{"error 3"});
  EXPECT_EQ(Find("\\My Documents\\"), Names{"error 2"});
  EXPECT_EQ(Find("\\My*\\*.*"), Names{"error 123"});
  EXPECT_EQ(Find("*.jpg"), Names{"error 161"});

  FindHandle closed;
  WIN32_FIND_DATA data;
  EXPECT_FALSE(files_->FindNextFile(closed, &data));
  ExpectError(ERROR_INVALID_HANDLE);
  EXPECT_FALSE(files_->FindClose(closed));
  ExpectError(ERROR_INVALID_HANDLE);
}

TEST_F(FileFindTest, HostNamesTheHandheldCannotSpellStayHidden) {
  WriteHostFile("files/My Documents/a:b.txt", "x");
  WriteHostFile("files/My Documents/c.txt", "x");
  EXPECT_EQ(Find("\\My Documents\\*.txt"), Names{"c.txt"});
}

}  // namespace
}  // namespace platform::testing

// The storage card: inserting, removing, and moving between volumes.
#include "files_test_fixture.h"

namespace platform::testing {
namespace {

using FileStorageCardTest = FilesTest;

std::vector<std::string> RootNames(FileSystem& files) {
  std::vector<std::string> names;
  WIN32_FIND_DATA data;
  FindHandle find = files.FindFirstFile("\\*.*", &data);
  for (bool more = static_cast<bool>(find); more; more = files.FindNextFile(find, &data)) {
    names.push_back(data.cFileName);
  }
  return names;
}

TEST_F(FileStorageCardTest, AbsentCardHasNoFolder) {
  EXPECT_FALSE(files_->StorageCardInserted());
  EXPECT_EQ(files_->GetFileAttributes("\\Storage Card"), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(files_->CreateFile("\\Storage Card\\a.jpg", GENERIC_WRITE, 0, CREATE_ALWAYS));
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(files_->CreateDirectory("\\Storage Card"));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(RootNames(*files_), std::vector<std::string>{"Windows"});
}

TEST_F(FileStorageCardTest, InsertedCardIsAFolderOfItsOwnVolume) {
  EventLog log(notifier_);
  ASSERT_TRUE(files_->InsertStorageCard(2000));
  EXPECT_FALSE(files_->InsertStorageCard());
  EXPECT_EQ(log.Take(), (std::vector<ChangeEvent>{{SHCNE_DRIVEADD, "\\Storage Card", ""}}));
  EXPECT_EQ(files_->GetFileAttributes("\\storage card"),
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY);
  EXPECT_EQ(RootNames(*files_), (std::vector<std::string>{"Storage Card", "Windows"}));
  WIN32_FIND_DATA data;
  ASSERT_TRUE(files_->FindFirstFile("\\Stor*", &data));
  EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY);

  MakeFolder("\\Storage Card\\DCIM");
  Write("\\Storage Card\\DCIM\\snap0001.jpg", std::string(500, 'j'));
  EXPECT_TRUE(std::filesystem::exists(root_ / "storage-card/DCIM/snap0001.jpg"));
  std::uint64_t card_free = 0, card_total = 0, store_total = 0;
  ASSERT_TRUE(files_->GetDiskFreeSpaceEx("\\Storage Card\\DCIM", &card_free, &card_total, nullptr));
  EXPECT_EQ(card_total, 2000u);
  EXPECT_EQ(card_free, 1500u);
  ASSERT_TRUE(files_->GetDiskFreeSpaceEx("\\", nullptr, &store_total, nullptr));
  EXPECT_NE(store_total, 2000u);  // the main store is the host's

  // The card's folder itself cannot be removed or renamed.
  EXPECT_FALSE(files_->MoveFile("\\Storage Card", "\\Card"));
  ExpectError(ERROR_ACCESS_DENIED);
  EXPECT_FALSE(files_->CreateDirectory("\\Storage Card"));
  ExpectError(ERROR_ALREADY_EXISTS);
}

TEST_F(FileStorageCardTest, RemovedCardTakesItsFilesAndHandlesAlong) {
  ASSERT_TRUE(files_->InsertStorageCard());
  Write("\\Storage Card\\a.txt", "on the card");
  ASSERT_TRUE(files_->SetFileAttributes("\\Storage Card\\a.txt", FILE_ATTRIBUTE_HIDDEN));
  FileHandle open =
      files_->CreateFile("\\Storage Card\\a.txt", GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING);
  ASSERT_TRUE(open);

  EventLog log(notifier_);
  ASSERT_TRUE(files_->RemoveStorageCard());
  EXPECT_FALSE(files_->RemoveStorageCard());
  EXPECT_EQ(files_->GetFileAttributes("\\Storage Card\\a.txt"), INVALID_FILE_ATTRIBUTES);
  ExpectError(ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(RootNames(*files_), std::vector<std::string>{"Windows"});
  char buffer[4];
  DWORD count;
  EXPECT_FALSE(files_->ReadFile(open, buffer, sizeof buffer, &count));
  ExpectError(ERROR_INVALID_HANDLE);
  EXPECT_FALSE(files_->WriteFile(open, "x", 1, &count));
  ExpectError(ERROR_INVALID_HANDLE);
  open.Close();  // no update reported for a file on a removed card
  EXPECT_EQ(log.Take(), (std::vector<ChangeEvent>{{SHCNE_DRIVEREMOVED, "\\Storage Card", ""}}));

  // The card keeps its files for the next insertion.
  ASSERT_TRUE(files_->InsertStorageCard());
  EXPECT_EQ(Read("\\Storage Card\\A.TXT"), "on the card");
  EXPECT_EQ(files_->GetFileAttributes("\\Storage Card\\a.txt"), FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FileStorageCardTest, FilesMoveBetweenVolumesButFoldersDoNot) {
  ASSERT_TRUE(files_->InsertStorageCard(1000));
  MakeFolder("\\My Documents");
  const FILETIME created = now_;
  Write("\\My Documents\\a.jpg", "picture");
  AdvanceClock(30);

  EventLog log(notifier_);
  ASSERT_TRUE(files_->MoveFile("\\My Documents\\a.jpg", "\\Storage Card\\a.jpg"));
  EXPECT_EQ(log.Take(), (std::vector<ChangeEvent>{
                            {SHCNE_RENAMEITEM, "\\Storage Card\\a.jpg", "\\My Documents\\a.jpg"}}));
  EXPECT_EQ(Read("\\Storage Card\\a.jpg"), "picture");
  EXPECT_EQ(files_->GetFileAttributes("\\My Documents\\a.jpg"), INVALID_FILE_ATTRIBUTES);
  FileHandle moved = files_->CreateFile("\\Storage Card\\a.jpg", GENERIC_READ, 0, OPEN_EXISTING);
  FILETIME creation, last_write;
  ASSERT_TRUE(files_->GetFileTime(moved, &creation, nullptr, &last_write));
  EXPECT_EQ(creation, created);
  EXPECT_EQ(last_write, created);
  moved.Close();
  EXPECT_EQ(*files_->VolumeUsedBytes("\\Storage Card"), 7u);

  EXPECT_FALSE(files_->MoveFile("\\My Documents", "\\Storage Card\\My Documents"));
  ExpectError(ERROR_NOT_SAME_DEVICE);

  // A file larger than the card's room does not move.
  Write("\\big.bin", std::string(1000, 'b'));
  EXPECT_FALSE(files_->MoveFile("\\big.bin", "\\Storage Card\\big.bin"));
  ExpectError(ERROR_DISK_FULL);
  EXPECT_EQ(files_->GetFileAttributes("\\Storage Card\\big.bin"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(files_->GetFileAttributes("\\big.bin"), FILE_ATTRIBUTE_ARCHIVE);
}

}  // namespace
}  // namespace platform::testing

// The thumbnail worker against a list the user-interface thread keeps
// rebuilding and shrinking while it draws: every pass ends, the cells show
// what the list holds at the end, and (in the sanitizer builds) no entry
// is read after it was freed.
#include <gtest/gtest.h>

#include <atomic>
#include <span>
#include <string>

#include "browser/cell_surfaces.h"
#include "browser/file_list.h"
#include "browser/thumbnail_worker.h"
#include "browser/thumbnails.h"
#include "imaging/install.h"
#include "media_calls.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"
#include "reference_codec.h"
#include "test_images.h"

namespace gallery {
namespace {

constexpr char kPicturesFolder[] = "\\Pictures\\";

class BrowserWorkerTest : public ::testing::Test {
 protected:
  BrowserWorkerTest() {
    EXPECT_TRUE(imaging::InstallImagingModule(device_.handheld()));
    OpenMediaLibraries();
    cells_.Create(nullptr);
  }
  ~BrowserWorkerTest() override {
    worker_.Stop();
    cells_.Release();
    list_.Clear();
    CloseMediaLibraries();
  }
  void Put(const std::string& name, int seed) {
    const auto bytes = codec::testing::EncodeJpeg(codec::testing::MakeScene(96, 72, seed), {});
    platform::InstallerAccess access;
    device_.handheld().files().InstallFile(kPicturesFolder + name, std::as_bytes(std::span(bytes)));
  }

  platform::testing::TempHandheld device_;
  FileList list_;
  CellSurfaces cells_;
  std::atomic<int> current_{0};
  std::atomic<int> anchor_{-1};
  ThumbnailWorker worker_{StripView{&list_, &cells_, &current_, &anchor_, nullptr, nullptr}};
};

TEST_F(BrowserWorkerTest, ListingsAndRemovalsWhileItDrawsNeverLoseItsEntries) {
  for (int i = 0; i < 24; ++i) Put("p" + std::to_string(100 + i) + ".jpg", i);
  list_.List(kPicturesFolder, ListOrder{}, {});
  for (int round = 0; round < 40; ++round) {
    worker_.Render((round % 4) * 6);
    if (round % 3 == 0) list_.List(kPicturesFolder, ListOrder{}, {});  // every entry dropped
    list_.Remove(list_.Path(round % list_.count()));
    list_.SetMarked(0, round % 2 == 0);
    worker_.Render((round % 4) * 6);
  }
  ASSERT_TRUE(worker_.WaitIdle(60000));
  EXPECT_GE(worker_.passes(), 1);
  EXPECT_FALSE(worker_.running());
  // The last pass drew the last row asked for from the list as it is now.
  worker_.Render(0);
  ASSERT_TRUE(worker_.WaitIdle(60000));
  for (int cell = 0; cell < kStripCells; ++cell) {
    EXPECT_NE(cells_.Pixel(cell, 20, 15), kCellBackground) << cell;
    EXPECT_EQ(cells_.mark_icon(cell), MarkIconOf(list_, cell, -1)) << cell;
  }
}

TEST_F(BrowserWorkerTest, AnEmptiedListLeavesBackgroundCells) {
  for (int i = 0; i < 6; ++i) Put("p" + std::to_string(i) + ".jpg", i);
  list_.List(kPicturesFolder, ListOrder{}, {});
  worker_.Render(0);
  list_.Clear();
  worker_.Render(0);
  ASSERT_TRUE(worker_.WaitIdle(60000));
  for (int cell = 0; cell < kStripCells; ++cell) {
    EXPECT_EQ(cells_.Pixel(cell, 20, 15), kCellBackground) << cell;
    EXPECT_EQ(cells_.mark_icon(cell), 0) << cell;
  }
}

}  // namespace
}  // namespace gallery

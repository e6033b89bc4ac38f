// The request record as the driver reads it: capture type by zoom level and
// still size, quality byte, UTF-16 path, zero words, the sound module; and
// the paths that do not fit.
#include "camera/still/snapshot_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/still/picture_names.h"
#include "driver/orsadrv.h"
#include "platform/testing/temp_handheld.h"

namespace camera {
namespace {

class SnapshotRequestTest : public ::testing::Test {
 protected:
  SnapshotRequestTest() {
    Settings().folder_in_use = "\\My Documents\\My Pictures\\";
    Settings().filename_prefix = "snap";
  }
  platform::testing::TempHandheld device_;
};

TEST_F(SnapshotRequestTest, CaptureTypeFollowsZoomLevelAndStillSize) {
  Camera().zoom_level = 0;
  EXPECT_EQ(SnapshotCaptureType(0), 0);
  EXPECT_EQ(SnapshotCaptureType(1), 1);
  EXPECT_EQ(SnapshotCaptureType(2), 2);
  EXPECT_EQ(SnapshotCaptureType(3), 4);
  EXPECT_EQ(SnapshotCaptureType(5), 5) << "any other value is sent as it is";
  Camera().zoom_level = 1;
  Settings().zoomed_still_size = 2;
  EXPECT_EQ(SnapshotCaptureType(0), 7);
  Settings().zoomed_still_size = 3;
  EXPECT_EQ(SnapshotCaptureType(0), 8);
  Camera().zoom_level = 2;
  EXPECT_EQ(SnapshotCaptureType(1), 17);
}

TEST_F(SnapshotRequestTest, RecordCarriesTypeQualityPathAndNoWordsBesides) {
  Settings().imagequality = 0x102;
  orsadrv::SioSnapshotRequest request;
  // Whatever the record held before is gone.
  std::fill(std::begin(request.path), std::end(request.path), u'x');
  std::fill(std::begin(request.reserved), std::end(request.reserved), 0xABu);
  request.sound_module = reinterpret_cast<platform::HMODULE>(0x99);
  ASSERT_TRUE(FillSnapshotRequest(4, PicturePath(1), nullptr, &request));
  EXPECT_EQ(request.capture_type, 4);
  EXPECT_EQ(request.quality, 0x02) << "the low byte of imagequality";
  EXPECT_EQ(std::u16string(request.path), u"\\My Documents\\My Pictures\\snap0001.jpg");
  for (std::size_t i = std::u16string(request.path).size(); i < std::size(request.path); ++i) {
    EXPECT_EQ(request.path[i], 0) << i;
  }
  for (platform::DWORD word : request.reserved) EXPECT_EQ(word, 0u);
  EXPECT_EQ(request.sound_module, nullptr);
}

TEST_F(SnapshotRequestTest, SnapSoundOnlyWithRecordWithAudioAndCameraSound) {
  auto* module = reinterpret_cast<platform::HMODULE>(0x1234);
  orsadrv::SioSnapshotRequest request;
  for (int audio : {0, 1}) {
    for (int sound : {0, 1}) {
      Settings().recordwithaudio = audio;
      Settings().camera_sound = sound;
      ASSERT_TRUE(FillSnapshotRequest(0, "\\a.jpg", module, &request));
      EXPECT_EQ(request.sound_module, audio && sound ? module : nullptr) << audio << sound;
    }
  }
}

TEST_F(SnapshotRequestTest, APathOfMoreThanAHundredCharactersIsRefusedUntouched) {
  orsadrv::SioSnapshotRequest request;
  request.capture_type = 99;
  const std::string fits = "\\" + std::string(99, 'f');
  ASSERT_TRUE(FillSnapshotRequest(1, fits, nullptr, &request));
  EXPECT_EQ(request.path[99], u'f');
  EXPECT_EQ(request.path[100], 0);
  request.capture_type = 99;
  EXPECT_FALSE(FillSnapshotRequest(1, fits + "x", nullptr, &request));
  EXPECT_EQ(request.capture_type, 99);
  // Characters count, not bytes: 100 two-byte letters fit.
  std::string wide = "\\";
  for (int i = 0; i < 99; ++i) wide += "\xC3\xA9";
  EXPECT_TRUE(FillSnapshotRequest(1, wide, nullptr, &request));
  EXPECT_EQ(request.path[99], u'\u00e9');
}

TEST_F(SnapshotRequestTest, PicturePathHasFourDigits) {
  EXPECT_EQ(PicturePath(0), "\\My Documents\\My Pictures\\snap0000.jpg");
  EXPECT_EQ(PicturePath(42), "\\My Documents\\My Pictures\\snap0042.jpg");
  Settings().filename_prefix = "holiday";
  Settings().folder_in_use = "\\Storage Card\\";
  EXPECT_EQ(PicturePath(9999), "\\Storage Card\\holiday9999.jpg");
}

}  // namespace
}  // namespace camera

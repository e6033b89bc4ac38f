// Taking pictures with the stand-in driver: the steps around the request,
// the counter and its wrap, the room check from each source, and what is
// left when the driver wrote nothing or only part of a picture.
#include <gtest/gtest.h>

#include <algorithm>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/still/picture_names.h"
#include "platform/cursor.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "still_fixture.h"

namespace camera::testing {
namespace {

class TakePictureTest : public StillTest {};

TEST_F(TakePictureTest, StopsTheStreamNamesTheFileAndStartsAgain) {
  StoreFilePage("snap", 1, "\\My Documents\\My Pictures\\");
  Settings().resolution = 2;
  // What the person sees while the driver writes.
  platform::HCURSOR cursor_during_capture = nullptr;
  bool capturing_during_capture = false;
  std::vector<bool> commands_during_capture;
  driver_.on_snapshot = [&] {
    cursor_during_capture = platform::GetCursor();
    capturing_during_capture = Camera().capturing;
    commands_during_capture = command_states_;
  };
  const std::size_t calls_before = driver_.calls.size();
  ASSERT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  std::vector<platform::DWORD> codes;
  for (std::size_t i = calls_before; i < driver_.calls.size(); ++i) {
    codes.push_back(driver_.calls[i].code);
  }
  EXPECT_EQ(codes, (std::vector<platform::DWORD>{orsadrv::IOCTL_SIO_STOP_PREVIEW,
                                                 orsadrv::IOCTL_SIO_SNAPSHOT,
                                                 orsadrv::IOCTL_SIO_START_PREVIEW}));
  EXPECT_EQ(cursor_during_capture, platform::LoadCursor(nullptr, platform::IDC_WAIT));
  EXPECT_TRUE(capturing_during_capture);
  EXPECT_EQ(commands_during_capture, (std::vector<bool>{false})) << "greyed";
  EXPECT_EQ(platform::GetCursor(), nullptr) << "the wait cursor is gone again";
  ASSERT_EQ(Requests().size(), 1u);
  EXPECT_EQ(Requests()[0].capture_type, 2);
  EXPECT_EQ(PathOf(Requests()[0]), "\\My Documents\\My Pictures\\snap0001.jpg");
  EXPECT_TRUE(Exists("\\My Documents\\My Pictures\\snap0001.jpg"));
  EXPECT_EQ(Settings().jpgno, 2);
  EXPECT_EQ(still_.pictures_taken(), 1);
  EXPECT_EQ(command_states_, (std::vector<bool>{false, true}));
  EXPECT_FALSE(Camera().capturing);
  EXPECT_EQ(Camera().current_capture_type, 4u) << "the preview's own type again";
}

TEST_F(TakePictureTest, CounterGoesFrom9998To9999ToOne) {
  StoreFilePage("snap", 9998, "\\My Documents\\My Pictures\\");
  for (int i = 0; i < 3; ++i) still_.PressShutter(ShutterSource::kShutterButton);
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(PathOf(requests[0]), "\\My Documents\\My Pictures\\snap9998.jpg");
  EXPECT_EQ(PathOf(requests[1]), "\\My Documents\\My Pictures\\snap9999.jpg");
  EXPECT_EQ(PathOf(requests[2]), "\\My Documents\\My Pictures\\snap0001.jpg");
  EXPECT_EQ(Settings().jpgno, 2);
}

TEST_F(TakePictureTest, TwoPicturesLeftTakesOneAndOneLeftSaysWhyBySource) {
  Settings().resolution = 3;
  Settings().imagequality = 0;
  // 16 KB a picture at 320x240: room for exactly two beyond the reserve.
  SetFreeBytes(2'097'152 + 2 * 16 * 1024);
  EXPECT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  EXPECT_EQ(Requests().size(), 1u);

  SetFreeBytes(2'097'152 + 16 * 1024);
  platform::Handheld::Current().message_boxes().ClearRecord();
  EXPECT_FALSE(still_.PressShutter(ShutterSource::kActionKey));
  EXPECT_FALSE(still_.PressShutter(ShutterSource::kShutterButton));
  EXPECT_EQ(Requests().size(), 1u);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].request.text, "Not enough space to take the snapshot!");
  EXPECT_EQ(boxes[1].request.text, "Not enough space, can not take a snapshot!");
  for (const auto& box : boxes) {
    EXPECT_EQ(box.request.caption, "Quillon Camera");
    EXPECT_EQ(box.request.icon(), platform::MB_ICONERROR);
  }
  EXPECT_EQ(Settings().jpgno, 2) << "nothing captured, the counter stays";
}

TEST_F(TakePictureTest, APathTheRecordCannotHoldIsRefusedBeforeAnythingIsSent) {
  const std::string folder = "\\My Documents\\" + std::string(80, 'd') + "\\";
  // The folder is there: a missing one would give way to one that exists.
  ASSERT_TRUE(platform::CreateDirectory(folder.substr(0, folder.size() - 1)));
  StoreFilePage("snap", 5, folder);
  const std::size_t calls_before = driver_.calls.size();
  EXPECT_TRUE(still_.PressShutter(ShutterSource::kShutterButton));
  EXPECT_EQ(driver_.calls.size(), calls_before) << "not even the stream was stopped";
  EXPECT_EQ(Settings().jpgno, 5);
  EXPECT_EQ(still_.pictures_taken(), 0);
  const auto boxes = Boxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_NE(boxes.back().request.text.find("too long"), std::string::npos);
  EXPECT_EQ(boxes.back().request.icon(), platform::MB_ICONERROR);
}

TEST_F(TakePictureTest, NoFileWrittenStillAdvancesButNothingStaleIsReviewed) {
  Settings().instant_review = 1;
  StoreFilePage("snap", 7, "\\My Documents\\My Pictures\\");
  driver_.picture.clear();  // the card left before the file was opened
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_EQ(Settings().jpgno, 8);
  EXPECT_FALSE(Camera().review_showing) << "the live preview goes on";
  EXPECT_FALSE(Boxes().empty());
  EXPECT_TRUE(PumpUntil([] { return Camera().streaming != 0; }, 100));
}

TEST_F(TakePictureTest, APictureCutShortIsRemovedAndThePersonTold) {
  Settings().instant_review = 1;
  StoreFilePage("snap", 3, "\\My Documents\\My Pictures\\");
  const std::vector<std::uint8_t> whole = driver_.picture;
  // The volume filled up: header and part of the data.
  driver_.picture.assign(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_FALSE(Exists("\\My Documents\\My Pictures\\snap0003.jpg"));
  ASSERT_FALSE(Boxes().empty());
  EXPECT_NE(Boxes().back().request.text.find("could not be written"), std::string::npos);
  EXPECT_FALSE(Camera().review_showing);
  // The camera goes on: the next picture is whole.
  driver_.picture = whole;
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_TRUE(Exists("\\My Documents\\My Pictures\\snap0004.jpg"));
}

TEST_F(TakePictureTest, APictureWithPaddingAfterItsEndIsWhole) {
  // The module pads its data: the driver's files end in FF D9 00.
  driver_.picture.push_back(0x00);
  StoreFilePage("snap", 3, "\\My Documents\\My Pictures\\");
  still_.PressShutter(ShutterSource::kShutterButton);
  EXPECT_TRUE(Exists("\\My Documents\\My Pictures\\snap0003.jpg"));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(TakePictureTest, NothingHappensWithoutTheDevice) {
  Camera().device.Close();
  still_.TakePicture(0);
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(still_.pictures_taken(), 0);
}

TEST_F(TakePictureTest, ActionKeyDropsThreeWaitingMessages) {
  for (int i = 0; i < 4; ++i) {
    platform::PostMessage(main_window_, platform::WM_USER + 100 + i, 0, 0);
  }
  still_.PressShutter(ShutterSource::kActionKey);
  std::vector<platform::UINT> left;
  platform::MSG msg;
  while (platform::PeekMessage(&msg, main_window_, platform::WM_USER + 100, platform::WM_USER + 103,
                               platform::PM_REMOVE)) {
    left.push_back(msg.message);
  }
  EXPECT_EQ(left, (std::vector<platform::UINT>{platform::WM_USER + 103}));
}

}  // namespace
}  // namespace camera::testing

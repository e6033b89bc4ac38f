// The browser's frame: the camera commands with and without "CaptureApp",
// the routing of commands and keys to the parts that do the work, help per
// window, and the messages other parts send.
#include <gtest/gtest.h>

#include <mutex>

#include "command_routes.h"
#include "gallery/resources/commands.h"
#include "gallery_fixture.h"
#include "gallery_state.h"
#include "platform/common_controls/toolbar.h"
#include "platform/menus.h"

namespace gallery {
namespace {

using platform::HWND;

constexpr char kCamera[] = "\\Windows\\orsacap.exe";
constexpr int kToolsItems = 16;

class BrowserFrameTest : public testing::GalleryFixture {
 protected:
  // A camera program that counts its starts and ends at once.
  void InstallCamera() {
    handheld().programs().Register(kCamera, [this](platform::HINSTANCE, const std::string& line) {
      std::lock_guard lock(mutex_);
      camera_lines_.push_back(line);
      return 0;
    });
    Put(kCamera, "camera");
  }
  std::vector<std::string> CameraLines() {
    std::lock_guard lock(mutex_);
    return camera_lines_;
  }
  platform::HMENU ToolsMenu() {
    return reinterpret_cast<platform::HMENU>(
        platform::SendMessage(MenuBar(), platform::SHCMBM_GETSUBMENU, 0, kMenuTools));
  }
  void Command(platform::UINT id) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, id, 0);
    Settle();
  }
  void Key(platform::UINT key) {
    platform::PostMessage(Browser(), platform::WM_KEYDOWN, key, 0);
    Settle();
  }
  bool HelpShows(const char* topic) {
    return platform::FindWindow("HelpViewer", std::string_view(topic)) != nullptr;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> camera_lines_;
};

TEST_F(BrowserFrameTest, WithCaptureAppTheCameraButtonStartsItAndTheGalleryCloses) {
  InstallCamera();
  Remember("CaptureApp", kCamera);
  const auto gallery = Start("");
  ASSERT_TRUE(MenuBar());
  EXPECT_FALSE(platform::SendMessage(MenuBar(), platform::TB_ISBUTTONHIDDEN, kButtonCamera, 0));
  EXPECT_EQ(platform::GetMenuItemID(ToolsMenu(), 0), kCommandCamera);
  EXPECT_EQ(platform::GetMenuItemCount(ToolsMenu()), kToolsItems);
  Command(kButtonCamera);
  EXPECT_EQ(ExitCode(gallery), 0u);
  EXPECT_EQ(CameraLines(), std::vector<std::string>{""});
}

TEST_F(BrowserFrameTest, WithoutCaptureAppTheCameraIsHiddenYetBackspaceStartsIt) {
  InstallCamera();
  const auto gallery = Start("");
  EXPECT_TRUE(platform::SendMessage(MenuBar(), platform::TB_ISBUTTONHIDDEN, kButtonCamera, 0));
  // The camera item and its separator are gone; the picture commands lead.
  EXPECT_EQ(platform::GetMenuItemCount(ToolsMenu()), kToolsItems - 2);
  EXPECT_EQ(platform::GetMenuState(ToolsMenu(), 0, platform::MF_BYPOSITION) & platform::MF_POPUP,
            platform::MF_POPUP);
  Key(platform::VK_BACK);
  EXPECT_EQ(ExitCode(gallery), 0u);
  EXPECT_EQ(CameraLines(), std::vector<std::string>{""});
}

TEST_F(BrowserFrameTest, ACameraThatCannotStartIsReportedAndTheGalleryStays) {
  Remember("CaptureApp", "\\Windows\\nocamera.exe");
  const auto gallery = Start("");
  handheld().message_boxes().ClearRecord();
  Command(kCommandCamera);
  ASSERT_TRUE(Browser());
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "The camera program cannot be started.");
  EXPECT_EQ(boxes[0].request.caption, "Gallery");
  EXPECT_EQ(boxes[0].request.type & platform::MB_ICONMASK, platform::MB_ICONINFORMATION);
  Close(gallery);
}

TEST_F(BrowserFrameTest, PrintIsGreyedWithoutAPrintEngine) {
  const auto gallery = Start("");
  auto menu = reinterpret_cast<platform::HMENU>(
      platform::SendMessage(MenuBar(), platform::SHCMBM_GETMENU, 0, 0));
  EXPECT_TRUE(platform::GetMenuState(menu, kCommandPrint, platform::MF_BYCOMMAND) &
              platform::MF_GRAYED);
  Close(gallery);
}

TEST_F(BrowserFrameTest, CommandsAndKeysReachThePartsThatDoTheWork) {
  const auto gallery = Start("");
  Command(kCommandEditComment);
  Command(kButtonSlideshow);
  Command(1203);
  Command(1301);
  Key(platform::VK_NEXT);
  Key('M');
  Key(platform::VK_DELETE);
  Key(platform::VK_SPACE);
  platform::PostMessage(Browser(), kMessageMakeCurrent, 4, 0);
  platform::PostMessage(Browser(), kMessageVoiceNoteDeleted, 0, 0);
  Settle();
  Close(gallery);
  const std::vector<RoutedCommand> expected = {
      {GalleryPart::kImageView, kCommandEditComment, false},
      {GalleryPart::kSlideshow, kButtonSlideshow, false},
      {GalleryPart::kFolderBrowser, 1203, false},
      {GalleryPart::kSending, 1301, false},
      {GalleryPart::kFolderBrowser, platform::VK_NEXT, true},
      {GalleryPart::kFolderBrowser, 'M', true},
      {GalleryPart::kFileOperations, kCommandDelete, false},
      {GalleryPart::kImageView, kCommandView, false},
      {GalleryPart::kFolderBrowser, kMessageMakeCurrent, false},
      {GalleryPart::kFolderBrowser, kMessageVoiceNoteDeleted, false},
  };
  EXPECT_EQ(Gallery().routed, expected);
}

TEST_F(BrowserFrameTest, TheRecorderClosingReleasesItsButton) {
  const auto gallery = Start("");
  platform::SendMessage(MenuBar(), platform::TB_CHECKBUTTON, kButtonVoiceNote, platform::TRUE);
  platform::PostMessage(Browser(), kMessageRecorderClosed, 0, 0);
  Settle();
  EXPECT_FALSE(platform::SendMessage(MenuBar(), platform::TB_ISBUTTONCHECKED, kButtonVoiceNote, 0));
  Close(gallery);
}

TEST_F(BrowserFrameTest, HelpFromEachWindowOpensItsTopic) {
  const auto gallery = Start("");
  platform::PostMessage(Browser(), platform::WM_HELP, 0, 0);
  Settle();
  EXPECT_TRUE(HelpShows("orsagal.htc#BROWSE"));
  platform::PostMessage(Top(), platform::WM_HELP, 0, 0);
  Settle();
  EXPECT_TRUE(HelpShows("orsagal.htc#OVERVIEW"));
  Close(gallery);
}

TEST(CommandRoutesTest, EveryBrowserCommandHasItsPart) {
  EXPECT_EQ(PartOf(1107), GalleryPart::kFileOperations);
  EXPECT_EQ(PartOf(40029), GalleryPart::kFileOperations);
  EXPECT_EQ(PartOf(1110), GalleryPart::kImageView);
  EXPECT_EQ(PartOf(40034), GalleryPart::kImageView);
  EXPECT_EQ(PartOf(20201), GalleryPart::kFrame);
  EXPECT_EQ(PartOf(40010), GalleryPart::kFrame);
  EXPECT_EQ(PartOf(40033), GalleryPart::kSlideshow);
  EXPECT_EQ(PartOf(20204), GalleryPart::kVoiceNotes);
  EXPECT_EQ(PartOf(20205), GalleryPart::kFolderBrowser);
  EXPECT_EQ(PartOf(40011), GalleryPart::kFolderBrowser);
  EXPECT_EQ(PartOf(20206), GalleryPart::kFileOperations);
  EXPECT_EQ(PartOf(40012), GalleryPart::kFolderBrowser);
  EXPECT_EQ(PartOf(40013), GalleryPart::kSending);
  EXPECT_EQ(PartOf(40014), GalleryPart::kSending);
  EXPECT_EQ(PartOf(40016), GalleryPart::kSending);
  EXPECT_EQ(PartOf(40015), GalleryPart::kNone);
  for (platform::UINT id : {40017u, 40018u, 40019u}) EXPECT_EQ(PartOf(id), GalleryPart::kFrame);
  for (platform::UINT id = 40020; id <= 40023; ++id) EXPECT_EQ(PartOf(id), GalleryPart::kSending);
  for (platform::UINT id : {40024u, 40025u, 40035u}) {
    EXPECT_EQ(PartOf(id), GalleryPart::kFolderBrowser);
  }
  EXPECT_EQ(PartOf(40026), GalleryPart::kFileOperations);
  EXPECT_EQ(PartOf(40027), GalleryPart::kFileOperations);
  for (platform::UINT id = 40030; id <= 40032; ++id) EXPECT_EQ(PartOf(id), GalleryPart::kImageView);
  EXPECT_EQ(PartOf(40082), GalleryPart::kSending);
  EXPECT_EQ(PartOf(1200), GalleryPart::kFolderBrowser);
  EXPECT_EQ(PartOf(1205), GalleryPart::kFolderBrowser);
  EXPECT_EQ(PartOf(1206), GalleryPart::kNone);
  EXPECT_EQ(PartOf(1300), GalleryPart::kSending);
  EXPECT_EQ(PartOf(1399), GalleryPart::kSending);
  EXPECT_EQ(PartOf(1400), GalleryPart::kNone);
}

}  // namespace
}  // namespace gallery

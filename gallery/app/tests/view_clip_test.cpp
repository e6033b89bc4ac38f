// Viewing a clip: the plug-in's player plays it (the zoom view never
// opens) and the browser carries on once the player closes.
#include <gtest/gtest.h>

#include "file_list_access.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/commands.h"
#include "gallery_clips.h"
#include "gallery_state.h"
#include "view_fixture.h"

namespace gallery {
namespace {

class ViewClipTest : public testing::ViewFixture {
 protected:
  ViewClipTest() { EXPECT_TRUE(clip::InstallClipModule(handheld())); }
};

TEST_F(ViewClipTest, ViewingAClipPlaysItAndReturnsToTheBrowser) {
  const std::string path = std::string(testing::kPictures) + "\\clip.avi";
  testing::RecordTestClip(path);
  const std::string picture = PutPicture("still.jpg", 320, 240);
  const auto gallery = StartOn(path);
  for (platform::UINT command : {kCommandView, kButtonView, kCommandPreviewTap}) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, command, 0);
    const platform::HWND player = testing::AwaitClipPlayer();
    ASSERT_TRUE(player) << command;
    EXPECT_FALSE(ZoomView()) << "a clip never opens the zoom view";
    platform::PostMessage(player, platform::WM_CLOSE, 0, 0);
    Settle();
    EXPECT_FALSE(testing::ClipPlayer());
    EXPECT_FALSE(ZoomView());
  }
  // The browser answers again: the picture opens the zoom view.
  platform::PostMessage(Browser(), kMessageMakeCurrent, FindEntry(picture), 0);
  Settle();
  ASSERT_EQ(Gallery().current, picture);
  Command(Browser(), kCommandView);
  EXPECT_TRUE(ZoomView());
  EXPECT_FALSE(testing::ClipPlayer());
  Close(gallery);
}

TEST_F(ViewClipTest, TheBrowserKeepsWorkingWhileAClipPlays) {
  const std::string path = std::string(testing::kPictures) + "\\clip.avi";
  testing::RecordTestClip(path);
  const std::string picture = PutPicture("still.jpg", 320, 240);
  const auto gallery = StartOn(path);
  platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandView, 0);
  const platform::HWND player = testing::AwaitClipPlayer();
  ASSERT_TRUE(player);
  // The player's loop serves the browser too: another file made current
  // meanwhile (as a change on the card would) loads the pane at once.
  platform::PostMessage(Browser(), kMessageMakeCurrent, FindEntry(picture), 0);
  Settle();
  EXPECT_EQ(Gallery().current, picture);
  EXPECT_TRUE(Label(1107).starts_with("still.jpg")) << Label(1107);
  platform::PostMessage(player, platform::WM_CLOSE, 0, 0);
  Settle();
  EXPECT_FALSE(testing::ClipPlayer());
  Close(gallery);
}

}  // namespace
}  // namespace gallery

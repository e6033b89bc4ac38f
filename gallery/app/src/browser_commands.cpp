#include "browser_commands.h"

#include "about_box.h"
#include "camera_launch.h"
#include "command_routes.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "options_sheet.h"
#include "part_commands.h"
#include "platform/messages.h"

namespace gallery {

namespace {

using namespace platform;

void FrameCommand(HWND browser, UINT command) {
  switch (command) {
    case kButtonCamera:
    case kCommandCamera:
      LaunchCamera(browser);
      break;
    case kCommandOptions:
      RunOptionsSheet(browser);
      break;
    case kCommandAbout:
      RunAboutBox(browser);
      break;
    case kCommandExit:
      SendMessage(browser, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

// Keys that stand for a command.
UINT KeyCommand(UINT key) {
  switch (key) {
    case VK_BACK:
      return kCommandCamera;
    case VK_RETURN:
      return kCommandSlideshow;
    case VK_SPACE:
      return kCommandView;
    case VK_DELETE:
      return kCommandDelete;
    default:
      return 0;
  }
}

// Keys that move through the list or mark its entries.
bool IsListKey(UINT key) {
  switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case 'M':
      return true;
    default:
      return false;
  }
}

}  // namespace

void OnBrowserCommand(HWND browser, UINT command) {
  switch (PartOf(command)) {
    case GalleryPart::kFrame:
      FrameCommand(browser, command);
      break;
    case GalleryPart::kFolderBrowser:
      FolderBrowserCommand(browser, command);
      break;
    case GalleryPart::kImageView:
      ImageViewCommand(browser, command);
      break;
    case GalleryPart::kSending:
      SendingCommand(browser, command);
      break;
    case GalleryPart::kSlideshow:
      SlideshowCommand(browser, command);
      break;
    case GalleryPart::kVoiceNotes:
      VoiceNoteCommand(browser, command);
      break;
    case GalleryPart::kFileOperations:
      FileOperationCommand(browser, command);
      break;
    case GalleryPart::kNone:
      break;
  }
}

void OnBrowserKey(HWND browser, UINT key) {
  if (const UINT command = KeyCommand(key)) {
    OnBrowserCommand(browser, command);
  } else if (IsListKey(key)) {
    FolderBrowserKey(browser, key);
  }
}

}  // namespace gallery

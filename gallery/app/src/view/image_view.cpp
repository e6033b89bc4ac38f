// The view's commands from the browser: viewing, turning and commenting
// the current file.
#include "clip_view.h"
#include "command_routes.h"
#include "comment_editor.h"
#include "file_list_access.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "rotation.h"

namespace gallery {

using namespace platform;

void ImageViewCommand(HWND browser, UINT command) {
  RecordRoute(GalleryPart::kImageView, command);
  const std::string path = CurrentPath();
  if (EntryCount() <= 0) return;
  switch (command) {
    case kCommandPreviewTap:
    case kButtonView:
    case kCommandView:
      ViewFile(browser, path);
      break;
    case kCommandRotateLeft:
      RotatePicture(browser, path, 0);
      break;
    case kCommandRotateRight:
      RotatePicture(browser, path, 1);
      break;
    case kCommandEditComment:
      EditComment(browser, path);
      break;
    default:
      break;
  }
}

std::optional<LRESULT> ImageViewMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

}  // namespace gallery

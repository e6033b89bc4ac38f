// The view's commands from the browser: viewing, turning and commenting
// the current file.
#include "command_routes.h"
#include "gallery_state.h"
#include "part_commands.h"

namespace gallery {

using namespace platform;

void ImageViewCommand(HWND, UINT command) { RecordRoute(GalleryPart::kImageView, command); }

std::optional<LRESULT> ImageViewMessage(HWND, UINT, WPARAM, LPARAM) { return std::nullopt; }

}  // namespace gallery

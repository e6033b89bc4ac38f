// File operations until they come: the commands are only recorded.
#include "gallery_state.h"
#include "part_commands.h"

namespace gallery {

void FileOperationCommand(platform::HWND, platform::UINT command) {
  RecordRoute(GalleryPart::kFileOperations, command);
}

}  // namespace gallery

// Sending until it comes: the commands are only recorded.
#include "gallery_state.h"
#include "part_commands.h"

namespace gallery {

void SendingCommand(platform::HWND, platform::UINT command) {
  RecordRoute(GalleryPart::kSending, command);
}

}  // namespace gallery

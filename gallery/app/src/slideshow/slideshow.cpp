// The slideshow until it comes: the commands are only recorded.
#include "gallery_state.h"
#include "part_commands.h"

namespace gallery {

void SlideshowCommand(platform::HWND, platform::UINT command) {
  RecordRoute(GalleryPart::kSlideshow, command);
}

}  // namespace gallery

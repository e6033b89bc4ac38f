// The slideshow's commands: Slideshow (toolbar and menu) and Enter in the
// browser start the show from the current file.
#include "file_list_access.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "slideshow/slideshow_window.h"

namespace gallery {

void SlideshowCommand(platform::HWND browser, platform::UINT command) {
  RecordRoute(GalleryPart::kSlideshow, command);
  if (CurrentIndex() < 0) return;
  StartSlideshow(browser, CurrentPath());
}

}  // namespace gallery

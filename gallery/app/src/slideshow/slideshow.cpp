// The slideshow's commands: Slideshow (toolbar and menu) and Enter in the
// browser start the show from the current file.
#include "file_list_access.h"
#include "gallery_state.h"
#include "part_commands.h"
#include "slideshow/slideshow_window.h"
#include "view/external_display.h"

namespace gallery {

void SlideshowCommand(platform::HWND browser, platform::UINT command) {
  RecordRoute(GalleryPart::kSlideshow, command);
  if (CurrentIndex() < 0) return;
  // The show mirrors its slides on a display of its own; the browser's
  // comes back when the show closes.
  CloseBrowserExternalDisplay();
  if (!StartSlideshow(browser, CurrentPath())) FollowExternalDisplayOption();
}

}  // namespace gallery

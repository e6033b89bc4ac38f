#include "clip_view.h"

#include "media_calls.h"
#include "zoom_view.h"

namespace gallery {

void ViewFile(platform::HWND browser, const std::string& path) {
  if (path.empty()) return;
  if (Plugin().Handles(path)) {
    // The player is modal: the call returns when it closes, and its loop
    // serves the browser meanwhile, whose pane takes the media lock. So
    // the lock is not held while the person watches; the plug-in's entries
    // are safe beside one another (each call has its own clip).
    Plugin().Display(path);
    return;
  }
  OpenZoomView(browser, path);
}

}  // namespace gallery

#include "clip_view.h"

#include <mutex>

#include "media_calls.h"
#include "zoom_view.h"

namespace gallery {

void ViewFile(platform::HWND browser, const std::string& path) {
  if (path.empty()) return;
  if (Plugin().Handles(path)) {
    // The player is modal: the call returns when it closes. The lock is
    // held for the one call, as for every call into the plug-in.
    std::lock_guard lock(MediaLock());
    Plugin().Display(path);
    return;
  }
  OpenZoomView(browser, path);
}

}  // namespace gallery

// An external display driven by "ddi.dll": found in the registry's list of
// active displays, opened as a drawing context of its own size, and
// showing the current picture fitted and centred on black. A mode change
// loses the context; the next mirror that fails opens it again. The
// browser has one; the slideshow may make another.
#pragma once

#include <string>

#include "platform/gdi_types.h"

namespace gallery {

class ExternalDisplay {
 public:
  ExternalDisplay() = default;
  ~ExternalDisplay() { Close(); }
  ExternalDisplay(const ExternalDisplay&) = delete;
  ExternalDisplay& operator=(const ExternalDisplay&) = delete;

  // Looks for the display; false when none is plugged in.
  bool Probe();
  // Closes, probes and makes the context; false without a display.
  bool Open();
  void Close();
  // Lets go of a context that belongs to a handheld no longer running.
  void Forget();
  bool is_open() const { return dc_ != nullptr; }
  // Shows `path` on the display (when open); a picture that does not load
  // is reported in a message box.
  void Mirror(const std::string& path);
  // "<key>, <width> x <height>, <bits> bit" in the resource library's
  // words for the About box; empty while closed.
  std::string Describe() const;

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  bool Draw(const std::string& path, bool* loaded);

  std::string key_name_;
  std::string dll_name_;
  int width_ = 0;
  int height_ = 0;
  int bits_per_pixel_ = 0;
  bool found_ = false;
  platform::HDC dc_ = nullptr;
};

// The browser's own.
ExternalDisplay& BrowserExternalDisplay();

// Opens or closes the browser's display as the General option asks.
void FollowExternalDisplayOption();
// Closes the browser's display (while the slideshow shows on its own).
void CloseBrowserExternalDisplay();

}  // namespace gallery

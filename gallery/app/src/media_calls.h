// The imaging library and the clip plug-in, one of each per gallery run,
// and the lock that keeps their calls apart: neither library is safe for
// overlapping calls, and the thumbnail worker uses them while the UI
// thread loads the pane, the zoom view or the slideshow. Hold MediaLock()
// around every call through Imaging() or Plugin(), and only for one call
// (one picture): never while waiting for the other thread, nor around
// `MediaDisplay`, which waits for the person while its loop serves the
// gallery's windows (the plug-in's entries are safe beside one another).
#pragma once

#include <mutex>
#include <string_view>

#include "clip/orsaclip.h"
#include "imaging_library.h"
#include "platform/gdi_types.h"
#include "platform/modules.h"

namespace gallery {

// The clip plug-in "orsaclip.dll": bound when it loads and exports both
// `MediaGetThumbnail` and `MediaDisplay`, else left out (no clips listed).
class ClipPlugin {
 public:
  ClipPlugin() = default;
  ~ClipPlugin() { Close(); }
  ClipPlugin(const ClipPlugin&) = delete;
  ClipPlugin& operator=(const ClipPlugin&) = delete;

  bool Open();
  void Close();
  bool loaded() const { return module_ != nullptr; }
  // The extension it adds to the listing ("AVI"), or none while not loaded.
  int extension_count() const { return loaded() ? 1 : 0; }
  static constexpr std::string_view kExtension = "AVI";

  // Whether the plug-in handles `path` (loaded, extension "AVI" in any
  // case) and whether it can display it (handled and the display flag set).
  bool Handles(std::string_view path) const;
  bool Displays(std::string_view path) const;

  // `MediaGetThumbnail`: the bitmap (the caller's, possibly larger than
  // asked) or null on failure.
  platform::HBITMAP Thumbnail(std::string_view path, int width, int height) const;
  // `MediaDisplay`: plays the clip modally; false when it could not.
  bool Display(std::string_view path) const;

 private:
  platform::HMODULE module_ = nullptr;
  bool display_flag_ = true;
  clip::MediaGetThumbnailFunction* get_thumbnail_ = nullptr;
  clip::MediaDisplayFunction* display_ = nullptr;
};

ImagingLibrary& Imaging();
ClipPlugin& Plugin();
std::mutex& MediaLock();

// At the gallery's start, before any window: opens the imaging library and
// binds the plug-in. At its end: lets both go.
void OpenMediaLibraries();
void CloseMediaLibraries();

}  // namespace gallery

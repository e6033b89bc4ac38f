#include "media_calls.h"

#include <string>

namespace gallery {

namespace {

bool HasExtension(std::string_view path, std::string_view extension) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || path.size() - dot - 1 != extension.size()) return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const char c = path[dot + 1 + i];
    const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper != extension[i]) return false;
  }
  return true;
}

}  // namespace

bool ClipPlugin::Open() {
  Close();
  module_ = platform::LoadLibrary(clip::kModuleName);
  if (!module_) return false;
  get_thumbnail_ = platform::GetProcAddressAs<clip::MediaGetThumbnailFunction>(
      module_, clip::kMediaGetThumbnailExport);
  display_ =
      platform::GetProcAddressAs<clip::MediaDisplayFunction>(module_, clip::kMediaDisplayExport);
  if (!get_thumbnail_ || !display_) {
    Close();
    return false;
  }
  return true;
}

void ClipPlugin::Close() {
  if (module_) platform::FreeLibrary(module_);
  module_ = nullptr;
  get_thumbnail_ = nullptr;
  display_ = nullptr;
}

bool ClipPlugin::Handles(std::string_view path) const {
  return loaded() && HasExtension(path, kExtension);
}

bool ClipPlugin::Displays(std::string_view path) const { return Handles(path) && display_flag_; }

platform::HBITMAP ClipPlugin::Thumbnail(std::string_view path, int width, int height) const {
  if (!loaded()) return nullptr;
  platform::HBITMAP bitmap = nullptr;
  const std::string text(path);
  if (!get_thumbnail_(text.c_str(), &bitmap, width, height)) return nullptr;
  return bitmap;
}

bool ClipPlugin::Display(std::string_view path) const {
  if (!loaded()) return false;
  const std::string text(path);
  return display_(text.c_str()) != 0;
}

// Never destroyed: the run ends them with CloseMediaLibraries, and at the
// process's exit the handheld whose modules they would let go may already
// be gone.
ImagingLibrary& Imaging() {
  static auto* library = new ImagingLibrary();
  return *library;
}

ClipPlugin& Plugin() {
  static auto* plugin = new ClipPlugin();
  return *plugin;
}

std::mutex& MediaLock() {
  static std::mutex lock;
  return lock;
}

void OpenMediaLibraries() {
  const std::lock_guard hold(MediaLock());
  Imaging().Open();
  Plugin().Open();
}

void CloseMediaLibraries() {
  const std::lock_guard hold(MediaLock());
  Plugin().Close();
  Imaging().Close();
}

}  // namespace gallery

#include "external_display.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <mutex>

#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "media_calls.h"
#include "picture_fit.h"
#include "picture_surface.h"
#include "platform/external_display.h"
#include "platform/gdi_objects.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/window.h"
#include "resource_texts.h"

namespace gallery {

namespace {

using namespace platform;

constexpr std::size_t kLongestName = 64;

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string StringValue(HKEY key, const char* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueEx(key, name, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return {};
  std::string text(size, '\0');
  if (RegQueryValueEx(key, name, &type, text.data(), &size) != ERROR_SUCCESS) return {};
  text.resize(std::min<std::size_t>(text.find('\0'), size));
  return text;
}

}  // namespace

bool ExternalDisplay::Probe() {
  found_ = false;
  RegKey active;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kActiveDisplaysKey, active.put()) != ERROR_SUCCESS)
    return false;
  std::string name;
  for (DWORD index = 0; RegEnumKeyEx(active.get(), index, &name) == ERROR_SUCCESS; ++index) {
    RegKey display;
    if (RegOpenKeyEx(active.get(), name, display.put()) != ERROR_SUCCESS) continue;
    const std::string dll = StringValue(display.get(), "Dll");
    if (!SameText(dll, kExternalDisplayDriver)) continue;
    key_name_ = name.substr(0, kLongestName);
    dll_name_ = dll.substr(0, kLongestName);
    found_ = true;
    return true;
  }
  return false;
}

bool ExternalDisplay::Open() {
  Close();
  if (!Probe()) return false;
  dc_ = CreateDC(dll_name_);
  if (!dc_) return false;
  width_ = GetDeviceCaps(dc_, HORZRES);
  height_ = GetDeviceCaps(dc_, VERTRES);
  bits_per_pixel_ = GetDeviceCaps(dc_, BITSPIXEL);
  return true;
}

void ExternalDisplay::Forget() { dc_ = nullptr; }

void ExternalDisplay::Close() {
  if (dc_) DeleteDC(dc_);
  dc_ = nullptr;
}

bool ExternalDisplay::Draw(const std::string& path, bool* loaded) {
  std::unique_ptr<imaging::Bitmap> bitmap;
  int result = imaging::kLoadCannotOpen;
  {
    std::lock_guard lock(MediaLock());
    if (Imaging().is_open())
      result = Imaging().load_image_ex(path.c_str(), &bitmap, width_, height_, nullptr, FALSE, 0);
  }
  *loaded = result == imaging::kLoadOk && bitmap;
  if (!*loaded) return true;
  auto picture = PictureSurface::FromPicture(std::move(bitmap));
  if (!picture) return false;
  const FittedSize fitted =
      FitWithoutEnlarging(picture->width(), picture->height(), width_, height_);
  const int x = (width_ - fitted.width) / 2;
  const int y = (height_ - fitted.height) / 2;
  // The picture is drawn off-screen first so the display never shows half
  // of it.
  HDC memory = CreateCompatibleDC(dc_);
  if (!memory) return false;
  OwnedGdiObject<HBITMAP> frame(CreateCompatibleBitmap(dc_, width_, height_));
  bool drawn = false;
  if (frame.get()) {
    ScopedSelect select(memory, frame.get());
    const RECT all{0, 0, width_, height_};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    drawn = fitted.width == picture->width() && fitted.height == picture->height()
                ? BitBlt(memory, x, y, fitted.width, fitted.height, picture->dc(), 0, 0, SRCCOPY)
                : (SetStretchBltMode(memory, HALFTONE),
                   StretchBlt(memory, x, y, fitted.width, fitted.height, picture->dc(), 0, 0,
                              picture->width(), picture->height(), SRCCOPY));
    drawn = drawn && BitBlt(dc_, 0, 0, width_, height_, memory, 0, 0, SRCCOPY);
  }
  DeleteDC(memory);
  return drawn;
}

void ExternalDisplay::Mirror(const std::string& path) {
  if (!is_open() || path.empty()) return;
  bool loaded = false;
  bool drawn = Draw(path, &loaded);
  if (!drawn) {
    // The display changed mode (or went): a fresh context, and the picture
    // again at the new size.
    drawn = Open() && Draw(path, &loaded);
  }
  if (drawn && !loaded)
    MessageBox(GetForegroundWindow(), "VGA Out Load image failed", "Test", MB_OK);
}

std::string ExternalDisplay::Describe() const {
  if (!is_open()) return {};
  char text[256];
  std::snprintf(text, sizeof text, ResourceText(kStringExternalDisplay).c_str(), key_name_.c_str(),
                width_, height_, bits_per_pixel_);
  return text;
}

ExternalDisplay& BrowserExternalDisplay() {
  static ExternalDisplay display;
  return display;
}

namespace {

// The browser's display, after letting go of a context left by an earlier
// run of the program (it is not this one's to delete).
ExternalDisplay& ThisRunsDisplay() {
  ExternalDisplay& display = BrowserExternalDisplay();
  static HWND owner = nullptr;
  if (owner != Gallery().browser) {
    display.Forget();
    owner = Gallery().browser;
  }
  return display;
}

}  // namespace

void CloseBrowserExternalDisplay() { ThisRunsDisplay().Close(); }

void FollowExternalDisplayOption() {
  ExternalDisplay& display = ThisRunsDisplay();
  const bool wanted = Gallery().options.general.external_display != 0;
  if (wanted && !display.is_open()) {
    display.Open();
  } else if (!wanted && display.is_open()) {
    display.Close();
  }
}

}  // namespace gallery

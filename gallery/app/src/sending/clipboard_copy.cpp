// A copy of the current picture on the clipboard at a chosen scale. The
// clipboard is opened first and closed again on every path.
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "clipboard_block.h"
#include "media_calls.h"
#include "platform/clipboard.h"
#include "platform/cursor.h"
#include "platform/gdi.h"
#include "platform/shell_services.h"
#include "sending.h"

namespace gallery::sending {

namespace {

using namespace platform;

// Holds the clipboard open until it goes.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : opened_(OpenClipboard(owner)) {}
  ~OpenedClipboard() {
    if (opened_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool opened() const { return opened_; }

 private:
  BOOL opened_;
};

// A 24-bit DIB section and its pixels; bottom-up unless `top_down`.
struct Surface {
  HBITMAP bitmap = nullptr;
  BYTE* bits = nullptr;
  ~Surface() {
    if (bitmap) DeleteObject(bitmap);
  }
};

bool MakeSurface(int width, int height, bool top_down, Surface* surface) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = top_down ? -height : height;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  surface->bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits);
  surface->bits = static_cast<BYTE*>(bits);
  return surface->bitmap && surface->bits;
}

// The loaded picture stretched onto a new bottom-up surface.
bool StretchOnto(const imaging::Bitmap& picture, int width, int height, Surface* target) {
  if (!MakeSurface(width, height, false, target)) return false;
  Surface source;
  if (!MakeSurface(picture.width(), picture.height(), true, &source)) return false;
  // The library's rows are those of a top-down 24-bit surface.
  std::memcpy(source.bits, picture.bits(), picture.size_bytes());
  const HDC source_dc = CreateCompatibleDC(nullptr);
  const HDC target_dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old_source = SelectObject(source_dc, source.bitmap);
  const HGDIOBJ old_target = SelectObject(target_dc, target->bitmap);
  SetStretchBltMode(target_dc, COLORONCOLOR);
  const BOOL stretched = StretchBlt(target_dc, 0, 0, width, height, source_dc, 0, 0,
                                    picture.width(), picture.height(), SRCCOPY);
  SelectObject(source_dc, old_source);
  SelectObject(target_dc, old_target);
  DeleteDC(source_dc);
  DeleteDC(target_dc);
  return stretched;
}

enum class Copied { kDone, kNothing, kOutOfMemory };

// Steps 2 to 5 with the clipboard open.
Copied CopyOnto(const std::string& path, int per_mille) {
  std::optional<std::vector<BYTE>> block;
  {
    platform::WaitCursor wait;
    std::unique_ptr<imaging::Bitmap> picture;
    imaging::ImageInfo info;
    {
      std::lock_guard lock(MediaLock());
      if (!Imaging().load_image || Imaging().load_image(path.c_str(), &picture, 0, 0, &info) != 0 ||
          !picture) {
        return Copied::kNothing;
      }
    }
    const int width = ScaledSide(info.width, per_mille);
    const int height = ScaledSide(info.height, per_mille);
    Surface surface;
    const bool made = StretchOnto(*picture, width, height, &surface);
    picture.reset();
    if (!made) return Copied::kOutOfMemory;
    block = MakeClipboardBlock(width, height, surface.bits);
    if (!block) return Copied::kOutOfMemory;
  }
  EmptyClipboard();
  SetClipboardData(CF_DIB, std::move(*block));  // a refused block is dropped
  return Copied::kDone;
}

}  // namespace

void CopyToClipboard(HWND browser, const std::string& path, int per_mille) {
  Copied copied;
  {
    OpenedClipboard clipboard(browser);
    if (!clipboard.opened()) return;
    copied = CopyOnto(path, per_mille);
  }
  // Said once the clipboard is free again.
  if (copied == Copied::kOutOfMemory) SHShowOutOfMemory(browser, 0);
}

}  // namespace gallery::sending

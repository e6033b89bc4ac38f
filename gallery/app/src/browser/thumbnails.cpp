#include "browser/thumbnails.h"

#include <cstring>
#include <memory>
#include <mutex>

#include "gallery/file_types/voice_note.h"
#include "imaging/bitmap.h"
#include "media_calls.h"
#include "picture_fit.h"
#include "platform/gdi.h"
#include "platform/paths.h"

namespace gallery {

namespace {

using namespace platform;

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info;
  if (!bitmap || !GetObject(bitmap, sizeof(info), &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

OwnedGdiObject<HBITMAP> Dib24(int width, int height, void** bits) {
  BITMAPINFO info;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biBitCount = 24;
  return OwnedGdiObject<HBITMAP>(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits));
}

// A memory context with `bitmap` selected for the scope.
class BitmapContext {
 public:
  explicit BitmapContext(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), select_(dc_, bitmap) {}
  ~BitmapContext() { DeleteDC(dc_); }
  BitmapContext(const BitmapContext&) = delete;
  BitmapContext& operator=(const BitmapContext&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  ScopedSelect select_;
};

// A bitmap larger than a thumbnail (the plug-in may hand one out) is
// stretched whole into a new one that fits.
OwnedGdiObject<HBITMAP> ShrinkToThumbnail(OwnedGdiObject<HBITMAP> bitmap) {
  const SIZE size = BitmapSize(bitmap.get());
  if (size.cx <= kThumbnailWidth && size.cy <= kThumbnailHeight) return bitmap;
  const FittedSize fitted =
      FitWithoutEnlarging(size.cx, size.cy, kThumbnailWidth, kThumbnailHeight);
  if (fitted.width < 1 || fitted.height < 1) return OwnedGdiObject<HBITMAP>();
  void* bits = nullptr;
  OwnedGdiObject<HBITMAP> small = Dib24(fitted.width, fitted.height, &bits);
  if (!small.get()) return small;
  BitmapContext from(bitmap.get());
  BitmapContext to(small.get());
  SetStretchBltMode(to.get(), HALFTONE);
  StretchBlt(to.get(), 0, 0, fitted.width, fitted.height, from.get(), 0, 0, size.cx, size.cy,
             SRCCOPY);
  return small;
}

// Whether `path` is a JPEG with a comment: the imaging library reads the
// whole file for it, so it is asked once per entry, not at every pass.
bool HasComment(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || !EqualsIgnoreCase(path.substr(dot + 1), "jpg")) return false;
  if (!Imaging().is_open()) return false;
  std::lock_guard media(MediaLock());
  return Imaging().read_comment(path.c_str(), nullptr, 0) != FALSE;
}

}  // namespace

OwnedGdiObject<HBITMAP> BitmapToDib(const imaging::Bitmap& bitmap) {
  void* bits = nullptr;
  OwnedGdiObject<HBITMAP> dib = Dib24(bitmap.width(), bitmap.height(), &bits);
  if (dib.get() && bits) std::memcpy(bits, bitmap.bits(), bitmap.size_bytes());
  return dib;
}

OwnedGdiObject<HBITMAP> MakeThumbnail(const std::string& path) {
  OwnedGdiObject<HBITMAP> made;
  if (Plugin().Handles(path)) {
    std::lock_guard media(MediaLock());
    made.Reset(Plugin().Thumbnail(path, kThumbnailWidth, kThumbnailHeight));
  } else if (Imaging().is_open()) {
    std::unique_ptr<imaging::Bitmap> bitmap;
    int result = 0;
    {
      std::lock_guard media(MediaLock());
      result =
          Imaging().load_image(path.c_str(), &bitmap, kThumbnailWidth, kThumbnailHeight, nullptr);
    }
    if (result == imaging::kLoadOk && bitmap) made = BitmapToDib(*bitmap);
  }
  return ShrinkToThumbnail(std::move(made));
}

EntryLook LookOf(FileEntry& entry) {
  std::lock_guard lock(entry.thumbnail_mutex);
  if (!entry.thumbnail_made) {
    entry.thumbnail = MakeThumbnail(entry.path);
    entry.has_comment = HasComment(entry.path);
    entry.thumbnail_made = true;
  }
  return {entry.thumbnail.get(), entry.has_comment};
}

bool EntryHasVoiceNote(FileEntry& entry) {
  std::lock_guard lock(entry.note_mutex);
  if (!entry.note_known) {
    entry.has_note = HasVoiceNote(entry.path);
    entry.note_known = true;
  }
  return entry.has_note;
}

void ForgetVoiceNote(FileEntry& entry) {
  std::lock_guard lock(entry.note_mutex);
  entry.note_known = false;
}

void DrawFittedPicture(HDC dc, int width, int height, HBITMAP picture, COLORREF background) {
  const SIZE size = BitmapSize(picture);
  const FittedSize fitted = FitWithoutEnlarging(size.cx, size.cy, width, height);
  if (width - fitted.width > 1 || height - fitted.height > 1) {
    const RECT all = {0, 0, width, height};
    OwnedGdiObject<HBRUSH> brush(CreateSolidBrush(background));
    FillRect(dc, &all, brush.get());
  }
  if (fitted.width < 1 || fitted.height < 1) return;
  BitmapContext source(picture);
  SetStretchBltMode(dc, HALFTONE);
  StretchBlt(dc, (width - fitted.width) / 2, (height - fitted.height) / 2, fitted.width,
             fitted.height, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
}

}  // namespace gallery

#include "slideshow/slide_loader.h"

#include <cstring>
#include <memory>
#include <mutex>

#include "gallery/transitions/picture.h"
#include "media_calls.h"
#include "picture_fit.h"
#include "platform/gdi_dib.h"
#include "platform/gdi_objects.h"

namespace gallery {
namespace {

using imaging::Bitmap;

// The plug-in's thumbnail bitmap as an imaging bitmap; null when it
// cannot be read.
std::unique_ptr<Bitmap> BitmapFromHandle(platform::HBITMAP handle) {
  platform::BITMAP header;
  if (!platform::GetObject(handle, sizeof(header), &header)) return nullptr;
  std::unique_ptr<Bitmap> bitmap = Bitmap::Create(header.bmWidth, header.bmHeight);
  if (!bitmap) return nullptr;
  platform::BITMAPINFO info;
  info.bmiHeader.biWidth = bitmap->width();
  info.bmiHeader.biHeight = -bitmap->height();
  info.bmiHeader.biBitCount = 24;
  const int lines = platform::GetDIBits(nullptr, handle, 0, bitmap->height(), bitmap->bits(), &info,
                                        platform::DIB_RGB_COLORS);
  if (lines != bitmap->height()) return nullptr;
  return bitmap;
}

std::unique_ptr<Bitmap> LoadClipThumbnail(const std::string& path, const SlideshowOptions& options,
                                          int screen_width, int screen_height) {
  platform::OwnedGdiObject<platform::HBITMAP> handle;
  {
    std::lock_guard lock(MediaLock());
    handle.Reset(Plugin().Thumbnail(path, screen_width, screen_height));
  }
  if (!handle.get()) return nullptr;
  std::unique_ptr<Bitmap> bitmap = BitmapFromHandle(handle.get());
  if (!bitmap || !options.rotate_to_fit) return bitmap;
  const int width = bitmap->width();
  const int height = bitmap->height();
  if (width <= screen_width && height <= screen_height) return bitmap;
  if (CoveredShare(height, width, screen_width, screen_height) <=
      CoveredShare(width, height, screen_width, screen_height))
    return bitmap;
  platform::DWORD scale = 0;
  std::lock_guard lock(MediaLock());
  Imaging().scale_bitmap(&bitmap, screen_height, screen_width, &scale);
  Imaging().rotate_bitmap(&bitmap, static_cast<int>(options.rotate_direction), &scale);
  return bitmap;
}

std::unique_ptr<Bitmap> LoadPicture(const std::string& path, const SlideshowOptions& options,
                                    int screen_width, int screen_height, imaging::ImageInfo* info) {
  std::unique_ptr<Bitmap> bitmap;
  std::lock_guard lock(MediaLock());
  if (!Imaging().is_open()) return nullptr;
  const int result =
      Imaging().load_image_ex(path.c_str(), &bitmap, screen_width, screen_height, info,
                              options.rotate_to_fit ? platform::TRUE : platform::FALSE,
                              static_cast<int>(options.rotate_direction));
  if (result != imaging::kLoadOk) return nullptr;
  return bitmap;
}

// Fits the bitmap into the surface without enlarging, centred on black.
void PlaceOnSurface(const Bitmap& bitmap, SlideSurface& surface) {
  const FittedSize fitted =
      FitWithoutEnlarging(bitmap.width(), bitmap.height(), surface.width(), surface.height());
  if (fitted.width != surface.width() || fitted.height != surface.height()) surface.FillBlack();
  const int left = (surface.width() - fitted.width) / 2;
  const int top = (surface.height() - fitted.height) / 2;
  const transitions::Picture source{const_cast<std::uint8_t*>(bitmap.bits()), bitmap.width(),
                                    bitmap.height(), bitmap.stride()};
  transitions::StretchBlock(surface.picture(),
                            {left, top, left + fitted.width, top + fitted.height}, source,
                            source.Bounds());
}

}  // namespace

int CoveredShare(int width, int height, int screen_width, int screen_height) {
  if (screen_width <= 0 || screen_height <= 0) return 0;
  const FittedSize fitted = FitWithoutEnlarging(width, height, screen_width, screen_height);
  return static_cast<int>(static_cast<long long>(fitted.width) * fitted.height * 100 /
                          (static_cast<long long>(screen_width) * screen_height));
}

bool LoadSlide(const std::string& path, const SlideshowOptions& options, SlideSurface& surface,
               imaging::ImageInfo* info) {
  *info = {};
  if (path.empty()) {
    surface.FillBlack();
    return false;
  }
  bool handled_by_plugin;
  {
    std::lock_guard lock(MediaLock());
    handled_by_plugin = Plugin().Handles(path);
  }
  std::unique_ptr<Bitmap> bitmap =
      handled_by_plugin ? LoadClipThumbnail(path, options, surface.width(), surface.height())
                        : LoadPicture(path, options, surface.width(), surface.height(), info);
  if (!bitmap) {
    surface.FillBlack();
    return false;
  }
  PlaceOnSurface(*bitmap, surface);
  return true;
}

}  // namespace gallery

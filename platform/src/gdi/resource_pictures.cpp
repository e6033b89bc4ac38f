// Bitmaps and icons from module resources, and icons made from bitmaps.
#include "gdi/icon_object.h"
#include "gdi/png_file.h"
#include "platform/last_error.h"

namespace platform::gdi {

std::shared_ptr<const BinaryResource> FindPicture(HINSTANCE instance, const ResourceId& id,
                                                  ResourceType type) {
  return FindResource(instance, id, type);
}

}  // namespace platform::gdi

namespace platform {

using gdi::IconObject;
using gdi::IconTable;

HBITMAP LoadBitmap(HINSTANCE instance, const ResourceId& id) {
  std::shared_ptr<const BinaryResource> resource =
      gdi::FindPicture(instance, id, ResourceType::kBitmap);
  if (!resource) return nullptr;
  std::optional<gdi::Surface> picture = gdi::DecodePng(resource->data);
  if (!picture) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return gdi::AddObject(
      std::make_shared<gdi::BitmapObject>(std::make_shared<gdi::Surface>(std::move(*picture))));
}

HICON LoadIcon(HINSTANCE instance, const ResourceId& id) {
  std::shared_ptr<const BinaryResource> resource =
      gdi::FindPicture(instance, id, ResourceType::kIcon);
  if (!resource) return nullptr;
  std::optional<gdi::MaskedImage> picture = gdi::DecodeMaskedPng(resource->data);
  if (!picture) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return IconTable::Instance().Add(std::make_shared<IconObject>(std::move(*picture)));
}

HICON CreateIconIndirect(const ICONINFO* info) {
  auto& objects = gdi::ObjectTable::Instance();
  auto color = info ? objects.Find<gdi::BitmapObject>(info->hbmColor) : nullptr;
  auto mask = info ? objects.Find<gdi::BitmapObject>(info->hbmMask) : nullptr;
  if (!color) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const gdi::Surface& pixels = *color->surface;
  gdi::MaskedImage image = gdi::CutImage(pixels, pixels.Bounds(), std::nullopt);
  if (mask) {
    image.transparent.assign(static_cast<std::size_t>(pixels.width()) * pixels.height(), false);
    for (int y = 0; y < pixels.height(); ++y) {
      for (int x = 0; x < pixels.width(); ++x) {
        COLORREF bit = mask->surface->GetPixel(x, y);
        image.transparent[static_cast<std::size_t>(y) * pixels.width() + x] =
            bit != CLR_INVALID && bit != RGB(0, 0, 0);
      }
    }
  }
  return IconTable::Instance().Add(std::make_shared<IconObject>(std::move(image)));
}

BOOL DestroyIcon(HICON icon) {
  if (!IconTable::Instance().Remove(icon)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  std::shared_ptr<gdi::DeviceContext> context = gdi::FindContext(dc);
  std::shared_ptr<IconObject> found = IconTable::Instance().Find(icon);
  if (!context || !found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  gdi::DrawMaskedImage(*context, x, y, found->image);
  return TRUE;
}

BOOL GetIconSize(HICON icon, SIZE* size) {
  std::shared_ptr<IconObject> found = IconTable::Instance().Find(icon);
  if (!found || size == nullptr) return FALSE;
  *size = {found->image.color.width(), found->image.color.height()};
  return TRUE;
}

}  // namespace platform

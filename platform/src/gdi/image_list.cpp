// Image lists.
#include "platform/image_list.h"

#include <vector>

#include "gdi/icon_object.h"
#include "gdi/png_file.h"
#include "platform/last_error.h"

namespace platform::gdi {

namespace {

class ImageList : public ImageListTag {
 public:
  ImageList(int cx, int cy, bool masked) : cx_(cx), cy_(cy), masked_(masked) {}

  int cx() const { return cx_; }
  int cy() const { return cy_; }
  int count() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(images_.size());
  }

  // Cuts the strip into images of the list's width; returns the first index.
  int AddStrip(const Surface& strip, std::optional<COLORREF> key, const Surface* mask) {
    if (strip.height() < cy_ || strip.width() < cx_) return -1;
    std::lock_guard lock(mutex_);
    const int first = static_cast<int>(images_.size());
    for (int left = 0; left + cx_ <= strip.width(); left += cx_) {
      RECT part{left, 0, left + cx_, cy_};
      MaskedImage image = CutImage(strip, part, masked_ ? key : std::nullopt);
      if (masked_ && mask != nullptr) {
        image.transparent.assign(static_cast<std::size_t>(cx_) * cy_, false);
        for (int y = 0; y < cy_; ++y) {
          for (int x = 0; x < cx_; ++x) {
            COLORREF bit = mask->GetPixel(left + x, y);
            image.transparent[static_cast<std::size_t>(y) * cx_ + x] =
                bit != CLR_INVALID && bit != RGB(0, 0, 0);
          }
        }
      }
      images_.push_back(std::move(image));
    }
    return first;
  }

  int Replace(int index, const MaskedImage& icon) {
    // Scaled to the list's size, nearest pixel.
    MaskedImage image{Surface(cx_, cy_, 24), {}};
    if (masked_) image.transparent.assign(static_cast<std::size_t>(cx_) * cy_, false);
    for (int y = 0; y < cy_; ++y) {
      for (int x = 0; x < cx_; ++x) {
        int sx = x * icon.color.width() / cx_;
        int sy = y * icon.color.height() / cy_;
        image.color.SetPixel(x, y, icon.color.GetPixel(sx, sy));
        if (masked_) {
          image.transparent[static_cast<std::size_t>(y) * cx_ + x] = icon.IsTransparent(sx, sy);
        }
      }
    }
    std::lock_guard lock(mutex_);
    if (index == -1) {
      images_.push_back(std::move(image));
      return static_cast<int>(images_.size()) - 1;
    }
    if (index < 0 || index >= static_cast<int>(images_.size())) return -1;
    images_[static_cast<std::size_t>(index)] = std::move(image);
    return index;
  }

  bool Draw(int index, const DeviceContext& context, int x, int y, UINT style) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(images_.size())) return false;
    std::optional<COLORREF> blend;
    if ((style & (ILD_SELECTED | ILD_FOCUS)) != 0) blend = GetSysColor(COLOR_HIGHLIGHT);
    DrawMaskedImage(context, x, y, images_[static_cast<std::size_t>(index)], blend);
    return true;
  }

  bool Remove(int index) {
    std::lock_guard lock(mutex_);
    if (index == -1) {
      images_.clear();
      return true;
    }
    if (index < 0 || index >= static_cast<int>(images_.size())) return false;
    images_.erase(images_.begin() + index);
    return true;
  }

 private:
  const int cx_;
  const int cy_;
  const bool masked_;
  mutable std::mutex mutex_;
  std::vector<MaskedImage> images_;
};

using ImageListTable = HandleTable<ImageList>;

std::shared_ptr<ImageList> FindList(HIMAGELIST list) {
  std::shared_ptr<ImageList> found = ImageListTable::Instance().Find(list);
  if (!found) SetLastError(ERROR_INVALID_HANDLE);
  return found;
}

std::shared_ptr<BitmapObject> FindBitmap(HBITMAP bitmap) {
  std::shared_ptr<BitmapObject> found = ObjectTable::Instance().Find<BitmapObject>(bitmap);
  if (!found) SetLastError(ERROR_INVALID_HANDLE);
  return found;
}

constexpr int kLargestImageSide = 1024;

}  // namespace

}  // namespace platform::gdi

namespace platform {

using gdi::FindBitmap;
using gdi::FindList;

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
  (void)initial;
  (void)grow;
  if (cx < 1 || cy < 1 || cx > gdi::kLargestImageSide || cy > gdi::kLargestImageSide) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return gdi::ImageListTable::Instance().Add(
      std::make_shared<gdi::ImageList>(cx, cy, (flags & ILC_MASK) != 0));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  if (!gdi::ImageListTable::Instance().Remove(list)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
  auto found = FindList(list);
  auto bitmap = FindBitmap(image);
  if (!found || !bitmap) return -1;
  auto mask_bitmap = mask ? FindBitmap(mask) : nullptr;
  return found->AddStrip(*bitmap->surface, std::nullopt,
                         mask_bitmap ? mask_bitmap->surface.get() : nullptr);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  auto found = FindList(list);
  auto bitmap = FindBitmap(image);
  if (!found || !bitmap) return -1;
  std::optional<COLORREF> key;
  if (mask != CLR_NONE) key = mask;
  return found->AddStrip(*bitmap->surface, key, nullptr);
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
  auto found = FindList(list);
  auto picture = gdi::IconTable::Instance().Find(icon);
  if (!found || !picture) return -1;
  return found->Replace(index, picture->image);
}

HIMAGELIST ImageList_LoadBitmap(HINSTANCE instance, const ResourceId& id, int cx, int grow,
                                COLORREF mask) {
  std::shared_ptr<const BinaryResource> resource =
      gdi::FindPicture(instance, id, ResourceType::kBitmap);
  if (!resource) return nullptr;
  std::optional<gdi::Surface> strip = gdi::DecodePng(resource->data);
  if (!strip || cx < 1) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  HIMAGELIST list = ImageList_Create(cx, strip->height(), mask != CLR_NONE ? ILC_MASK : 0, 0, grow);
  if (list == nullptr) return nullptr;
  std::optional<COLORREF> key;
  if (mask != CLR_NONE) key = mask;
  FindList(list)->AddStrip(*strip, key, nullptr);
  return list;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  auto found = FindList(list);
  auto context = gdi::FindContext(dc);
  if (!found || !context) return FALSE;
  return found->Draw(index, *context, x, y, style) ? TRUE : FALSE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
  auto found = FindList(list);
  return found ? found->count() : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
  auto found = FindList(list);
  if (!found || cx == nullptr || cy == nullptr) return FALSE;
  *cx = found->cx();
  *cy = found->cy();
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
  auto found = FindList(list);
  return found && found->Remove(index) ? TRUE : FALSE;
}

}  // namespace platform

// GetDIBits: a bitmap's pixels copied out in a format the caller describes.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gdi/gdi_objects.h"
#include "platform/gdi.h"
#include "platform/gdi_dib.h"
#include "platform/last_error.h"

namespace platform {

namespace {

constexpr DWORD kRgb565Masks[3] = {0xF800, 0x07E0, 0x001F};

bool Rgb565Requested(const BITMAPINFOHEADER& header, const BITMAPINFO& info) {
  if (header.biBitCount != 16) return false;
  if (header.biCompression == BI_RGB) return true;
  return header.biCompression == BI_BITFIELDS &&
         std::memcmp(info.bmiColors, kRgb565Masks, sizeof(kRgb565Masks)) == 0;
}

}  // namespace

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  (void)dc;
  std::shared_ptr<gdi::BitmapObject> object =
      gdi::ObjectTable::Instance().Find<gdi::BitmapObject>(bitmap);
  if (!object || !info || usage != DIB_RGB_COLORS || info->bmiHeader.biSize < 40) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const gdi::Surface& source = *object->surface;
  BITMAPINFOHEADER& header = info->bmiHeader;
  if (!bits) {
    // The caller asks what the bitmap is: its own format, bottom-up.
    header.biWidth = source.width();
    header.biHeight = source.height();
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(source.bits_per_pixel());
    header.biCompression = source.bits_per_pixel() == 16 ? BI_BITFIELDS : BI_RGB;
    header.biSizeImage = static_cast<DWORD>(source.stride() * source.height());
    if (header.biCompression == BI_BITFIELDS) {
      std::memcpy(info->bmiColors, kRgb565Masks, sizeof(kRgb565Masks));
    }
    return source.height();
  }
  const bool supported =
      (header.biBitCount == 24 && header.biCompression == BI_RGB) || Rgb565Requested(header, *info);
  if (!supported || header.biWidth != source.width() ||
      std::abs(header.biHeight) != source.height()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  gdi::Surface copy(source.width(), source.height(), header.biBitCount,
                    header.biHeight < 0 ? gdi::RowOrder::kTopDown : gdi::RowOrder::kBottomUp);
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) copy.SetPixel(x, y, source.GetPixel(x, y));
  }
  // Scan lines count in the order of the caller's memory.
  const UINT height = static_cast<UINT>(source.height());
  if (start >= height) return 0;
  const UINT copied = std::min(lines, height - start);
  const std::size_t stride = static_cast<std::size_t>(copy.stride());
  std::memcpy(bits, copy.bits() + start * stride, copied * stride);
  return static_cast<int>(copied);
}

}  // namespace platform

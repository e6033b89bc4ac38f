#include <cstring>

#include "platform/gdi_dib.h"

namespace platform::gdi {

namespace {

constexpr DWORD kRed565 = 0xF800, kGreen565 = 0x07E0, kBlue565 = 0x001F;
constexpr LONG kLargestSide = 8192;

DWORD ReadDword(const BYTE* at) {
  DWORD value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

}  // namespace

std::optional<Surface> SurfaceFromPackedDib(std::span<const BYTE> dib) {
  BITMAPINFOHEADER header;
  if (dib.size() < sizeof(header)) return std::nullopt;
  std::memcpy(&header, dib.data(), sizeof(header));
  if (header.biSize < sizeof(header) || header.biSize > dib.size()) return std::nullopt;
  std::size_t offset = header.biSize;
  const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  if (header.biWidth <= 0 || height <= 0 || header.biWidth > kLargestSide ||
      height > kLargestSide || header.biPlanes != 1) {
    return std::nullopt;
  }
  if (header.biBitCount == 16 && header.biCompression == BI_BITFIELDS) {
    if (dib.size() < offset + 12) return std::nullopt;
    const BYTE* masks = dib.data() + offset;
    if (ReadDword(masks) != kRed565 || ReadDword(masks + 4) != kGreen565 ||
        ReadDword(masks + 8) != kBlue565) {
      return std::nullopt;
    }
    offset += 12;
  } else if (header.biCompression != BI_RGB ||
             (header.biBitCount != 24 && header.biBitCount != 16)) {
    return std::nullopt;
  }
  Surface surface(header.biWidth, height, header.biBitCount,
                  header.biHeight < 0 ? RowOrder::kTopDown : RowOrder::kBottomUp);
  if (dib.size() - offset < surface.size_bytes()) return std::nullopt;
  std::memcpy(surface.bits(), dib.data() + offset, surface.size_bytes());
  return surface;
}

std::vector<BYTE> PackedDibFromSurface(const Surface& surface) {
  BITMAPINFOHEADER header;
  header.biWidth = surface.width();
  header.biHeight = surface.height();
  header.biBitCount = static_cast<WORD>(surface.bits_per_pixel());
  header.biCompression = surface.bits_per_pixel() == 16 ? BI_BITFIELDS : BI_RGB;
  const std::size_t row_bytes = static_cast<std::size_t>(surface.stride());
  header.biSizeImage = static_cast<DWORD>(row_bytes * surface.height());
  std::vector<BYTE> dib(sizeof(header));
  std::memcpy(dib.data(), &header, sizeof(header));
  if (surface.bits_per_pixel() == 16) {
    for (DWORD mask : {kRed565, kGreen565, kBlue565}) {
      const auto* bytes = reinterpret_cast<const BYTE*>(&mask);
      dib.insert(dib.end(), bytes, bytes + sizeof(mask));
    }
  }
  for (int y = surface.height() - 1; y >= 0; --y) {
    dib.insert(dib.end(), surface.Row(y), surface.Row(y) + row_bytes);
  }
  return dib;
}

}  // namespace platform::gdi

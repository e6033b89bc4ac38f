// The drawing-object calls: brushes, pens, bitmaps and DIB sections, stock
// objects and system colours, deleting and describing objects.
#include <array>
#include <cstring>

#include "gdi/device_context.h"
#include "platform/gdi_dib.h"
#include "platform/last_error.h"

namespace platform {

using gdi::AddObject;
using gdi::BitmapObject;
using gdi::BrushObject;
using gdi::ObjectTable;
using gdi::PenObject;
using gdi::RowOrder;
using gdi::Surface;

BOOL DeleteObject(HGDIOBJ object) {
  if (object == nullptr || !ObjectTable::Instance().Remove(object)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

HGDIOBJ GetStockObject(int index) {
  if (index >= WHITE_BRUSH && index <= NULL_BRUSH) return gdi::StockBrush(index).get();
  if (index >= WHITE_PEN && index <= NULL_PEN) return gdi::StockPen(index).get();
  if (index == SYSTEM_FONT || index == DEFAULT_GUI_FONT) return gdi::StockFont().get();
  SetLastError(ERROR_INVALID_PARAMETER);
  return nullptr;
}

namespace {

constexpr std::array<COLORREF, 27> kSystemColours = {
    RGB(192, 192, 192),  // scroll bar
    RGB(0, 128, 128),    // background
    RGB(0, 0, 128),      // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(255, 255, 255),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(192, 192, 192),  // active border
    RGB(192, 192, 192),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(0, 0, 128),      // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(192, 192, 192),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(192, 192, 192),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(0, 0, 0),        // 3-D dark shadow
    RGB(224, 224, 224),  // 3-D light
    RGB(0, 0, 0),        // tooltip text
    RGB(255, 255, 225),  // tooltip background
    RGB(255, 255, 255),  // static background
    RGB(0, 0, 0),        // static text
};

}  // namespace

COLORREF GetSysColor(int index) {
  // The platform's calls also take the index with its high "system colour" bit.
  index &= 0xFF;
  if (index < 0 || index >= static_cast<int>(kSystemColours.size())) return 0;
  return kSystemColours[static_cast<std::size_t>(index)];
}

HBRUSH GetSysColorBrush(int index) {
  index &= 0xFF;
  if (index < 0 || index >= static_cast<int>(kSystemColours.size())) return nullptr;
  static const std::array<std::shared_ptr<BrushObject>, kSystemColours.size()> brushes = [] {
    std::array<std::shared_ptr<BrushObject>, kSystemColours.size()> made;
    for (std::size_t i = 0; i < made.size(); ++i) {
      made[i] = std::make_shared<BrushObject>(kSystemColours[i]);
      ObjectTable::Instance().Add(made[i]);
      ObjectTable::Instance().MarkStock(made[i].get());
    }
    return made;
  }();
  return brushes[static_cast<std::size_t>(index)].get();
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return AddObject(std::make_shared<BrushObject>(color & 0x00FFFFFFu));
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID && style != PS_DASH && style != PS_NULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return AddObject(std::make_shared<PenObject>(style, width, color & 0x00FFFFFFu));
}

namespace {

// Either no masks or exactly those of RGB565.
bool IsRgb565(const BITMAPINFO& info) {
  if (info.bmiHeader.biCompression == BI_RGB) return true;
  if (info.bmiHeader.biCompression != BI_BITFIELDS) return false;
  DWORD masks[3];
  std::memcpy(masks, info.bmiColors, sizeof(masks));
  return masks[0] == 0xF800 && masks[1] == 0x07E0 && masks[2] == 0x001F;
}

// Sizes a bitmap may have: a screen's worth many times over, no more.
constexpr LONG kLargestSide = 16384;

bool SizeFits(LONG width, LONG height) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

// A DIB section's format as the header gives it; false (last error set)
// for one this platform does not draw.
bool SectionFormatFits(const BITMAPINFO* info, UINT usage) {
  if (info == nullptr || usage != DIB_RGB_COLORS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  bool supported = (header.biBitCount == 24 && header.biCompression == BI_RGB) ||
                   (header.biBitCount == 16 && IsRgb565(*info));
  if (!supported || header.biPlanes != 1 || !SizeFits(header.biWidth, height)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  return true;
}

// A DIB section over the caller's memory, or over its own (black) without.
HBITMAP AddSection(const BITMAPINFOHEADER& header, std::shared_ptr<BYTE> memory, void** bits) {
  const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  const RowOrder order = header.biHeight < 0 ? RowOrder::kTopDown : RowOrder::kBottomUp;
  auto surface = memory
                     ? std::make_shared<Surface>(header.biWidth, height, header.biBitCount, order,
                                                 std::move(memory))
                     : std::make_shared<Surface>(header.biWidth, height, header.biBitCount, order);
  if (bits != nullptr) *bits = surface->bits();
  return AddObject(std::make_shared<BitmapObject>(std::move(surface), true));
}

}  // namespace

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD offset) {
  (void)dc;
  (void)offset;
  if (bits != nullptr) *bits = nullptr;
  if (section != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!SectionFormatFits(info, usage)) return nullptr;
  return AddSection(info->bmiHeader, nullptr, bits);
}

HBITMAP CreateDIBSectionOver(const BITMAPINFO* info, std::shared_ptr<BYTE> bits) {
  if (!bits) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!SectionFormatFits(info, DIB_RGB_COLORS)) return nullptr;
  return AddSection(info->bmiHeader, std::move(bits), nullptr);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  std::shared_ptr<gdi::DeviceContext> context = gdi::FindContext(dc);
  if (!context) return nullptr;
  if (!SizeFits(width, height)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // A fresh memory context holds the 1x1 default bitmap, which stands for
  // the screen: its bitmaps are 16-bit.
  int depth = context->bitmap() == gdi::DefaultBitmap() ? 16 : context->target()->bits_per_pixel();
  return AddObject(std::make_shared<BitmapObject>(std::make_shared<Surface>(width, height, depth)));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
  if (planes != 1 || (bits_per_pixel != 16 && bits_per_pixel != 24) || !SizeFits(width, height)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto surface = std::make_shared<Surface>(width, height, static_cast<int>(bits_per_pixel));
  if (bits != nullptr) {
    // Device-dependent rows are padded to 2 bytes.
    const std::size_t row_bytes = static_cast<std::size_t>(width) * (bits_per_pixel / 8);
    const std::size_t source_stride = (row_bytes + 1) & ~std::size_t{1};
    const auto* source = static_cast<const BYTE*>(bits);
    for (int y = 0; y < height; ++y) {
      std::memcpy(surface->Row(y), source + static_cast<std::size_t>(y) * source_stride, row_bytes);
    }
  }
  return AddObject(std::make_shared<BitmapObject>(std::move(surface)));
}

int GetObject(HGDIOBJ object, int size, void* buffer) {
  std::shared_ptr<GdiObjectTag> found = ObjectTable::Instance().FindAny(object);
  if (!found) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (auto bitmap = std::dynamic_pointer_cast<BitmapObject>(found)) {
    if (buffer == nullptr) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    const Surface& surface = *bitmap->surface;
    BITMAP description;
    description.bmWidth = surface.width();
    description.bmHeight = surface.height();
    description.bmWidthBytes = surface.stride();
    description.bmBitsPixel = static_cast<WORD>(surface.bits_per_pixel());
    description.bmBits = bitmap->dib_section ? bitmap->surface->bits() : nullptr;
    *static_cast<BITMAP*>(buffer) = description;
    return sizeof(BITMAP);
  }
  if (auto font = std::dynamic_pointer_cast<gdi::FontObject>(found)) {
    if (buffer == nullptr) return sizeof(LOGFONT);
    if (size < static_cast<int>(sizeof(LOGFONT))) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    *static_cast<LOGFONT*>(buffer) = font->logfont;
    return sizeof(LOGFONT);
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

}  // namespace platform

// Packed device-independent bitmaps, as the clipboard's CF_DIB holds them:
// a BITMAPINFOHEADER, the three colour masks when it says BI_BITFIELDS,
// then the rows (bottom-up unless the height is negative), each padded to
// 4 bytes. 16-bit (RGB565) and 24-bit pictures.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/gdi.h"
#include "platform/gdi_surface.h"

namespace platform {

// Copies `lines` scan lines from `start` (counted in the order of the
// caller's rows: from the bottom unless info's height is negative) of the
// bitmap into bits, converted to the 24-bit or RGB565 format info gives;
// the number of lines copied, 0 on failure. With null bits, fills info with
// the bitmap's own format and size instead and returns its height.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);

// A DIB section (a format CreateDIBSection takes) drawn straight from the
// caller's rows instead of memory of its own, so a picture already in DIB
// layout needs no second copy. `bits` points at the first row in memory
// and owns what holds it: the bitmap keeps it alive until it is deleted
// and no context has it selected. Null for a refused format or null bits.
HBITMAP CreateDIBSectionOver(const BITMAPINFO* info, std::shared_ptr<BYTE> bits);

}  // namespace platform

namespace platform::gdi {

// Nothing when the block is short, damaged or of another pixel format.
std::optional<Surface> SurfaceFromPackedDib(std::span<const BYTE> dib);
// A bottom-up packed DIB of the surface's pixels (BI_BITFIELDS for 16 bits).
std::vector<BYTE> PackedDibFromSurface(const Surface& surface);

}  // namespace platform::gdi

// What the preview window owns from its creation to its destruction: the
// bold font of the count and the 24-bit back buffer every paint draws into.
#pragma once

#include <cstdint>
#include <memory>

#include "gdi_object.h"
#include "platform/gdi.h"

namespace camera {

struct PreviewResources {
  GdiObject<platform::HFONT> bold_font;
  // 240x180, 24 bits, top-down: rows of 720 bytes without padding.
  GdiObject<platform::HBITMAP> back_buffer;
  std::uint8_t* back_pixels = nullptr;
  std::unique_ptr<MemoryDc> back_dc;
};

// Makes the font and the back buffer; null when one cannot be made.
std::unique_ptr<PreviewResources> MakePreviewResources();

}  // namespace camera

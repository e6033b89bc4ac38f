// The three 170-byte JPEG headers that make the driver's preview scans whole
// images: quantisation tables, frame header with size and luma sampling, a
// stray zero byte, scan header. No Huffman tables: the decoder always uses
// the standard ones.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace camera {

inline constexpr std::size_t kJpegHeaderBytes = 170;
using HeaderTemplate = std::array<std::uint8_t, kJpegHeaderBytes>;

// 160x120, 4:4:4: the small stream at every zoom level.
const HeaderTemplate& SmallHeaderTemplate();
// 320x240, 4:4:4: the large stream unzoomed.
const HeaderTemplate& LargeHeaderTemplate();
// 320x240, 4:2:0: the large stream zoomed.
const HeaderTemplate& LargeZoomedHeaderTemplate();

// The template for a stream size setting and zoom level.
const HeaderTemplate& HeaderTemplateFor(int aviresolution, int zoom_level);

}  // namespace camera

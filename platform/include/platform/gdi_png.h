// PNG files of surfaces: screenshots, golden images and the bitmaps of
// module resources.
#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "platform/gdi_surface.h"

namespace platform::gdi {

// Writes 8-bit RGB; false when the file cannot be written or the surface is
// empty.
bool WritePng(const Surface& surface, const std::filesystem::path& path);
// Reads any PNG (palette, grey, alpha and 16-bit ones reduced to 8-bit RGB)
// into a top-down 24-bit surface; alpha is dropped. Nothing when the file
// is missing or malformed.
std::optional<Surface> ReadPng(const std::filesystem::path& path);
std::optional<Surface> DecodePng(std::span<const BYTE> data);

}  // namespace platform::gdi

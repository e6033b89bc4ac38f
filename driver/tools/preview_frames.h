// Preview frames as pictures: the size and luma sampling of each preview
// type, the whole JPEG (the preview header in front of the scan) and its
// mean luminance.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orsacard {

struct PreviewFormat {
  int width = 0;
  int height = 0;
  int luma_sampling = 0;  // luma sampling factor: 1 (4:4:4) or 2 (4:2:0)
};

// Nothing for a type that is not a preview type.
std::optional<PreviewFormat> PreviewFormatOf(int type);
std::vector<std::uint8_t> WholePreviewJpeg(const PreviewFormat& format,
                                           const std::vector<std::uint8_t>& scan);
// Nothing when the frame does not decode.
std::optional<double> MeanLuminance(const PreviewFormat& format,
                                    const std::vector<std::uint8_t>& scan);

}  // namespace orsacard

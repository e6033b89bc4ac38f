#include "preview_frames.h"

#include "card_testing/jpeg_tools.h"

namespace orsacard {

std::optional<PreviewFormat> PreviewFormatOf(int type) {
  switch (type) {
    case 4:
      return PreviewFormat{320, 240, 1};
    case 9:
    case 17:
      return PreviewFormat{320, 240, 2};
    case 6:
    case 20:
    case 21:
      return PreviewFormat{160, 120, 1};
    default:
      return std::nullopt;
  }
}

std::vector<std::uint8_t> WholePreviewJpeg(const PreviewFormat& format,
                                           const std::vector<std::uint8_t>& scan) {
  auto jpeg = card::testing::PreviewHeader(format.width, format.height, format.luma_sampling);
  jpeg.insert(jpeg.end(), scan.begin(), scan.end());
  return jpeg;
}

std::optional<double> MeanLuminance(const PreviewFormat& format,
                                    const std::vector<std::uint8_t>& scan) {
  auto picture = card::testing::DecodeWith(
      card::testing::PreviewHeader(format.width, format.height, format.luma_sampling), scan);
  if (!picture) return std::nullopt;
  return picture->MeanLuminance();
}

}  // namespace orsacard

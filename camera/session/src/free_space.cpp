// Free-space estimates. The arithmetic is 64-bit throughout, so volumes of
// any size give the same results as small ones do with the formulas'
// 32-bit products.
#include "camera/session/free_space.h"

#include <algorithm>
#include <array>
#include <climits>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "platform/files.h"

namespace camera {

namespace {

constexpr char kPictureVolume[] = "\\My Documents\\";

// Kilobytes per picture at the lowest quality, by still size index.
constexpr std::array<int, 4> kKilobytesPerPicture{80, 75, 50, 16};
constexpr int kZoomedKilobytes640 = 45;
constexpr int kZoomedKilobytes320 = 16;

// Bytes per second of clip and what the recorder keeps back, per stream
// size: (factor x free - reserve) / divisor.
struct RecordingRate {
  std::uint64_t factor;
  std::uint64_t reserve;
  std::uint64_t divisor;
};
constexpr std::array<RecordingRate, 2> kRecordingRates{{
    {18, 75'497'472, 844'800},  // 320x240
    {20, 83'886'080, 563'200},  // 160x120
}};

std::uint64_t FreeBytes() {
  std::uint64_t free_bytes = 0;
  if (!platform::GetDiskFreeSpaceEx(kPictureVolume, &free_bytes, nullptr, nullptr)) return 0;
  return free_bytes;
}

int CappedInt(std::uint64_t value) {
  return static_cast<int>(std::min<std::uint64_t>(value, INT_MAX));
}

}  // namespace

int PicturesLeftFor(std::uint64_t free_bytes, int kilobytes_per_picture, int imagequality) {
  if (free_bytes <= kPictureReserveBytes || kilobytes_per_picture <= 0) return 0;
  const int shift = std::clamp(imagequality, 0, 2);
  const std::uint64_t picture_bytes = static_cast<std::uint64_t>(kilobytes_per_picture) * 1024
                                      << shift;
  return CappedInt((free_bytes - kPictureReserveBytes) / picture_bytes);
}

int RecordingSecondsLeftFor(std::uint64_t free_bytes, int aviresolution) {
  if (free_bytes <= kRecordingReserveBytes) return 0;
  const RecordingRate& rate = kRecordingRates[aviresolution == 1 ? 1 : 0];
  // Above the reserve, factor x free always exceeds the rate's reserve.
  return CappedInt((rate.factor * free_bytes - rate.reserve) / rate.divisor);
}

int KilobytesPerPicture() {
  const CameraSettings& settings = Settings();
  if (Camera().zoom_level == 0) {
    const int resolution = std::clamp(settings.resolution, 0, 3);
    return kKilobytesPerPicture[static_cast<std::size_t>(resolution)];
  }
  return settings.zoomed_still_size == 3 ? kZoomedKilobytes320 : kZoomedKilobytes640;
}

int PicturesLeft() {
  return PicturesLeftFor(FreeBytes(), KilobytesPerPicture(), Settings().imagequality);
}

int RecordingSecondsLeft() {
  return RecordingSecondsLeftFor(FreeBytes(), Settings().aviresolution);
}

}  // namespace camera

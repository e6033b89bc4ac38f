// The free-space estimates shown on the preview and checked before a
// picture or during a clip: what is free on the volume of "\My Documents\".
#pragma once

#include <cstdint>

namespace camera {

// Room kept free on the volume for other data.
inline constexpr std::uint64_t kPictureReserveBytes = 2'097'152;
inline constexpr std::uint64_t kRecordingReserveBytes = 4'194'304;

// Pictures that still fit at the current still size and quality.
int PicturesLeft();
// Seconds of clip that still fit at the current stream size.
int RecordingSecondsLeft();

// The arithmetic, for given free bytes. The results are capped at the
// largest int.
int PicturesLeftFor(std::uint64_t free_bytes, int kilobytes_per_picture, int imagequality);
int RecordingSecondsLeftFor(std::uint64_t free_bytes, int aviresolution);
// Kilobytes a picture takes at the lowest quality, for the current still
// size (`resolution`, or the zoomed still size while zoomed).
int KilobytesPerPicture();

}  // namespace camera

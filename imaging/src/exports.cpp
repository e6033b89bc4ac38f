// The library's exports: argument checks, files in and out, and a wall
// that keeps every failure, even a failed allocation, a result code.
#include "exports.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string_view>
#include <vector>

#include "file_access.h"
#include "image_loader.h"
#include "jpeg_markers.h"
#include "jpeg_transform.h"
#include "platform/last_error.h"
#include "quarter_turn.h"
#include "resample.h"

namespace imaging {

namespace {

using platform::BOOL;
using platform::DWORD;
using platform::FALSE;
using platform::TRUE;

bool ValidDirection(int direction) {
  return direction == kTurnCounterClockwise || direction == kTurnClockwise;
}

template <typename Body, typename Result>
Result Guarded(Result failure, Body body) {
  try {
    return body();
  } catch (const std::exception&) {
    platform::SetLastError(platform::ERROR_NOT_ENOUGH_MEMORY);
    return failure;
  }
}

int Load(const char* path, std::unique_ptr<Bitmap>* bitmap, int max_width, int max_height,
         ImageInfo* info, const LoadRequest& request) {
  if (!path || !bitmap || max_width < 0 || max_height < 0) return kLoadBadArgument;
  std::vector<std::uint8_t> bytes;
  if (const LoadResult result = ReadWholeFile(path, &bytes); result != kLoadOk) return result;
  return LoadImage(bytes, request, bitmap, info);
}

// Rewrites a JPEG file with what `change` makes of its bytes.
template <typename Change>
BOOL RewriteJpeg(const char* path, Change change) {
  if (!path) return FALSE;
  std::vector<std::uint8_t> bytes;
  if (ReadWholeFile(path, &bytes) != kLoadOk) return FALSE;
  const std::optional<std::vector<std::uint8_t>> changed = change(bytes);
  if (!changed) return FALSE;
  return ReplaceFileContents(path, *changed) ? TRUE : FALSE;
}

}  // namespace

int LoadImageFromFile(const char* path, std::unique_ptr<Bitmap>* bitmap, int max_width,
                      int max_height, ImageInfo* info) {
  return Guarded(static_cast<int>(kLoadTooLarge), [&] {
    return Load(path, bitmap, max_width, max_height, info, {{max_width, max_height}});
  });
}

int LoadImageFromFileEx(const char* path, std::unique_ptr<Bitmap>* bitmap, int max_width,
                        int max_height, ImageInfo* info, BOOL rotate_to_fit, int direction) {
  if (rotate_to_fit && !ValidDirection(direction)) return kLoadBadArgument;
  return Guarded(static_cast<int>(kLoadTooLarge), [&] {
    return Load(path, bitmap, max_width, max_height, info,
                {{max_width, max_height}, rotate_to_fit != FALSE, direction});
  });
}

BOOL ScaleBitmap(std::unique_ptr<Bitmap>* bitmap, int max_width, int max_height, DWORD* scale) {
  if (!bitmap || !*bitmap || max_width < 0 || max_height < 0) return FALSE;
  return Guarded(FALSE, [&] {
    const Bitmap& source = **bitmap;
    const Size fitted = FitWithin({source.width(), source.height()}, {max_width, max_height});
    // The share kept, by the side that shrank most.
    const DWORD kept =
        static_cast<DWORD>(std::min(std::int64_t{fitted.width} * 1000 / source.width(),
                                    std::int64_t{fitted.height} * 1000 / source.height()));
    if (fitted.width != source.width() || fitted.height != source.height()) {
      std::unique_ptr<Bitmap> reduced = Resample(source, fitted);
      if (!reduced) return FALSE;
      *bitmap = std::move(reduced);
    }
    if (scale) *scale = kept;
    return TRUE;
  });
}

BOOL RotateBitmap(std::unique_ptr<Bitmap>* bitmap, int direction, DWORD* /*scale*/) {
  if (!bitmap || !*bitmap || !ValidDirection(direction)) return FALSE;
  return Guarded(FALSE, [&] {
    std::unique_ptr<Bitmap> turned = QuarterTurn(**bitmap, direction);
    if (!turned) return FALSE;
    *bitmap = std::move(turned);
    return TRUE;
  });
}

BOOL RotateJPEG(const char* path, int direction) {
  if (!ValidDirection(direction)) return FALSE;
  return Guarded(FALSE, [&] {
    return RewriteJpeg(
        path, [&](std::span<const std::uint8_t> bytes) { return TurnJpeg(bytes, direction); });
  });
}

BOOL JpegReadComment(const char* path, char* buffer, DWORD size) {
  if (!path) return FALSE;
  return Guarded(FALSE, [&] {
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(path, &bytes) != kLoadOk) return FALSE;
    const std::optional<std::string> comment = ReadJpegComment(bytes);
    if (!comment || comment->empty()) return FALSE;
    if (buffer && size > 0) {
      const std::size_t copied = std::min<std::size_t>(comment->size(), size - 1);
      std::memcpy(buffer, comment->data(), copied);
      buffer[copied] = '\0';
    }
    return TRUE;
  });
}

BOOL JpegWriteComment(const char* path, const char* text, platform::WORD length,
                      DWORD /*reserved*/) {
  if (length > 0 && !text) return FALSE;
  return Guarded(FALSE, [&] {
    // The length counts the terminating zero; the text ends at the first
    // zero in any case.
    const std::string_view given = length > 0 ? std::string_view(text, length) : std::string_view();
    const std::string_view comment = given.substr(0, given.find('\0'));
    return RewriteJpeg(
        path, [&](std::span<const std::uint8_t> bytes) { return WithJpegComment(bytes, comment); });
  });
}

}  // namespace imaging

#include "jpeg_transform.h"

#include <turbojpeg.h>

#include <memory>

#include "imaging/bitmap.h"
#include "imaging/qximglib.h"
#include "jpeg_markers.h"

namespace imaging {

namespace {

struct TurboCloser {
  void operator()(void* handle) const { tjDestroy(handle); }
};
struct TurboFree {
  void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

}  // namespace

std::optional<std::vector<std::uint8_t>> TurnJpeg(std::span<const std::uint8_t> data,
                                                  int direction) {
  // The transform holds every coefficient of the picture at once.
  const std::optional<JpegHeader> header = ParseJpegHeader(data);
  if (!header || !header->frame) return std::nullopt;
  if (std::int64_t{header->frame->width} * header->frame->height > Bitmap::kMaxPixels) {
    return std::nullopt;
  }
  const std::unique_ptr<void, TurboCloser> handle(tjInitTransform());
  if (!handle) return std::nullopt;
  tjtransform transform{};
  transform.op = direction == kTurnClockwise ? TJXOP_ROT90 : TJXOP_ROT270;
  // A perfect turn first; trimming the partial edge blocks only when the
  // size demands it.
  for (const int options : {TJXOPT_PERFECT, TJXOPT_TRIM}) {
    transform.options = options;
    unsigned char* turned = nullptr;
    unsigned long turned_size = 0;
    const int result =
        tjTransform(handle.get(), data.data(), static_cast<unsigned long>(data.size()), 1, &turned,
                    &turned_size, &transform, TJFLAG_STOPONWARNING);
    const std::unique_ptr<unsigned char, TurboFree> owned(turned);
    if (result == 0 && turned) return std::vector<std::uint8_t>(turned, turned + turned_size);
  }
  return std::nullopt;
}

}  // namespace imaging

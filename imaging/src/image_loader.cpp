#include "image_loader.h"

#include <utility>

#include "decoders.h"
#include "jpeg_decoder.h"
#include "quarter_turn.h"
#include "resample.h"

namespace imaging {

namespace {

// The limit the picture is decoded for: the requested one, crosswise when
// the picture will be turned afterwards.
Size DecodeLimit(Size picture, const LoadRequest& request, bool* turn) {
  *turn = request.rotate_to_fit && TurnCoversMore(picture, request.limit);
  return *turn ? Size{request.limit.height, request.limit.width} : request.limit;
}

LoadResult DecodeWhole(ImageFormat format, std::span<const std::uint8_t> data,
                       std::unique_ptr<Bitmap>* bitmap) {
  switch (format) {
    case kFormatPng:
      return DecodePng(data, bitmap);
    case kFormatGif:
      return DecodeGif(data, bitmap);
    case kFormatBmp:
    case kFormat2bp:
      return DecodeBmp(data, bitmap);
    default:
      return kLoadNotAPicture;
  }
}

}  // namespace

LoadResult LoadImage(std::span<const std::uint8_t> data, const LoadRequest& request,
                     std::unique_ptr<Bitmap>* bitmap, ImageInfo* info) {
  const ImageFormat format = SniffFormat(data);
  if (format == kFormatNone) return kLoadNotAPicture;
  std::unique_ptr<Bitmap> decoded;
  Size picture;
  bool turn = false;
  Size limit;
  if (format == kFormatJpeg) {
    JpegDecoder decoder;
    if (const LoadResult result = decoder.ReadHeader(data); result != kLoadOk) return result;
    picture = decoder.size();
    limit = DecodeLimit(picture, request, &turn);
    // The smallest transform reduction that still covers the fitted size;
    // without a limit, the largest that fits in memory.
    const int eighths = DctScaleEighths(picture, FitWithin(picture, limit), Bitmap::kMaxPixels);
    if (eighths == 0) return kLoadTooLarge;
    if (request.transform_eighths) *request.transform_eighths = eighths;
    if (const LoadResult result = decoder.Decode(eighths, &decoded); result != kLoadOk) {
      return result;
    }
  } else {
    if (const LoadResult result = DecodeWhole(format, data, &decoded); result != kLoadOk) {
      return result;
    }
    picture = {decoded->width(), decoded->height()};
    if (request.transform_eighths) *request.transform_eighths = 8;
    limit = DecodeLimit(picture, request, &turn);
  }
  if (info)
    *info = {static_cast<platform::WORD>(picture.width),
             static_cast<platform::WORD>(picture.height), format};

  const Size fitted = FitWithin({decoded->width(), decoded->height()}, limit);
  if (fitted.width != decoded->width() || fitted.height != decoded->height()) {
    decoded = Resample(*decoded, fitted);
    if (!decoded) return kLoadTooLarge;
  }
  if (turn) {
    decoded = QuarterTurn(*decoded, request.direction);
    if (!decoded) return kLoadTooLarge;
  }
  *bitmap = std::move(decoded);
  return kLoadOk;
}

}  // namespace imaging

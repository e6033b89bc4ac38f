#include "jpeg_decoder.h"

#include <new>
#include <vector>

#include "libjpeg_trap/error_trap.h"

namespace imaging {

namespace {

// The decoder's own memory (coefficient buffers of progressive pictures)
// stops here.
constexpr long kMaxDecoderMemory = 512L << 20;

}  // namespace

// libjpeg leaves through longjmp; every function that calls it sets the
// jump point first and keeps no object with a destructor after it.
struct JpegDecoder::State {
  jpeg_decompress_struct info{};
  libjpeg_trap::ErrorTrap trap{};
  bool header_read = false;
};

JpegDecoder::JpegDecoder() : state_(std::make_unique<State>()) {
  // A warning means damaged data that libjpeg would paper over: this
  // library refuses such pictures.
  state_->info.err = state_->trap.Install(libjpeg_trap::Warnings::kFatal);
  jpeg_create_decompress(&state_->info);
  state_->info.mem->max_memory_to_use = kMaxDecoderMemory;
}

JpegDecoder::~JpegDecoder() { jpeg_destroy_decompress(&state_->info); }

LoadResult JpegDecoder::ReadHeader(std::span<const std::uint8_t> data) {
  jpeg_decompress_struct& info = state_->info;
  if (setjmp(state_->trap.jump)) return kLoadDamaged;
  jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return kLoadDamaged;
  state_->header_read = true;
  return kLoadOk;
}

Size JpegDecoder::size() const {
  return {static_cast<int>(state_->info.image_width), static_cast<int>(state_->info.image_height)};
}

bool JpegDecoder::Start(int eighths) {
  jpeg_decompress_struct& info = state_->info;
  if (setjmp(state_->trap.jump)) return false;
  info.scale_num = static_cast<unsigned>(eighths);
  info.scale_denom = 8;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  return true;
}

bool JpegDecoder::ReadRows(Bitmap* bitmap, std::uint8_t* cmyk_row) {
  jpeg_decompress_struct& info = state_->info;
  if (setjmp(state_->trap.jump)) return false;
  // Adobe's files store CMYK inverted, as most writers do.
  const bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = bitmap->Row(static_cast<int>(info.output_scanline));
    JSAMPROW rows[1] = {cmyk_row ? cmyk_row : row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) return false;
    if (!cmyk_row) continue;
    for (JDIMENSION x = 0; x < info.output_width; ++x) {
      const std::uint8_t* ink = cmyk_row + x * 4;
      unsigned c = ink[0], m = ink[1], y = ink[2], k = ink[3];
      if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
      row[x * 3] = static_cast<std::uint8_t>(y * k / 255);
      row[x * 3 + 1] = static_cast<std::uint8_t>(m * k / 255);
      row[x * 3 + 2] = static_cast<std::uint8_t>(c * k / 255);
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

LoadResult JpegDecoder::Decode(int eighths, std::unique_ptr<Bitmap>* bitmap) {
  if (!state_->header_read || eighths < 1 || eighths > 8) return kLoadBadArgument;
  jpeg_decompress_struct& info = state_->info;
  // Pictures of several scans are held whole as coefficients.
  const long long coefficient_bytes =
      static_cast<long long>(info.image_width) * info.image_height * info.num_components * 2;
  if (jpeg_has_multiple_scans(&info) && coefficient_bytes > kMaxDecoderMemory) {
    return kLoadTooLarge;
  }
  const Size scaled{ScaledSide(static_cast<int>(info.image_width), eighths),
                    ScaledSide(static_cast<int>(info.image_height), eighths)};
  // Every row is decoded into, or the picture is not handed out.
  std::unique_ptr<Bitmap> result = Bitmap::CreateForOverwrite(scaled.width, scaled.height);
  if (!result) return kLoadTooLarge;
  if (!Start(eighths)) return kLoadDamaged;
  if (static_cast<int>(info.output_width) != scaled.width ||
      static_cast<int>(info.output_height) != scaled.height) {
    return kLoadDamaged;
  }
  std::vector<std::uint8_t> cmyk_row;
  if (info.out_color_space == JCS_CMYK) {
    try {
      cmyk_row.resize(static_cast<std::size_t>(info.output_width) * 4);
    } catch (const std::bad_alloc&) {
      return kLoadTooLarge;
    }
  }
  if (!ReadRows(result.get(), cmyk_row.empty() ? nullptr : cmyk_row.data())) return kLoadDamaged;
  *bitmap = std::move(result);
  return kLoadOk;
}

}  // namespace imaging

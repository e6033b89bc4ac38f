#include "picture_writers.h"

#include <gif_lib.h>
#include <png.h>

#include <cstring>
#include <stdexcept>

#include "libjpeg_trap/error_trap.h"

namespace imaging::testing {

namespace {

const Rgb kRed{220, 30, 30}, kGreen{30, 200, 40}, kBlue{30, 40, 210}, kWhite{250, 250, 250};

void Put16(std::vector<std::uint8_t>* out, unsigned value) {
  out->push_back(static_cast<std::uint8_t>(value));
  out->push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>* out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::vector<Rgb> PaletteFor(int bits) {
  if (bits == 1) return {{0, 0, 0}, {255, 255, 255}};
  if (bits == 2) return {{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}};
  std::vector<Rgb> palette = {{0, 0, 0}, kRed, kGreen, kBlue, kWhite};
  for (int grey = 1; palette.size() < 16; ++grey) {
    const auto level = static_cast<std::uint8_t>(grey * 23);
    palette.push_back({level, level, level});
  }
  return palette;
}

int Nearest(const std::vector<Rgb>& palette, Rgb colour) {
  int best = 0;
  long best_distance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const long dr = palette[i].red - colour.red, dg = palette[i].green - colour.green,
               db = palette[i].blue - colour.blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (best_distance < 0 || distance < best_distance)
      best = static_cast<int>(i), best_distance = distance;
  }
  return best;
}

// What the error path of EncodeJpeg must still find after the jump.
struct CompressJob {
  libjpeg_trap::ErrorTrap trap;
  jpeg_compress_struct info{};
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
};

}  // namespace

Picture Quadrants(int width, int height, bool detail) {
  Picture picture{width, height, {}};
  picture.pixels.reserve(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2, bottom = y >= height / 2;
      Rgb colour = bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
      if (detail && ((x / 3 + y / 3) % 2 == 0)) {
        colour.red = static_cast<std::uint8_t>(colour.red * 3 / 4);
        colour.green = static_cast<std::uint8_t>(colour.green * 3 / 4);
      }
      picture.pixels.push_back(colour);
    }
  }
  return picture;
}

Rgb PaletteColour(Rgb colour, int bits) {
  const std::vector<Rgb> palette = PaletteFor(bits);
  return palette[Nearest(palette, colour)];
}

std::vector<std::uint8_t> SampleExif() {
  // "Exif", two zeros, a little-endian TIFF header, an empty directory and
  // a text that lets the tests find the segment again.
  const std::string payload("Exif\0\0II*\0\x08\0\0\0\0\0orsa-test-exif", 30);
  return {payload.begin(), payload.end()};
}

std::vector<std::uint8_t> EncodeJpeg(const Picture& picture, const JpegOptions& options) {
  // Made before the jump point: a long jump skips destructors.
  std::vector<std::uint8_t> row(static_cast<std::size_t>(picture.width) * 4);
  CompressJob job;
  jpeg_compress_struct& info = job.info;
  info.err = job.trap.Install();
  if (setjmp(job.trap.jump)) {
    // The destination may have grown its buffer since job.buffer was
    // last set, so that pointer is not freed here.
    jpeg_destroy_compress(&job.info);
    throw std::runtime_error("libjpeg failed");
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &job.buffer, &job.size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = options.grey ? 1 : (options.cmyk ? 4 : 3);
  info.in_color_space = options.grey ? JCS_GRAYSCALE : (options.cmyk ? JCS_CMYK : JCS_RGB);
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, options.quality, TRUE);
  if (!options.grey && !options.cmyk) {
    info.comp_info[0].h_samp_factor = options.h_sampling;
    info.comp_info[0].v_samp_factor = options.v_sampling;
  }
  if (options.progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  if (!options.exif.empty()) {
    jpeg_write_marker(&info, JPEG_APP0 + 1, options.exif.data(),
                      static_cast<unsigned>(options.exif.size()));
  }
  if (!options.comment.empty()) {
    jpeg_write_marker(&info, JPEG_COM, reinterpret_cast<const JOCTET*>(options.comment.data()),
                      static_cast<unsigned>(options.comment.size()));
  }
  while (info.next_scanline < info.image_height) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb colour = picture.At(x, static_cast<int>(info.next_scanline));
      if (options.grey) {
        row[x] = static_cast<std::uint8_t>((colour.red * 3 + colour.green * 6 + colour.blue) / 10);
      } else if (options.cmyk) {
        // Inverted inks as Adobe writes them: the values are 255 - ink.
        row[x * 4] = colour.red, row[x * 4 + 1] = colour.green, row[x * 4 + 2] = colour.blue;
        row[x * 4 + 3] = 255;
      } else {
        row[x * 3] = colour.red, row[x * 3 + 1] = colour.green, row[x * 3 + 2] = colour.blue;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> result(job.buffer, job.buffer + job.size);
  std::free(job.buffer);
  return result;
}

std::vector<std::uint8_t> EncodePng(const Picture& picture, PngKind kind) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  std::vector<std::uint8_t> pixels;
  std::vector<png_color> colormap;
  const std::vector<Rgb> palette = PaletteFor(8);
  for (const Rgb& colour : picture.pixels) {
    switch (kind) {
      case PngKind::kRgb:
        pixels.insert(pixels.end(), {colour.red, colour.green, colour.blue});
        break;
      case PngKind::kRgb16:
        for (const std::uint8_t value : {colour.red, colour.green, colour.blue}) {
          pixels.insert(pixels.end(), {value, value});  // as 16-bit words, same byte twice
        }
        break;
      case PngKind::kGrey:
        pixels.push_back(colour.green);
        break;
      case PngKind::kPalette:
        pixels.push_back(static_cast<std::uint8_t>(Nearest(palette, colour)));
        break;
      case PngKind::kRgbaHalfTransparent:
        pixels.insert(pixels.end(), {colour.red, colour.green, colour.blue, 0});
        break;
    }
  }
  switch (kind) {
    case PngKind::kRgb:
      image.format = PNG_FORMAT_RGB;
      break;
    case PngKind::kRgb16:
      image.format = PNG_FORMAT_LINEAR_RGB;
      break;
    case PngKind::kGrey:
      image.format = PNG_FORMAT_GRAY;
      break;
    case PngKind::kPalette:
      image.format = PNG_FORMAT_RGB_COLORMAP;
      image.colormap_entries = static_cast<png_uint_32>(palette.size());
      for (const Rgb& colour : palette) colormap.push_back({colour.red, colour.green, colour.blue});
      break;
    case PngKind::kRgbaHalfTransparent:
      image.format = PNG_FORMAT_RGBA;
      break;
  }
  if (kind == PngKind::kRgbaHalfTransparent) {
    // Left half opaque, right half fully transparent.
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        pixels[(static_cast<std::size_t>(y) * picture.width + x) * 4 + 3] =
            x < picture.width / 2 ? 255 : 0;
      }
    }
  }
  if (kind == PngKind::kRgb16) {
    // Linear 16-bit values: a flat grey-free picture keeps its extremes.
    std::vector<std::uint16_t> words(pixels.size() / 2);
    std::memcpy(words.data(), pixels.data(), pixels.size());
    pixels.assign(reinterpret_cast<std::uint8_t*>(words.data()),
                  reinterpret_cast<std::uint8_t*>(words.data()) + pixels.size());
  }
  png_alloc_size_t size = 0;
  const void* colours = colormap.empty() ? nullptr : colormap.data();
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, colours)) {
    throw std::runtime_error("png size");
  }
  std::vector<std::uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, colours)) {
    throw std::runtime_error(image.message);
  }
  out.resize(size);
  return out;
}

std::vector<std::uint8_t> EncodeGif(const Picture& picture, const GifOptions& options) {
  const std::vector<Rgb> palette = PaletteFor(8);
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* file, const GifByteType* bytes, int count) {
        auto* sink = static_cast<std::vector<std::uint8_t>*>(file->UserData);
        sink->insert(sink->end(), bytes, bytes + count);
        return count;
      },
      &error);
  if (!gif) throw std::runtime_error("gif open");
  std::vector<GifColorType> colours;
  for (const Rgb& colour : palette) colours.push_back({colour.red, colour.green, colour.blue});
  ColorMapObject* map = GifMakeMapObject(16, colours.data());
  const int screen_width = options.screen_width ? options.screen_width : picture.width;
  const int screen_height = options.screen_height ? options.screen_height : picture.height;
  EGifSetGifVersion(gif, true);
  // Background colour: palette entry 4 (white).
  EGifPutScreenDesc(gif, screen_width, screen_height, 8, 4, map);
  if (options.transparent_index >= 0) {
    const GifByteType control[4] = {0x01, 0, 0,
                                    static_cast<GifByteType>(options.transparent_index)};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
  }
  EGifPutImageDesc(gif, options.left, options.top, picture.width, picture.height,
                   options.interlaced, nullptr);
  std::vector<GifByteType> indices(static_cast<std::size_t>(picture.width) * picture.height);
  for (std::size_t i = 0; i < indices.size(); ++i) {
    indices[i] = static_cast<GifByteType>(Nearest(palette, picture.pixels[i]));
  }
  static constexpr int kStarts[] = {0, 4, 2, 1}, kSteps[] = {8, 8, 4, 2};
  for (int pass = 0; pass < (options.interlaced ? 4 : 1); ++pass) {
    for (int y = options.interlaced ? kStarts[pass] : 0; y < picture.height;
         y += options.interlaced ? kSteps[pass] : 1) {
      EGifPutLine(gif, indices.data() + static_cast<std::size_t>(y) * picture.width, picture.width);
    }
  }
  if (options.second_frame) {
    EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr);
    std::vector<GifByteType> black(static_cast<std::size_t>(picture.width), 0);
    for (int y = 0; y < picture.height; ++y) EGifPutLine(gif, black.data(), picture.width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

std::vector<std::uint8_t> EncodeBmp(const Picture& picture, const BmpOptions& options) {
  const int bits = options.bits;
  const std::vector<Rgb> palette = bits <= 8 ? PaletteFor(bits) : std::vector<Rgb>();
  const std::size_t header = options.core_header ? 12 : 40;
  const std::size_t masks = options.bit_fields_565 ? 12 : 0;
  const std::size_t entry = options.core_header ? 3 : 4;
  const std::size_t offset = 14 + header + masks + palette.size() * entry;
  const std::size_t row_size = (static_cast<std::size_t>(picture.width) * bits + 31) / 32 * 4;
  std::vector<std::uint8_t> out = {'B', 'M'};
  Put32(&out, static_cast<std::uint32_t>(offset + row_size * picture.height));
  Put32(&out, 0);
  Put32(&out, static_cast<std::uint32_t>(offset));
  Put32(&out, static_cast<std::uint32_t>(header));
  if (options.core_header) {
    Put16(&out, picture.width);
    Put16(&out, picture.height);
    Put16(&out, 1);
    Put16(&out, bits);
  } else {
    Put32(&out, static_cast<std::uint32_t>(picture.width));
    Put32(&out, static_cast<std::uint32_t>(options.top_down ? -picture.height : picture.height));
    Put16(&out, 1);
    Put16(&out, bits);
    Put32(&out, options.bit_fields_565 ? 3 : 0);
    Put32(&out, static_cast<std::uint32_t>(row_size * picture.height));
    Put32(&out, 2835);
    Put32(&out, 2835);
    Put32(&out, static_cast<std::uint32_t>(palette.size()));
    Put32(&out, 0);
  }
  if (options.bit_fields_565) {
    Put32(&out, 0xF800);
    Put32(&out, 0x07E0);
    Put32(&out, 0x001F);
  }
  for (const Rgb& colour : palette) {
    out.insert(out.end(), {colour.blue, colour.green, colour.red});
    if (!options.core_header) out.push_back(0);
  }
  for (int stored = 0; stored < picture.height; ++stored) {
    const int y = options.top_down ? stored : picture.height - 1 - stored;
    std::vector<std::uint8_t> row(row_size, 0);
    for (int x = 0; x < picture.width; ++x) {
      const Rgb c = picture.At(x, y);
      if (bits <= 8) {
        const int index = Nearest(palette, c);
        const int per_byte = 8 / bits;
        row[x / per_byte] |= static_cast<std::uint8_t>(index << (8 - bits * (x % per_byte + 1)));
      } else if (bits == 16) {
        const unsigned word = options.bit_fields_565
                                  ? ((c.red >> 3) << 11) | ((c.green >> 2) << 5) | (c.blue >> 3)
                                  : ((c.red >> 3) << 10) | ((c.green >> 3) << 5) | (c.blue >> 3);
        row[x * 2] = static_cast<std::uint8_t>(word);
        row[x * 2 + 1] = static_cast<std::uint8_t>(word >> 8);
      } else {
        const std::size_t at = static_cast<std::size_t>(x) * (bits / 8);
        row[at] = c.blue, row[at + 1] = c.green, row[at + 2] = c.red;
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

}  // namespace imaging::testing

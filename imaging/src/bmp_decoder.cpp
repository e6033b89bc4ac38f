// Device-independent bitmap files: a 14-byte file header, an information
// header of 12 (the old core layout) or 40 and more bytes, optional colour
// masks, a palette, and rows padded to four bytes, bottom row first unless
// the height is negative. The handheld's "2bp" pictures are such files with
// two bits per pixel.
#include <algorithm>
#include <bit>
#include <cstdint>

#include "decoders.h"

namespace imaging {

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}
  bool Has(std::size_t at, std::size_t count) const {
    return at <= data_.size() && count <= data_.size() - at;
  }
  std::uint16_t U16(std::size_t at) const {
    return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
  }
  std::uint32_t U32(std::size_t at) const {
    return std::uint32_t{data_[at]} | (std::uint32_t{data_[at + 1]} << 8) |
           (std::uint32_t{data_[at + 2]} << 16) | (std::uint32_t{data_[at + 3]} << 24);
  }
  const std::uint8_t* At(std::size_t at) const { return data_.data() + at; }

 private:
  std::span<const std::uint8_t> data_;
};

// One colour channel held under a bit mask, widened to eight bits.
class Channel {
 public:
  Channel() = default;
  explicit Channel(std::uint32_t mask)
      : mask_(mask),
        shift_(mask ? std::countr_zero(mask) : 0),
        max_(mask ? (std::uint64_t{mask} >> shift_) : 0) {}
  std::uint8_t operator()(std::uint32_t pixel) const {
    if (max_ == 0) return 0;
    const std::uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<std::uint8_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  std::uint64_t max_ = 0;
};

struct Layout {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool top_down = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colours_used = 0;
  std::size_t header_size = 0;
  std::uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  bool has_masks = false;
};

bool ReadLayout(const Reader& reader, Layout* layout) {
  if (!reader.Has(0, kFileHeaderSize + 4)) return false;
  layout->header_size = reader.U32(kFileHeaderSize);
  const std::size_t h = kFileHeaderSize;
  if (layout->header_size == kCoreHeaderSize) {
    if (!reader.Has(h, kCoreHeaderSize)) return false;
    layout->width = reader.U16(h + 4);
    layout->height = reader.U16(h + 6);
    layout->bits = reader.U16(h + 10);
    return true;
  }
  if (layout->header_size < kInfoHeaderSize || !reader.Has(h, layout->header_size)) return false;
  layout->width = static_cast<std::int32_t>(reader.U32(h + 4));
  const std::int64_t height = static_cast<std::int32_t>(reader.U32(h + 8));
  layout->top_down = height < 0;
  layout->height = height < 0 ? -height : height;
  layout->bits = reader.U16(h + 14);
  layout->compression = reader.U32(h + 16);
  layout->colours_used = reader.U32(h + 32);
  if (layout->compression == kBitFields || layout->compression == kAlphaBitFields) {
    // The masks sit in the larger headers, or just behind the 40-byte one.
    const std::size_t at = h + kInfoHeaderSize;
    if (!reader.Has(at, 12)) return false;
    for (int i = 0; i < 3; ++i) layout->masks[i] = reader.U32(at + 4 * i);
    layout->has_masks = true;
  }
  return true;
}

// Where the palette starts: behind the header, and behind masks that follow
// a 40-byte header.
std::size_t PaletteOffset(const Layout& layout) {
  std::size_t at = kFileHeaderSize + layout.header_size;
  if (layout.header_size == kInfoHeaderSize && layout.compression == kBitFields) at += 12;
  if (layout.header_size == kInfoHeaderSize && layout.compression == kAlphaBitFields) at += 16;
  return at;
}

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
};

LoadResult DecodeRows(const Reader& reader, const Layout& layout, std::size_t pixels_at,
                      std::size_t row_size, const Colour* palette, int palette_size,
                      Bitmap* bitmap) {
  Channel red, green, blue;
  if (layout.bits == 16 || layout.bits == 32) {
    const bool masked = layout.has_masks;
    red = Channel(masked ? layout.masks[0] : (layout.bits == 16 ? 0x7C00u : 0xFF0000u));
    green = Channel(masked ? layout.masks[1] : (layout.bits == 16 ? 0x03E0u : 0x00FF00u));
    blue = Channel(masked ? layout.masks[2] : (layout.bits == 16 ? 0x001Fu : 0x0000FFu));
  }
  const int width = bitmap->width();
  for (int y = 0; y < bitmap->height(); ++y) {
    const int stored_row = layout.top_down ? y : bitmap->height() - 1 - y;
    const std::uint8_t* in = reader.At(pixels_at + static_cast<std::size_t>(stored_row) * row_size);
    std::uint8_t* out = bitmap->Row(y);
    for (int x = 0; x < width; ++x, out += 3) {
      switch (layout.bits) {
        case 1:
        case 2:
        case 4:
        case 8: {
          const int per_byte = 8 / layout.bits;
          const int shift = 8 - layout.bits * (x % per_byte + 1);
          const int index = (in[x / per_byte] >> shift) & ((1 << layout.bits) - 1);
          // An index past the palette shows black.
          const Colour colour = index < palette_size ? palette[index] : Colour{};
          out[0] = colour.blue, out[1] = colour.green, out[2] = colour.red;
          break;
        }
        case 16: {
          const std::uint32_t pixel = in[x * 2] | (in[x * 2 + 1] << 8);
          out[0] = blue(pixel), out[1] = green(pixel), out[2] = red(pixel);
          break;
        }
        case 24:
          out[0] = in[x * 3], out[1] = in[x * 3 + 1], out[2] = in[x * 3 + 2];
          break;
        case 32: {
          const std::uint8_t* p = in + x * 4;
          const std::uint32_t pixel =
              p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
          out[0] = blue(pixel), out[1] = green(pixel), out[2] = red(pixel);
          break;
        }
      }
    }
  }
  return kLoadOk;
}

}  // namespace

LoadResult DecodeBmp(std::span<const std::uint8_t> data, std::unique_ptr<Bitmap>* bitmap) {
  const Reader reader(data);
  Layout layout;
  if (!reader.Has(0, 2) || data[0] != 'B' || data[1] != 'M') return kLoadNotAPicture;
  if (!ReadLayout(reader, &layout)) return kLoadDamaged;
  const int bits = layout.bits;
  if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return kLoadDamaged;
  }
  const bool masks_allowed = (bits == 16 || bits == 32) && layout.has_masks;
  if (layout.compression != kRgb && !masks_allowed) return kLoadNotAPicture;
  if (layout.width < 1 || layout.height < 1) return kLoadDamaged;
  if (layout.width > 65535 || layout.height > 65535 ||
      layout.width * layout.height > Bitmap::kMaxPixels) {
    return kLoadTooLarge;
  }

  // The palette: as many entries as the header says, at most 2^bits, and
  // no more than fit ahead of the pixels (old files say it only that way).
  const std::size_t pixels_at = reader.U32(10);
  Colour palette[256];
  int palette_size = 0;
  if (bits <= 8) {
    const int most = 1 << bits;
    palette_size = layout.colours_used == 0 || layout.colours_used > static_cast<unsigned>(most)
                       ? most
                       : static_cast<int>(layout.colours_used);
    const std::size_t entry_size = layout.header_size == kCoreHeaderSize ? 3 : 4;
    const std::size_t at = PaletteOffset(layout);
    if (pixels_at > at) {
      palette_size = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(palette_size),
                                                            (pixels_at - at) / entry_size));
    }
    if (!reader.Has(at, entry_size * palette_size)) return kLoadDamaged;
    for (int i = 0; i < palette_size; ++i) {
      const std::uint8_t* entry = reader.At(at + entry_size * i);
      palette[i] = {entry[2], entry[1], entry[0]};
    }
  }

  const std::size_t row_size = static_cast<std::size_t>((layout.width * bits + 31) / 32 * 4);
  if (!reader.Has(pixels_at, row_size * static_cast<std::size_t>(layout.height))) {
    return kLoadDamaged;
  }
  std::unique_ptr<Bitmap> result =
      Bitmap::Create(static_cast<int>(layout.width), static_cast<int>(layout.height));
  if (!result) return kLoadTooLarge;
  const LoadResult decoded =
      DecodeRows(reader, layout, pixels_at, row_size, palette, palette_size, result.get());
  if (decoded == kLoadOk) *bitmap = std::move(result);
  return decoded;
}

}  // namespace imaging

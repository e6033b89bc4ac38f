// Pictures for the tests, written with the same libraries the imaging
// library reads with (libjpeg, libpng, giflib) and, for BMP and "2bp", with
// a small writer of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace imaging::testing {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pixels top-down, red-green-blue.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Four flat quadrants (red top-left, green top-right, blue bottom-left,
// white bottom-right) so that orientation survives scaling and lossy
// coding; `detail` adds a fine pattern inside them.
Picture Quadrants(int width, int height, bool detail = false);

struct JpegOptions {
  int quality = 90;
  int h_sampling = 2, v_sampling = 2;  // of the first component: 2, 2 is 4:2:0
  bool progressive = false;
  bool grey = false;
  bool cmyk = false;
  std::string comment;             // a COM segment when not empty
  std::vector<std::uint8_t> exif;  // an APP1 segment's payload when not empty
};
std::vector<std::uint8_t> EncodeJpeg(const Picture& picture, const JpegOptions& options = {});
// An Exif APP1 payload with a recognisable marker text inside.
std::vector<std::uint8_t> SampleExif();

enum class PngKind { kRgb, kGrey, kPalette, kRgbaHalfTransparent, kRgb16 };
std::vector<std::uint8_t> EncodePng(const Picture& picture, PngKind kind);

struct GifOptions {
  bool interlaced = false;
  int transparent_index = -1;               // of the first frame
  bool second_frame = false;                // a second, all-black frame behind the first
  int left = 0, top = 0;                    // of the first frame on the screen
  int screen_width = 0, screen_height = 0;  // 0: the picture's size
};
// Colours are reduced to a 16-entry palette of the quadrant colours and greys.
std::vector<std::uint8_t> EncodeGif(const Picture& picture, const GifOptions& options = {});

struct BmpOptions {
  int bits = 24;  // 1, 2, 4, 8, 16, 24, 32
  bool top_down = false;
  bool core_header = false;     // the old 12-byte header (1-24 bits)
  bool bit_fields_565 = false;  // 16 bits as 5-6-5 with masks
};
// Palette pictures use the quadrant colours; 2 bits use four greys.
std::vector<std::uint8_t> EncodeBmp(const Picture& picture, const BmpOptions& options = {});

// The colour `colour` gets in a palette picture of `bits` bits.
Rgb PaletteColour(Rgb colour, int bits);

}  // namespace imaging::testing

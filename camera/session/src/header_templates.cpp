// The preview headers, built at compile time from one layout: only the size
// and the luma sampling differ between them.
#include "camera/session/header_templates.h"

#include <algorithm>
#include <initializer_list>

namespace camera {

namespace {

using Table = std::array<std::uint8_t, 64>;

// Quantisation tables in zigzag order, padded with FF.
constexpr Table PadTable(std::initializer_list<std::uint8_t> head) {
  Table table{};
  table.fill(0xFF);
  std::copy(head.begin(), head.end(), table.begin());
  return table;
}

constexpr Table kLumaTable = PadTable({
    0x07, 0x07, 0x07, 0x0D, 0x0D, 0x0D, 0x11, 0x10, 0x10, 0x11, 0x20, 0x17, 0x1A,
    0x17, 0x20, 0x33, 0x22, 0x25, 0x25, 0x22, 0x33, 0x49, 0x39, 0x39, 0x40, 0x39,
    0x39, 0x49, 0x80, 0x55, 0x55, 0x66, 0x66, 0x55, 0x55, 0x80, 0x80, 0x80, 0x80,
    0xAB, 0x80, 0x80, 0x80, 0xAB, 0xAB, 0xFF, 0xFF, 0xAB, 0xAB,
});
constexpr Table kChromaTable = PadTable({
    0x07, 0x07, 0x07, 0x0A, 0x0A, 0x0A, 0x10, 0x0E, 0x0E, 0x10, 0x1A, 0x14, 0x17, 0x14,
    0x1A, 0x25, 0x20, 0x20, 0x20, 0x20, 0x27, 0x39, 0x27, 0x27, 0x33, 0x27, 0x27, 0x39,
    0x55, 0x40, 0x40, 0x49, 0x49, 0x40, 0x40, 0x55, 0x66, 0x55, 0x66, 0x80, 0x66, 0x55,
    0x66, 0x80, 0x80, 0xAB, 0xAB, 0x80, 0x80, 0xAB, 0xFF, 0xFF, 0xFF, 0xAB,
});

// Appends bytes at a running offset.
class HeaderWriter {
 public:
  constexpr explicit HeaderWriter(HeaderTemplate& header) : header_(header) {}
  constexpr void Put(std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) header_[at_++] = byte;
  }
  constexpr void Put(const Table& table) {
    for (std::uint8_t byte : table) header_[at_++] = byte;
  }
  constexpr void PutWord(int value) {
    Put({static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value & 0xFF)});
  }
  constexpr std::size_t size() const { return at_; }

 private:
  HeaderTemplate& header_;
  std::size_t at_ = 0;
};

struct BuiltHeader {
  HeaderTemplate bytes{};
  std::size_t written = 0;
};

constexpr BuiltHeader BuildHeader(int width, int height, std::uint8_t luma_sampling) {
  BuiltHeader header;
  HeaderWriter out(header.bytes);
  out.Put({0xFF, 0xD8});                    // SOI
  out.Put({0xFF, 0xDB, 0x00, 0x84, 0x00});  // DQT, table 0
  out.Put(kLumaTable);
  out.Put({0x01});  // table 1
  out.Put(kChromaTable);
  out.Put({0xFF, 0xC0, 0x00, 0x11, 0x08});  // SOF0, 8-bit samples
  out.PutWord(height);
  out.PutWord(width);
  out.Put({0x03, 0x01, luma_sampling, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01});
  out.Put({0x00});  // stray byte; the decoder's marker search skips it
  out.Put({0xFF, 0xDA, 0x00, 0x0C, 0x03, 0x01, 0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3F, 0x00});
  header.written = out.size();
  return header;
}

constexpr HeaderTemplate MakeHeader(int width, int height, std::uint8_t luma_sampling) {
  return BuildHeader(width, height, luma_sampling).bytes;
}
static_assert(BuildHeader(320, 240, 0x11).written == kJpegHeaderBytes);

constexpr HeaderTemplate kSmall = MakeHeader(160, 120, 0x11);
constexpr HeaderTemplate kLarge = MakeHeader(320, 240, 0x11);
constexpr HeaderTemplate kLargeZoomed = MakeHeader(320, 240, 0x22);

}  // namespace

const HeaderTemplate& SmallHeaderTemplate() { return kSmall; }
const HeaderTemplate& LargeHeaderTemplate() { return kLarge; }
const HeaderTemplate& LargeZoomedHeaderTemplate() { return kLargeZoomed; }

const HeaderTemplate& HeaderTemplateFor(int aviresolution, int zoom_level) {
  if (aviresolution == 1) return kSmall;
  return zoom_level == 0 ? kLarge : kLargeZoomed;
}

}  // namespace camera

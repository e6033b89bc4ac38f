// Walking UTF-8 text one code point at a time. Bytes that do not form a valid
// sequence are returned one by one as code points above the Unicode range,
// so that they compare only with themselves and survive a round trip.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::files_internal {

inline constexpr char32_t kInvalidByteBase = 0x110000;

struct CodePoint {
  char32_t value;
  std::size_t length;  // bytes consumed, at least 1
  bool valid() const { return value < kInvalidByteBase; }
};

inline CodePoint DecodeUtf8(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const CodePoint invalid{kInvalidByteBase + lead, 1};
  if (lead < 0x80) return {lead, 1};
  std::size_t length;
  char32_t value;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return invalid;
  }
  if (at + length > text.size()) return invalid;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return invalid;
    value = (value << 6) | (byte(at + i) & 0x3F);
  }
  // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return invalid;
  return {value, length};
}

inline void AppendUtf8(std::string& out, char32_t value) {
  if (value >= kInvalidByteBase) {
    out.push_back(static_cast<char>(value - kInvalidByteBase));
  } else if (value < 0x80) {
    out.push_back(static_cast<char>(value));
  } else if (value < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (value >> 6)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else if (value < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (value >> 12)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (value >> 18)));
    out.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (value & 0x3F)));
  }
}

// Calls visit(CodePoint) for each code point of text.
template <typename Visit>
void ForEachCodePoint(std::string_view text, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    const CodePoint point = DecodeUtf8(text, at);
    visit(point);
    at += point.length;
  }
}

}  // namespace platform::files_internal

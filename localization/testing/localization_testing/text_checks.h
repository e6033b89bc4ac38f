// Checks that a translated text fits where the English one is used: the
// same printf arguments, the same spaces at its edges, the same line
// breaks, and well-formed UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace localization::testing {

// The code points of well-formed UTF-8 (no overlong forms, no surrogates,
// nothing past U+10FFFF); nothing for anything else.
inline std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string decoded;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    int length = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      length = 1;
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      code = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + length > text.size()) return std::nullopt;
    for (int k = 1; k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return std::nullopt;
    }
    decoded.push_back(code);
    i += length;
  }
  return decoded;
}

// The printf conversions of a text in order ("%d", "%0.4d", "%s", "%%").
inline std::vector<std::string> FormatArguments(std::string_view text) {
  constexpr std::string_view kFlags = "-+ #0";
  constexpr std::string_view kLengths = "hlLqjztI";
  constexpr std::string_view kConversions = "diouxXeEfFgGaAcCsSpn%";
  std::vector<std::string> arguments;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') continue;
    std::size_t end = i + 1;
    auto skip = [&](auto accept) {
      while (end < text.size() && accept(text[end])) ++end;
    };
    auto is_digit = [](char c) { return (c >= '0' && c <= '9') || c == '*'; };
    skip([&](char c) { return kFlags.find(c) != std::string_view::npos; });
    skip(is_digit);
    if (end < text.size() && text[end] == '.') {
      ++end;
      skip(is_digit);
    }
    skip([&](char c) {
      return kLengths.find(c) != std::string_view::npos || (c >= '0' && c <= '9');
    });
    if (end < text.size() && kConversions.find(text[end]) != std::string_view::npos) ++end;
    arguments.emplace_back(text.substr(i, end - i));
    i = end - 1;
  }
  return arguments;
}

inline bool IsEdgeSpace(char c) { return c == ' ' || c == '\t'; }

inline std::string_view LeadingSpace(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsEdgeSpace(text[n])) ++n;
  return text.substr(0, n);
}

inline std::string_view TrailingSpace(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsEdgeSpace(text[text.size() - 1 - n])) ++n;
  return text.substr(text.size() - n);
}

inline std::size_t LineBreaks(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += c == '\n';
  return count;
}

// Control characters other than line breaks and tabs have no place in a
// text shown on the screen.
inline bool HasStrayControls(std::u32string_view text) {
  for (char32_t c : text) {
    if ((c < 0x20 && c != '\n' && c != '\r' && c != '\t') || c == 0x7F) return true;
  }
  return false;
}

}  // namespace localization::testing

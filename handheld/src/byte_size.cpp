#include "byte_size.h"

#include <charconv>

namespace handheld {

std::optional<std::uint64_t> ParseByteSize(std::string_view text) {
  std::uint64_t unit = 1;
  if (!text.empty()) {
    switch (text.back()) {
      case 'K':
      case 'k':
        unit = std::uint64_t{1} << 10;
        break;
      case 'M':
      case 'm':
        unit = std::uint64_t{1} << 20;
        break;
      case 'G':
      case 'g':
        unit = std::uint64_t{1} << 30;
        break;
      default:
        break;
    }
    if (unit != 1) text.remove_suffix(1);
  }
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || rest != end) return std::nullopt;
  if (value > UINT64_MAX / unit) return std::nullopt;
  return value * unit;
}

}  // namespace handheld

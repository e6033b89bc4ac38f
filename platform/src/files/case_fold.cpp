#include "files/case_fold.h"

#include "files/utf8.h"
#include "platform/paths.h"

namespace platform {
namespace files_internal {

char32_t FoldCodePoint(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 0x20 : c;
  // Latin-1: À to Þ except the multiplication sign.
  if (c >= 0xC0 && c <= 0xDE) return c == 0xD7 ? c : c + 0x20;
  // Latin Extended-A: mostly upper/lower pairs, with the pair order flipping
  // between Ĺ and ň and again from Ź on.
  if (c >= 0x100 && c <= 0x17F) {
    if (c == 0x130) return U'i';
    if (c == 0x178) return 0xFF;
    if ((c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    return c;
  }
  // Greek, with the accented capitals.
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return c + 37;
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return c + 63;
  if (c >= 0x391 && c <= 0x3AB) return c == 0x3A2 ? c : c + 0x20;
  // Cyrillic.
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF)) return c | 1;
  return c;
}

}  // namespace files_internal

using files_internal::ForEachCodePoint;

std::string FoldCase(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  ForEachCodePoint(text, [&](files_internal::CodePoint point) {
    files_internal::AppendUtf8(folded, files_internal::FoldCodePoint(point.value));
  });
  return folded;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return FoldCase(a) == FoldCase(b); }

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return FoldCase(text).starts_with(FoldCase(prefix));
}

std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  ForEachCodePoint(text, [&](files_internal::CodePoint point) {
    units += (point.valid() && point.value >= 0x10000) ? 2 : 1;
  });
  return units;
}

}  // namespace platform

#include <string>

#include "files/case_fold.h"
#include "files/utf8.h"
#include "platform/paths.h"

namespace platform {
namespace {

std::u32string FoldedCodePoints(std::string_view text) {
  std::u32string points;
  files_internal::ForEachCodePoint(text, [&](files_internal::CodePoint point) {
    points.push_back(files_internal::FoldCodePoint(point.value));
  });
  return points;
}

// Glob matching with single backtracking to the last '*': linear in practice
// and never recursive, whatever the pattern.
bool Glob(const std::u32string& name, const std::u32string& pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t star = std::u32string::npos;
  std::size_t star_n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++n, ++p;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      star_n = n;
    } else if (star != std::u32string::npos) {
      p = star + 1;
      n = ++star_n;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool HasWildcards(std::string_view name) { return name.find_first_of("*?") != name.npos; }

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  const std::u32string folded_name = FoldedCodePoints(name);
  std::u32string folded_pattern = FoldedCodePoints(pattern);
  if (Glob(folded_name, folded_pattern)) return true;
  // "name.*" also stands for "name" without an extension.
  if (folded_pattern.ends_with(U".*")) {
    folded_pattern.resize(folded_pattern.size() - 2);
    return Glob(folded_name, folded_pattern);
  }
  return false;
}

}  // namespace platform

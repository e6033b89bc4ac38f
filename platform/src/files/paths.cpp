#include "platform/paths.h"

#include "files/name_rules.h"
#include "files/utf8.h"
#include "platform/last_error.h"

namespace platform {
namespace files_internal {

DWORD CheckName(std::string_view name, bool allow_wildcards) {
  if (name == "." || name == "..") return ERROR_BAD_PATHNAME;
  DWORD error = ERROR_SUCCESS;
  ForEachCodePoint(name, [&](CodePoint point) {
    const char32_t c = point.value;
    const bool forbidden = !point.valid() || c < 0x20 || c == U'<' || c == U'>' || c == U':' ||
                           c == U'"' || c == U'|' || c == U'/' || c == U'\\' ||
                           (!allow_wildcards && (c == U'*' || c == U'?'));
    if (forbidden) error = ERROR_INVALID_NAME;
  });
  return error;
}

}  // namespace files_internal

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::optional<HandheldPath> HandheldPath::Parse(std::string_view text, DWORD* error, Use use) {
  const auto fail = [&](DWORD code) -> std::optional<HandheldPath> {
    if (error) *error = code;
    return std::nullopt;
  };
  if (text.empty()) return fail(ERROR_BAD_PATHNAME);
  if (Utf16Length(text) >= MAX_PATH) return fail(ERROR_FILENAME_EXCED_RANGE);
  // The handheld has no current folder and no network paths.
  if (!IsSeparator(text[0])) return fail(ERROR_BAD_PATHNAME);
  if (text.size() > 1 && IsSeparator(text[1])) return fail(ERROR_BAD_PATHNAME);

  HandheldPath path;
  path.trailing_separator_ = text.size() > 1 && IsSeparator(text.back());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    if (end > start) path.components_.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  for (std::size_t i = 0; i < path.components_.size(); ++i) {
    const bool pattern_name =
        use == Use::kFindPattern && !path.trailing_separator_ && i + 1 == path.components_.size();
    const DWORD name_error = files_internal::CheckName(path.components_[i], pattern_name);
    if (name_error != ERROR_SUCCESS) return fail(name_error);
  }
  if (error) *error = ERROR_SUCCESS;
  return path;
}

std::string_view HandheldPath::Name() const {
  return components_.empty() ? std::string_view{} : std::string_view{components_.back()};
}

HandheldPath HandheldPath::Parent() const {
  HandheldPath parent;
  if (!components_.empty()) {
    parent.components_.assign(components_.begin(), components_.end() - 1);
  }
  return parent;
}

HandheldPath HandheldPath::Child(std::string_view name) const {
  HandheldPath child;
  child.components_ = components_;
  child.components_.emplace_back(name);
  return child;
}

std::string HandheldPath::ToString() const {
  if (components_.empty()) return std::string(1, kPathSeparator);
  std::string text;
  for (const std::string& name : components_) {
    text += kPathSeparator;
    text += name;
  }
  return text;
}

}  // namespace platform

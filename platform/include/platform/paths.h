// Handheld paths: absolute, with backslashes, as in
// "\My Documents\My Pictures\snap0001.jpg"; compared without regard to case;
// at most MAX_PATH - 1 characters long. Text is UTF-8, and lengths count
// UTF-16 units, as the handheld stores names in UTF-16.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace platform {

// Characters in a path, including the terminating zero of the handheld's
// buffers.
inline constexpr DWORD MAX_PATH = 260;
inline constexpr char kPathSeparator = '\\';

// Folds text for comparisons without regard to case: ASCII and the letters of
// Latin-1, Latin Extended-A, Greek and Cyrillic. Bytes that are not UTF-8
// pass through unchanged.
std::string FoldCase(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);

// Length of UTF-8 text in UTF-16 units.
std::size_t Utf16Length(std::string_view text);

// True when the name holds a find wildcard ('*' or '?').
bool HasWildcards(std::string_view name);
// Matches one name against a find pattern without regard to case: '*' stands
// for any run of characters, '?' for exactly one. A pattern ending in ".*"
// also matches names without that extension, so "*.*" matches every name.
bool MatchesPattern(std::string_view name, std::string_view pattern);

// A parsed absolute handheld path: the names between the separators.
class HandheldPath {
 public:
  enum class Use {
    kName,         // names a file or folder
    kFindPattern,  // the last name may hold wildcards
  };

  // The root, "\".
  HandheldPath() = default;

  // Parses text, or gives the platform's error for a malformed path:
  // ERROR_BAD_PATHNAME (empty, relative, network, "." or ".." names),
  // ERROR_FILENAME_EXCED_RANGE (too long) or ERROR_INVALID_NAME (forbidden
  // characters). Repeated separators count as one.
  static std::optional<HandheldPath> Parse(std::string_view text, DWORD* error,
                                           Use use = Use::kName);

  const std::vector<std::string>& components() const { return components_; }
  bool IsRoot() const { return components_.empty(); }
  // The last name; empty for the root.
  std::string_view Name() const;
  HandheldPath Parent() const;
  HandheldPath Child(std::string_view name) const;
  // The text ended in a separator ("\My Documents\").
  bool trailing_separator() const { return trailing_separator_; }

  // "\" for the root, else "\name\name" without a final separator.
  std::string ToString() const;

 private:
  std::vector<std::string> components_;
  bool trailing_separator_ = false;
};

}  // namespace platform

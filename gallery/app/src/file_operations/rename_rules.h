// The rename sheet's rules: which part of a file name is offered for
// editing, how long the new name may be, and which text each refusal gets.
#pragma once

#include <string>

#include "platform/types.h"

namespace gallery {

// The most characters a full path may have after a rename, the dot and
// three-character extension not counted.
inline constexpr int kRenamePathLimit = 251;

struct RenameTarget {
  std::string folder;     // with its "\"
  std::string shown;      // the name offered for editing
  std::string extension;  // three characters, kept; empty when none was cut off
};

// Splits `path`: a name ending in "." and three characters shows without
// them; any other name shows whole.
RenameTarget SplitForRename(const std::string& path);

enum class RenameVerdict {
  kInvalidName,  // empty, or no room left in the folder: string 558
  kUnchanged,    // the same path (case aside): close without a change
  kRename,
};

struct RenamePlan {
  RenameVerdict verdict = RenameVerdict::kInvalidName;
  std::string new_path;
};

// The typed text is cut to what the folder leaves room for (251 less the
// folder's length, in characters); a folder at or past that limit leaves
// none, and every name is refused.
RenamePlan PlanRename(const std::string& old_path, const std::string& typed);

// The resource string that explains a failed rename's error number: 559
// for a name in use, 558 for a bad or impossible name, 560 (with the
// number) for anything else.
platform::UINT RenameErrorText(platform::DWORD error);

}  // namespace gallery

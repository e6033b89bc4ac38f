// Case folding of single code points, shared by the comparisons and the find
// patterns.
#pragma once

namespace platform::files_internal {

// The lower-case form of an upper-case letter; any other value unchanged.
char32_t FoldCodePoint(char32_t c);

}  // namespace platform::files_internal

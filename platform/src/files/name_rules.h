// What a single name in a handheld path may hold.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace platform::files_internal {

// ERROR_SUCCESS, ERROR_INVALID_NAME for forbidden characters (control
// characters, < > : " | and, outside find patterns, * ?) or bytes that are
// not UTF-8, or ERROR_BAD_PATHNAME for "." and "..".
DWORD CheckName(std::string_view name, bool allow_wildcards);

}  // namespace platform::files_internal

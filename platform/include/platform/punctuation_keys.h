// The punctuation keys of the handheld's keyboard. TranslateMessage types
// "=", "-", "," and "." for them (with Shift "+", "_", "<" and ">").
#pragma once

#include "platform/types.h"

namespace platform {

inline constexpr UINT VK_OEM_PLUS = 0xBB;
inline constexpr UINT VK_OEM_COMMA = 0xBC;
inline constexpr UINT VK_OEM_MINUS = 0xBD;
inline constexpr UINT VK_OEM_PERIOD = 0xBE;

}  // namespace platform

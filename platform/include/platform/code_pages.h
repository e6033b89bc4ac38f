// Code pages: text in the handheld's ANSI code page (1252 for the Western
// languages, 936 Simplified Chinese, 950 Traditional Chinese, 949 Korean)
// or UTF-8, to and from wide (UTF-16) text.
#pragma once

#include "platform/locale.h"
#include "platform/types.h"

namespace platform {

using WCHAR = char16_t;

inline constexpr UINT CP_ACP = 0;  // the system locale's ANSI code page
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD MB_ERR_INVALID_CHARS = 0x00000008;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;

// The ANSI code page of the system locale, and of any locale (0 for one the
// handheld does not know).
UINT GetACP();
UINT AnsiCodePageOf(LCID locale);
BOOL IsValidCodePage(UINT code_page);

// `length` -1 means a zero-terminated text, whose zero is converted too.
// With an output size of 0, the size needed. 0 with the last error set:
// ERROR_INVALID_PARAMETER (unknown code page, bad arguments),
// ERROR_INSUFFICIENT_BUFFER, or ERROR_NO_UNICODE_TRANSLATION for invalid
// input with MB_ERR_INVALID_CHARS (without it, each invalid byte reads as
// U+FFFD).
int MultiByteToWideChar(UINT code_page, DWORD flags, const char* text, int length, WCHAR* wide,
                        int wide_size);
// Characters the code page lacks are written as `default_char` ("?" when
// null) and *used_default_char says so.
int WideCharToMultiByte(UINT code_page, DWORD flags, const WCHAR* wide, int length, char* text,
                        int text_size, const char* default_char, BOOL* used_default_char);

}  // namespace platform

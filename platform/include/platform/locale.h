// The handheld's locale: its id and how it writes dates.
//
// The system locale is chosen when the handheld is made (English, United
// States by default). Dates follow the short-date format of the locale's
// language, as the handhelds of the nine languages the kit ships in came
// from the factory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace platform {

using LCID = DWORD;

inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;
inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

inline constexpr DWORD DATE_SHORTDATE = 0x00000001;
inline constexpr DWORD LOCALE_NOUSEROVERRIDE = 0x80000000u;
inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;

LCID GetSystemDefaultLCID();
// The same as the system's: the handheld has one user.
LCID GetUserDefaultLCID();

// The short-date picture of a locale ("M/d/yy"); nothing for a locale whose
// language the handheld does not know. The default ids name the system's.
std::optional<std::string> ShortDateFormat(LCID locale);

// Writes `date` (the current local date when null) with `format` (d, dd, M,
// MM, y, yy, yyyy; text in single quotes is copied) or, when format is
// empty, with the locale's short date (flags DATE_SHORTDATE or 0). Returns
// the characters written with the terminating zero; with buffer_size 0 the
// size needed. 0 with ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER
// (unknown locale or impossible date) or ERROR_INVALID_FLAGS.
int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format,
                  char* buffer, int buffer_size);
// The same for C++ code: nothing on failure.
std::optional<std::string> FormatDate(LCID locale, DWORD flags, const SYSTEMTIME* date,
                                      std::string_view format = {});

}  // namespace platform

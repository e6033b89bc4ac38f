// The locale calls: the system's locale id and dates in its short format.
#include <cstring>
#include <map>

#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/locale.h"
#include "platform/time.h"

namespace platform {

namespace {

// Short dates by primary language; Chinese by sublanguage as well.
std::optional<std::string> ShortDateOf(LCID locale) {
  const WORD language = static_cast<WORD>(locale & 0xFFFF);
  if (language == 0x0804 || language == 0x1004) return "yyyy-M-d";  // China, Singapore
  if (language == 0x0404 || language == 0x0C04 || language == 0x1404) {
    return "yyyy/M/d";  // Taiwan, Hong Kong, Macao
  }
  static const std::map<WORD, std::string> by_language = {
      {0x09, "M/d/yy"},      // English
      {0x07, "dd.MM.yyyy"},  // German
      {0x0C, "dd/MM/yyyy"},  // French
      {0x10, "dd/MM/yyyy"},  // Italian
      {0x16, "dd/MM/yyyy"},  // Portuguese
      {0x0A, "dd/MM/yyyy"},  // Spanish
      {0x12, "yyyy-MM-dd"},  // Korean
  };
  auto found = by_language.find(static_cast<WORD>(language & 0x3FF));
  if (found == by_language.end()) return std::nullopt;
  return found->second;
}

LCID Resolve(LCID locale) {
  return locale == LOCALE_SYSTEM_DEFAULT || locale == LOCALE_USER_DEFAULT || locale == 0
             ? GetSystemDefaultLCID()
             : locale;
}

std::string Number(unsigned value, std::size_t digits) {
  std::string text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

// Fills in the picture; nothing for a picture element it does not know.
std::optional<std::string> Fill(std::string_view picture, const SYSTEMTIME& date) {
  std::string text;
  for (std::size_t i = 0; i < picture.size();) {
    const char c = picture[i];
    if (c == '\'') {
      const std::size_t close = picture.find('\'', i + 1);
      if (close == std::string_view::npos) return std::nullopt;
      text += close == i + 1 ? "'" : std::string(picture.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    if (c == 'd' && run <= 2) {
      text += Number(date.wDay, run);
    } else if (c == 'M' && run <= 2) {
      text += Number(date.wMonth, run);
    } else if (c == 'y' && run <= 2) {
      text += Number(date.wYear % 100, run == 2 ? 2 : 1);
    } else if (c == 'y' && run <= 4) {
      text += Number(date.wYear, 4);
    } else if (c == 'd' || c == 'M' || c == 'y') {
      return std::nullopt;  // day and month names are not kept
    } else {
      text.append(run, c);
    }
    i += run;
  }
  return text;
}

}  // namespace

LCID GetSystemDefaultLCID() { return Handheld::Current().config().locale_id; }
LCID GetUserDefaultLCID() { return GetSystemDefaultLCID(); }

std::optional<std::string> ShortDateFormat(LCID locale) { return ShortDateOf(Resolve(locale)); }

std::optional<std::string> FormatDate(LCID locale, DWORD flags, const SYSTEMTIME* date,
                                      std::string_view format) {
  if ((flags & ~(DATE_SHORTDATE | LOCALE_NOUSEROVERRIDE)) != 0 ||
      (!format.empty() && (flags & DATE_SHORTDATE))) {
    SetLastError(ERROR_INVALID_FLAGS);
    return std::nullopt;
  }
  SYSTEMTIME when;
  if (date) {
    FILETIME check;
    if (!SystemTimeToFileTime(date, &check)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return std::nullopt;
    }
    when = *date;
  } else {
    GetLocalTime(&when);
  }
  std::optional<std::string> picture;
  if (format.empty()) {
    picture = ShortDateFormat(locale);
  } else if (ShortDateFormat(locale)) {
    picture = std::string(format);
  }
  std::optional<std::string> text = picture ? Fill(*picture, when) : std::nullopt;
  if (!text) SetLastError(ERROR_INVALID_PARAMETER);
  return text;
}

int GetDateFormat(LCID locale, DWORD flags, const SYSTEMTIME* date, const char* format,
                  char* buffer, int buffer_size) {
  if (buffer_size < 0 || (buffer_size > 0 && !buffer)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::optional<std::string> text =
      FormatDate(locale, flags, date, format ? std::string_view(format) : std::string_view());
  if (!text) return 0;
  const int needed = static_cast<int>(text->size()) + 1;
  if (buffer_size == 0) return needed;
  if (buffer_size < needed) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(buffer, text->c_str(), static_cast<std::size_t>(needed));
  return needed;
}

}  // namespace platform

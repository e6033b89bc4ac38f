// Code-page conversions through the host's iconv.
#include "platform/code_pages.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "platform/last_error.h"

namespace platform {

namespace {

// One conversion descriptor, closed when done.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; false at an invalid or unmappable sequence
  // (`in` then points at it) or an incomplete one at the end.
  bool Convert(const char** in, std::size_t* in_left, std::string* out) {
    char buffer[256];
    while (*in_left > 0) {
      char* to = buffer;
      std::size_t room = sizeof(buffer);
      char* from = const_cast<char*>(*in);
      const std::size_t result = iconv(handle_, &from, in_left, &to, &room);
      *in = from;
      out->append(buffer, static_cast<std::size_t>(to - buffer));
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t handle_;
};

std::string IconvName(UINT code_page) {
  if (code_page == CP_ACP) code_page = GetACP();
  if (code_page == CP_UTF8) return "UTF-8";
  return "CP" + std::to_string(code_page);
}

int Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

// Copies a result out as the calls do: the size needed, or the units
// written when they fit.
template <typename Unit>
int Deliver(const std::basic_string<Unit>& result, Unit* out, int out_size) {
  const int needed = static_cast<int>(result.size());
  if (out_size == 0) return needed;
  if (out_size < needed) return Fail(ERROR_INSUFFICIENT_BUFFER);
  std::memcpy(out, result.data(), result.size() * sizeof(Unit));
  return needed;
}

}  // namespace

UINT AnsiCodePageOf(LCID locale) {
  const WORD language = static_cast<WORD>(locale & 0xFFFF);
  switch (language & 0x3FF) {
    case 0x04:  // Chinese
      return language == 0x0804 || language == 0x1004 ? 936 : 950;
    case 0x12:  // Korean
      return 949;
    case 0x07:  // German
    case 0x09:  // English
    case 0x0A:  // Spanish
    case 0x0C:  // French
    case 0x10:  // Italian
    case 0x16:  // Portuguese
      return 1252;
    default:
      return 0;
  }
}

UINT GetACP() {
  const UINT code_page = AnsiCodePageOf(GetSystemDefaultLCID());
  return code_page != 0 ? code_page : 1252;
}

BOOL IsValidCodePage(UINT code_page) {
  if (code_page == CP_ACP) return FALSE;
  return Converter("UTF-16LE", IconvName(code_page)).ok() ? TRUE : FALSE;
}

int MultiByteToWideChar(UINT code_page, DWORD flags, const char* text, int length, WCHAR* wide,
                        int wide_size) {
  if (!text || length < -1 || length == 0 || wide_size < 0 || (wide_size > 0 && !wide) ||
      (flags & ~MB_ERR_INVALID_CHARS) != 0) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  Converter converter("UTF-16LE", IconvName(code_page));
  if (!converter.ok()) return Fail(ERROR_INVALID_PARAMETER);
  std::size_t left = length == -1 ? std::strlen(text) + 1 : static_cast<std::size_t>(length);
  std::string bytes;
  while (!converter.Convert(&text, &left, &bytes)) {
    if (flags & MB_ERR_INVALID_CHARS) return Fail(ERROR_NO_UNICODE_TRANSLATION);
    bytes += "\xFD\xFF";  // U+FFFD for the byte that cannot be read
    ++text;
    --left;
  }
  std::u16string result(bytes.size() / 2, u'\0');
  std::memcpy(result.data(), bytes.data(), result.size() * 2);
  return Deliver(result, wide, wide_size);
}

int WideCharToMultiByte(UINT code_page, DWORD flags, const WCHAR* wide, int length, char* text,
                        int text_size, const char* default_char, BOOL* used_default_char) {
  if (!wide || length < -1 || length == 0 || text_size < 0 || (text_size > 0 && !text) ||
      flags != 0) {
    return Fail(ERROR_INVALID_PARAMETER);
  }
  Converter converter(IconvName(code_page), "UTF-16LE");
  if (!converter.ok()) return Fail(ERROR_INVALID_PARAMETER);
  std::size_t units = 0;
  if (length == -1) {
    while (wide[units] != u'\0') ++units;
    ++units;
  } else {
    units = static_cast<std::size_t>(length);
  }
  const char* in = reinterpret_cast<const char*>(wide);
  std::size_t left = units * 2;
  std::string result;
  const std::string replacement = default_char ? default_char : "?";
  if (used_default_char) *used_default_char = FALSE;
  while (!converter.Convert(&in, &left, &result)) {
    // A character the code page lacks, or half a surrogate pair: one
    // replacement for the whole character.
    result += replacement;
    if (used_default_char) *used_default_char = TRUE;
    const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                            static_cast<unsigned char>(in[1]) << 8);
    const std::size_t skip = unit >= 0xD800 && unit < 0xDC00 && left >= 4 ? 4 : 2;
    in += skip;
    left -= skip;
  }
  return Deliver(result, text, text_size);
}

}  // namespace platform

#include "registry/text_escape.h"

#include "files/utf8.h"

namespace platform::registry_internal {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned value) {
  out.push_back(kHexDigits[(value >> 4) & 0xF]);
  out.push_back(kHexDigits[value & 0xF]);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void AppendQuoted(std::string& out, std::string_view text) {
  out.push_back('"');
  files_internal::ForEachCodePoint(text, [&](files_internal::CodePoint point) {
    switch (point.value) {
      case '\\':
        out += "\\\\";
        return;
      case '"':
        out += "\\\"";
        return;
      case '\n':
        out += "\\n";
        return;
      case '\r':
        out += "\\r";
        return;
      case '\t':
        out += "\\t";
        return;
    }
    if (!point.valid()) {
      out += "\\x";
      AppendHexByte(out, point.value - files_internal::kInvalidByteBase);
    } else if (point.value < 0x20 || point.value == 0x7F) {
      out += "\\x";
      AppendHexByte(out, point.value);
    } else {
      files_internal::AppendUtf8(out, point.value);
    }
  });
  out.push_back('"');
}

std::optional<std::string> ReadQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string result;
  for (std::size_t at = 1; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '"') {
      text.remove_prefix(at + 1);
      return result;
    }
    if (c != '\\') {
      result.push_back(c);
      continue;
    }
    if (++at == text.size()) return std::nullopt;
    switch (text[at]) {
      case '\\':
      case '"':
        result.push_back(text[at]);
        break;
      case 'n':
        result.push_back('\n');
        break;
      case 'r':
        result.push_back('\r');
        break;
      case 't':
        result.push_back('\t');
        break;
      case 'x': {
        if (at + 2 >= text.size()) return std::nullopt;
        const int high = HexDigitValue(text[at + 1]);
        const int low = HexDigitValue(text[at + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        result.push_back(static_cast<char>(high << 4 | low));
        at += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

void AppendHexBytes(std::string& out, std::span<const BYTE> data) {
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (i > 0) out.push_back(',');
    AppendHexByte(out, data[i]);
  }
}

std::optional<std::vector<BYTE>> ReadHexBytes(std::string_view text) {
  std::vector<BYTE> data;
  text = TrimSpaces(text);
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = TrimSpaces(text.substr(0, comma));
    if (item.empty() || item.size() > 2) return std::nullopt;
    const std::optional<DWORD> value = ReadHexNumber(item);
    if (!value) return std::nullopt;
    data.push_back(static_cast<BYTE>(*value));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
    if (TrimSpaces(text).empty()) return std::nullopt;  // a trailing comma
  }
  return data;
}

std::optional<DWORD> ReadHexNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  DWORD value = 0;
  for (const char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<DWORD>(digit);
  }
  return value;
}

std::string_view TrimSpaces(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\r");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

}  // namespace platform::registry_internal

// String tables written as UTF-8 text (see ParseStringTable).
#include <charconv>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "platform/resources.h"

namespace platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// The letters after a backslash, and the characters they stand for.
constexpr std::string_view kEscapes = "\"\\nrt";
constexpr std::string_view kEscaped = "\"\\\n\r\t";

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A whole unsigned number: decimal, or hexadecimal after "0x".
std::optional<std::uint32_t> ParseNumber(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
    return std::nullopt;
  }
  return value;
}

// The text between the quotes of `quoted`, with its escapes resolved.
std::optional<std::string> Unquote(std::string_view quoted) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return std::nullopt;
  quoted = quoted.substr(1, quoted.size() - 2);
  std::string text;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    const char c = quoted[i];
    if (c == '"') return std::nullopt;  // a quote inside must be escaped
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i == quoted.size()) return std::nullopt;
    const auto escape = kEscapes.find(quoted[i]);
    if (escape == std::string_view::npos) return std::nullopt;
    text += kEscaped[escape];
  }
  return text;
}

struct Entry {
  LANGID language;
  UINT id;
  std::string text;
};

}  // namespace

bool ParseStringTable(std::string_view text, ModuleResources* resources, std::string* error) {
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<Entry> entries;
  std::set<std::pair<LANGID, UINT>> seen;
  std::optional<LANGID> language;
  int line_number = 0;
  auto fail = [&](std::string_view message) {
    *error = "line " + std::to_string(line_number) + ": " + std::string(message);
    return false;
  };

  while (!text.empty()) {
    ++line_number;
    const auto end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;

    if (line.front() == '[') {
      std::optional<std::uint32_t> value;
      if (line.back() == ']') value = ParseNumber(Trim(line.substr(1, line.size() - 2)));
      if (!value || *value > 0xFFFF) return fail("expected a language section such as [0x0409]");
      language = static_cast<LANGID>(*value);
      continue;
    }
    if (!language) return fail("a string before the first language section");
    const auto space = line.find_first_of(" \t");
    std::optional<std::uint32_t> id =
        space == std::string_view::npos ? std::nullopt : ParseNumber(line.substr(0, space));
    if (!id) return fail("expected a string id and a quoted text");
    std::optional<std::string> string = Unquote(Trim(line.substr(space)));
    if (!string) return fail("expected one quoted text after the id");
    if (!seen.emplace(*language, *id).second) {
      return fail("string " + std::to_string(*id) + " appears twice in one language");
    }
    entries.push_back({*language, *id, std::move(*string)});
  }
  for (Entry& entry : entries)
    resources->AddString(entry.language, entry.id, std::move(entry.text));
  return true;
}

}  // namespace platform

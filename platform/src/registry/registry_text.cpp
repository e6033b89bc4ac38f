#include "registry/registry_text.h"

#include <cstdio>

#include "registry/text_escape.h"
#include "registry/value_data.h"

namespace platform::registry_internal {
namespace {

constexpr std::string_view kFileHeader =
    "; The handheld's registry: one section per key, one line per value.\n";

bool IsWellFormed(const Value& value) {
  switch (value.type) {
    case REG_SZ:
      return EncodeString(DecodeString(value.data)) == value.data;
    case REG_MULTI_SZ:
      return EncodeMultiString(DecodeMultiString(value.data)) == value.data;
    case REG_DWORD:
      return value.data.size() == sizeof(DWORD);
    default:
      return true;
  }
}

void AppendValueData(std::string& out, const Value& value) {
  const DWORD type = IsWellFormed(value) ? value.type : REG_NONE;
  switch (type) {
    case REG_SZ:
      AppendQuoted(out, DecodeString(value.data));
      return;
    case REG_DWORD: {
      char digits[9];
      std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(DecodeDword(value.data)));
      out += "dword:";
      out += digits;
      return;
    }
    case REG_MULTI_SZ: {
      out += "multi:";
      const std::vector<std::string> texts = DecodeMultiString(value.data);
      for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out.push_back(',');
        AppendQuoted(out, texts[i]);
      }
      return;
    }
    case REG_BINARY:
      out += "hex:";
      break;
    default: {
      char prefix[16];
      std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
      out += prefix;
    }
  }
  AppendHexBytes(out, value.data);
}

void AppendKey(std::string& out, const Key& key, const std::string& path, bool is_root) {
  // A key that only leads to others is implied by their sections.
  if (!key.values.empty() || (key.subkeys.empty() && !is_root)) {
    out += "\n[" + path + "]\n";
    for (const auto& [folded, value] : key.values) {
      if (value.name.empty()) {
        out.push_back('@');
      } else {
        AppendQuoted(out, value.name);
      }
      out.push_back('=');
      AppendValueData(out, value);
      out.push_back('\n');
    }
  }
  for (const auto& [folded, subkey] : key.subkeys) {
    AppendKey(out, *subkey, path + '\\' + subkey->name, false);
  }
}

// The section's key, created when needed; null when the name is not a key
// below one of the roots.
std::shared_ptr<Key> SectionKey(std::string_view name, const Roots& roots) {
  const std::optional<std::vector<std::string_view>> names = SplitKeyPath(name);
  if (!names || names->empty()) return nullptr;
  const std::optional<std::size_t> root = RootIndexByName(names->front());
  if (!root) return nullptr;
  std::shared_ptr<Key> key = roots[*root];
  for (std::size_t i = 1; i < names->size(); ++i) {
    bool created = false;
    key = AddSubkey(*key, (*names)[i], &created);
  }
  return key;
}

std::optional<std::pair<DWORD, std::vector<BYTE>>> ParseValueData(std::string_view text) {
  using Result = std::pair<DWORD, std::vector<BYTE>>;
  if (text.starts_with('"')) {
    std::optional<std::string> string = ReadQuoted(text);
    if (!string || !TrimSpaces(text).empty()) return std::nullopt;
    return Result{REG_SZ, EncodeString(*string)};
  }
  if (text.starts_with("dword:")) {
    const std::optional<DWORD> number = ReadHexNumber(TrimSpaces(text.substr(6)));
    if (!number) return std::nullopt;
    return Result{REG_DWORD, EncodeDword(*number)};
  }
  if (text.starts_with("multi:")) {
    text = TrimSpaces(text.substr(6));
    std::vector<std::string> texts;
    while (!text.empty()) {
      std::optional<std::string> item = ReadQuoted(text);
      if (!item) return std::nullopt;
      texts.push_back(std::move(*item));
      text = TrimSpaces(text);
      if (text.empty()) break;
      if (text.front() != ',') return std::nullopt;
      text = TrimSpaces(text.substr(1));
      if (text.empty()) return std::nullopt;
    }
    return Result{REG_MULTI_SZ, EncodeMultiString(texts)};
  }
  DWORD type = REG_BINARY;
  if (text.starts_with("hex(")) {
    const std::size_t close = text.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    const std::optional<DWORD> number = ReadHexNumber(text.substr(4, close - 4));
    if (!number) return std::nullopt;
    type = *number;
    text.remove_prefix(close + 2);
  } else if (text.starts_with("hex:")) {
    text.remove_prefix(4);
  } else {
    return std::nullopt;
  }
  const std::optional<std::vector<BYTE>> bytes = ReadHexBytes(text);
  if (!bytes) return std::nullopt;
  std::optional<std::vector<BYTE>> data = NormaliseValueData(type, *bytes);
  if (!data) return std::nullopt;
  return Result{type, std::move(*data)};
}

// Reads one `"name"=data` or `@=data` line into `key`.
bool ParseValueLine(std::string_view line, Key& key) {
  std::string name;
  if (line.starts_with('@')) {
    line.remove_prefix(1);
  } else {
    std::optional<std::string> quoted = ReadQuoted(line);
    if (!quoted) return false;
    name = std::move(*quoted);
  }
  line = TrimSpaces(line);
  if (!line.starts_with('=')) return false;
  auto data = ParseValueData(TrimSpaces(line.substr(1)));
  if (!data) return false;
  PutValue(key, name, data->first, std::move(data->second));
  return true;
}

}  // namespace

std::string FormatRegistry(const Roots& roots) {
  std::string out(kFileHeader);
  for (std::size_t i = 0; i < kRoots.size(); ++i) {
    AppendKey(out, *roots[i], std::string(kRoots[i].name), true);
  }
  return out;
}

std::size_t ParseRegistry(std::string_view text, const Roots& roots) {
  std::size_t skipped = 0;
  std::shared_ptr<Key> section;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = TrimSpaces(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    if (line.empty() || line.starts_with(';') || line.starts_with('#')) continue;
    if (line.starts_with('[') && line.ends_with(']')) {
      section = SectionKey(line.substr(1, line.size() - 2), roots);
      if (!section) ++skipped;
      continue;
    }
    // Values outside a readable section have no key to go to.
    if (!section || !ParseValueLine(line, *section)) ++skipped;
  }
  return skipped;
}

}  // namespace platform::registry_internal

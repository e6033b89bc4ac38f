#include "key_names.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "platform/messages.h"
#include "platform/punctuation_keys.h"

namespace handheld {

namespace {

const std::map<std::string, platform::UINT, std::less<>>& Names() {
  using namespace platform;
  static const std::map<std::string, UINT, std::less<>> names = {
      {"action", VK_ACTION},     {"app1", VK_APP1},       {"app2", VK_APP2},
      {"app3", VK_APP3},         {"app4", VK_APP4},       {"up", VK_UP},
      {"down", VK_DOWN},         {"left", VK_LEFT},       {"right", VK_RIGHT},
      {"enter", VK_RETURN},      {"return", VK_RETURN},   {"escape", VK_ESCAPE},
      {"esc", VK_ESCAPE},        {"pageup", VK_PRIOR},    {"pagedown", VK_NEXT},
      {"home", VK_HOME},         {"end", VK_END},         {"delete", VK_DELETE},
      {"backspace", VK_BACK},    {"space", VK_SPACE},     {"tab", VK_TAB},
      {"plus", VK_OEM_PLUS},     {"=", VK_OEM_PLUS},      {"minus", VK_OEM_MINUS},
      {"-", VK_OEM_MINUS},       {"comma", VK_OEM_COMMA}, {",", VK_OEM_COMMA},
      {"period", VK_OEM_PERIOD}, {".", VK_OEM_PERIOD},
  };
  return names;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

}  // namespace

std::optional<platform::UINT> KeyByName(std::string_view name) {
  const std::string lower = Lower(name);
  if (auto found = Names().find(lower); found != Names().end()) return found->second;
  // Letters and digits are their own codes ('A'..'Z', '0'..'9').
  if (lower.size() == 1 && std::isalnum(static_cast<unsigned char>(lower[0]))) {
    return static_cast<platform::UINT>(std::toupper(static_cast<unsigned char>(lower[0])));
  }
  return std::nullopt;
}

std::optional<KeyPress> KeyPressByName(std::string_view name) {
  constexpr std::string_view kShift = "shift+";
  const bool shift = name.size() > kShift.size() && Lower(name.substr(0, kShift.size())) == kShift;
  if (shift) name.remove_prefix(kShift.size());
  const std::optional<platform::UINT> key = KeyByName(name);
  if (!key) return std::nullopt;
  return KeyPress{*key, shift};
}

std::vector<std::string> KeyNames() {
  std::vector<std::string> names;
  for (const auto& entry : Names()) names.push_back(entry.first);
  return names;
}

}  // namespace handheld

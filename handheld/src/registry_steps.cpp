// Steps with the registry: reg-set writes a value, expect-reg checks one.
// Keys are written with their root: "HKCU\Software\Kav\orsacap\Setting"
// (HKLM, HKCU and HKCR, or the roots' full names).
#include <charconv>

#include "platform/registry.h"
#include "script_steps.h"

namespace handheld {

namespace {

struct KeyPath {
  platform::HKEY root;
  std::string subkey;
};

std::optional<KeyPath> ParseKey(const std::string& text) {
  static const std::map<std::string, platform::HKEY> roots = {
      {"HKLM", platform::HKEY_LOCAL_MACHINE}, {"HKEY_LOCAL_MACHINE", platform::HKEY_LOCAL_MACHINE},
      {"HKCU", platform::HKEY_CURRENT_USER},  {"HKEY_CURRENT_USER", platform::HKEY_CURRENT_USER},
      {"HKCR", platform::HKEY_CLASSES_ROOT},  {"HKEY_CLASSES_ROOT", platform::HKEY_CLASSES_ROOT},
  };
  const std::size_t slash = text.find('\\');
  auto root = roots.find(text.substr(0, slash));
  if (root == roots.end()) return std::nullopt;
  return KeyPath{root->second, slash == std::string::npos ? "" : text.substr(slash + 1)};
}

std::optional<platform::DWORD> ParseDword(const std::string& text) {
  platform::DWORD value = 0;
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const char* begin = text.data() + (hex ? 2 : 0);
  const char* end = text.data() + text.size();
  auto [rest, error] = std::from_chars(begin, end, value, hex ? 16 : 10);
  if (begin == end || error != std::errc() || rest != end) return std::nullopt;
  return value;
}

std::optional<std::string> CheckRegSet(const std::vector<std::string>& arguments) {
  if (!ParseKey(arguments[0])) return "the key must start with HKLM, HKCU or HKCR";
  if (arguments[2] == "dword") {
    if (!ParseDword(arguments[3])) return "not a number: '" + arguments[3] + "'";
  } else if (arguments[2] != "sz") {
    return "the type is dword or sz, not '" + arguments[2] + "'";
  }
  return std::nullopt;
}

bool RegSet(StepContext& context) {
  const std::vector<std::string>& a = context.step.arguments;
  const KeyPath key = *ParseKey(a[0]);
  platform::Registry& registry = context.emulator.handheld().registry();
  const platform::LONG result =
      a[2] == "dword" ? registry.SetDword(key.root, key.subkey, a[1], *ParseDword(a[3]))
                      : registry.SetString(key.root, key.subkey, a[1], a[3]);
  if (result != platform::ERROR_SUCCESS) {
    return Fail(context, "cannot write the value (error " + std::to_string(result) + ")");
  }
  context.out << a[0] << " " << a[1] << " = " << a[3] << "\n";
  return true;
}

bool ExpectReg(StepContext& context) {
  const std::vector<std::string>& a = context.step.arguments;
  const KeyPath key = *ParseKey(a[0]);
  platform::Registry& registry = context.emulator.handheld().registry();
  std::optional<std::string> found;
  if (std::optional<platform::DWORD> number = registry.GetDword(key.root, key.subkey, a[1])) {
    if (ParseDword(a[2]) == *number) {
      found = a[2];
    } else {
      found = std::to_string(*number);
    }
  } else {
    found = registry.GetString(key.root, key.subkey, a[1]);
  }
  if (!found) return Fail(context, a[0] + " has no value " + a[1]);
  if (*found != a[2])
    return Fail(context, a[0] + " " + a[1] + " is \"" + *found + "\", not \"" + a[2] + "\"");
  context.out << a[0] << " " << a[1] << " is " << a[2] << "\n";
  return true;
}

}  // namespace

void AddRegistrySteps(StepTable* table) {
  table->insert({
      {"reg-set",
       {4, 4, CheckRegSet, RegSet, "reg-set KEY NAME dword|sz VALUE",
        "writes a registry value (KEY as HKCU\\Software\\...)"}},
      {"expect-reg",
       {3, 3,
        [](const auto& a) -> std::optional<std::string> {
          if (!ParseKey(a[0])) return "the key must start with HKLM, HKCU or HKCR";
          return std::nullopt;
        },
        ExpectReg, "expect-reg KEY NAME VALUE", "a registry value must be VALUE"}},
  });
}

}  // namespace handheld
